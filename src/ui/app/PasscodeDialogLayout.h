#pragma once

#include <QString>

class QDialog;
class QGridLayout;
class QLineEdit;

// The common frame of the passcode dialogs: a message on top, rows of
// labelled edits, OK and Cancel at the bottom (OK accepts, Cancel rejects).
class PasscodeDialogLayout {
public:
    PasscodeDialogLayout(QDialog& dialog, int captionId, int messageId);
    // labelId 0: an edit without a label, as wide as the rows.
    QLineEdit* AddEdit(int labelId, int controlId);
    // Widgets placed under the edits, before the buttons.
    QGridLayout& Grid() { return *grid_; }
    void AddButtons();

private:
    QDialog& dialog_;
    QGridLayout* grid_ = nullptr;
};
