#pragma once

#include <QDialog>

#include <cstdint>

class CSettingsStore;
class QCheckBox;
class QLineEdit;

// "Enter Modbus Passcode": asks for the passcode of a write-protected device
// and can remember it for the user (masked when offered again).
class CEnterPasscodeDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kPasscode = 1068, kSavePasscode = 1089 };

    // Not owned: the store holds the remembered passcode.
    explicit CEnterPasscodeDialog(CSettingsStore& store, QWidget* parent = nullptr);

    // The passcode to send; valid after OK.
    std::uint32_t Passcode() const { return passcode_; }

    void accept() override;

private:
    CSettingsStore& store_;
    QLineEdit* edit_ = nullptr;
    QCheckBox* save_ = nullptr;
    std::uint32_t passcode_ = 0;
    bool typed_ = false;
};
