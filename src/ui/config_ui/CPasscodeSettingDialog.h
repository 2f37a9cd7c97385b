#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QLineEdit;

// "Passcode Setting": the four-digit passcode the device asks for at its
// keys, stored in word 29 of the dialog's copy of the working set on OK.
class CPasscodeSettingDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNewPasscode = 1068;
    static constexpr int kConfirmPasscode = 1069;

    explicit CPasscodeSettingDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    ParameterSet set_;
    QLineEdit* newPasscode_;
    QLineEdit* confirmPasscode_;
};
