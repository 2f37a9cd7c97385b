#pragma once

#include <QString>

class QAbstractButton;
class QButtonGroup;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// Small builders shared by the input, energy and conversion dialogs.
namespace InputDialogWidgets {
QLabel* Label(QWidget* parent, int textId, int controlId = 0);
QLineEdit* NumberEdit(QWidget* parent, int controlId, const QString& widest);
QRadioButton* Radio(QWidget* parent, int textId, int controlId);
// An exclusive pair: the first button means 0, the second 1.
QButtonGroup* RadioPair(QWidget* parent, QRadioButton* zero, QRadioButton* one);
// Checks the button of a value; a pair with neither checked shows no value.
void CheckPair(QButtonGroup* pair, bool one);
void ClearPair(QButtonGroup* pair);
// OK (control 1) and Cancel (control 2), wired to accept and reject.
QDialogButtonBox* OkCancel(QDialog* dialog);
} // namespace InputDialogWidgets
