#pragma once

#include <QDialog>

#include "app/IPromptService.h"

class QLineEdit;

// "Protect Setting": sets, changes or removes the device's Modbus passcode.
// OK stays open with a message until both new fields match and both
// passcodes are empty or within 1..999999999.
class CProtectDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kCurrentPasscode = 1070, kNewPasscode = 1068, kConfirmPasscode = 1069 };

    explicit CProtectDialog(QWidget* parent = nullptr);

    // Valid after OK.
    const ProtectRequest& Request() const { return request_; }

    void accept() override;

private:
    QLineEdit* current_ = nullptr;
    QLineEdit* new_ = nullptr;
    QLineEdit* confirm_ = nullptr;
    ProtectRequest request_;
};
