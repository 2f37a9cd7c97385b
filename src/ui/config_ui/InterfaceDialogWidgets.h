#pragma once

#include <QString>

#include <string>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
struct NumericField;

// Small builders the external interface dialogs share, each control with
// its control id.
QLabel* InterfaceLabel(QWidget* parent, int textId, int controlId = 0);
QComboBox* ChoiceList(QWidget* parent, int controlId, int textBase, int count);
QRadioButton* RadioButton(QWidget* parent, int controlId, int textId);
QLineEdit* NumberEdit(QWidget* parent, int controlId);
// The OK/Cancel row (ids 1 and 2) wired to accept/reject.
QWidget* OkCancelButtons(QDialog* dialog);

// Reads an edit with the numeric field reader; on failure shows the message,
// focuses the edit and returns false.
bool ReadField(QLineEdit* edit, const NumericField& field, std::int64_t& value);
QString ScaledText(std::int64_t value, int scale);
