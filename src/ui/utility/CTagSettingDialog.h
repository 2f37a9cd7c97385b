#pragma once

#include <QDialog>

#include <string>

class CModbusInterface;
class QLineEdit;

// "Tag No. Setting": one edit with the device's tag. It takes no more than the
// 16 bytes the device stores, so what the user sees is what is written.
class CTagSettingDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kOk = 1, kCancel = 2, kTag = 1001 };

    explicit CTagSettingDialog(const std::string& tag, QWidget* parent = nullptr);

    std::string Tag() const;

private:
    QLineEdit* edit_ = nullptr;
};

// The "Tag No." command of the utility and device information windows: reads
// the tag (clearing the passcode input of a protected device), lets the user
// edit it and on OK writes it after the passcode unlock. Errors are shown.
// True when OK was pressed and the write ran to its end, written or refused
// by the unlock: the device information is then worth reading again.
bool RunTagSetting(CModbusInterface& connection, QWidget* parent);
