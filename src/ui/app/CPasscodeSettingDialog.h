#pragma once

#include <QDialog>

class QLineEdit;

// "Passcode Setting": the four-digit front-panel passcode (word 29 of the
// parameter set), edited offline. OK stays open with a message until the new
// passcode has four characters and the confirmation matches.
class CPasscodeSettingDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kNewPasscode = 1068, kConfirmPasscode = 1069 };

    explicit CPasscodeSettingDialog(QWidget* parent = nullptr);

    // Valid after OK.
    int Passcode() const { return passcode_; }

    void accept() override;

private:
    QLineEdit* new_ = nullptr;
    QLineEdit* confirm_ = nullptr;
    int passcode_ = 0;
};
