#pragma once

#include <QString>

#include <functional>
#include <string>

#include "config/FormField.h"

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Small builders the external interface dialogs share, each control with
// its control id.
QLabel* InterfaceLabel(QWidget* parent, int textId, int controlId = 0);
QComboBox* ChoiceList(QWidget* parent, int controlId, int textBase, int count);
QRadioButton* RadioButton(QWidget* parent, int controlId, int textId);
QLineEdit* NumberEdit(QWidget* parent, int controlId);
// The OK/Cancel row (ids 1 and 2) wired to accept/reject.
QWidget* OkCancelButtons(QDialog* dialog);

// An edit's text as a form holds it, without surrounding blanks.
std::string FieldText(const QLineEdit* edit);
// Runs the reader of a form, which names a refused field through its focus
// callback: the message is shown first, then that field takes the focus with
// its text selected. False when a field was refused.
bool ReadFormShowingErrors(QWidget* dialog,
                           const std::function<void(const FocusControl& focus)>& read);
