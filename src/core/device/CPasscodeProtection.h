#pragma once

#include <cstdint>

#include "device/CDeviceType.h"

class CModbusInterface;

// The device's Modbus passcode around one series of writes: Unlock before,
// Lock after (the destructor locks again, quietly). Each step opens the
// connection for itself when the caller has not, and closes it again before
// any dialog, so no port is held while the user types. Dialogs and messages go
// through the prompt service. Communication errors pass to the caller.
class CPasscodeProtection {
public:
    // The device grants access within this time after the passcode, or never.
    static constexpr int kGrantTimeoutMs = 1000;

    CPasscodeProtection() = default;
    virtual ~CPasscodeProtection();
    CPasscodeProtection(const CPasscodeProtection&) = delete;
    CPasscodeProtection& operator=(const CPasscodeProtection&) = delete;

    // True when writes may proceed: at once for an unprotected device,
    // otherwise after "Enter Modbus Passcode". False when the user cancels or
    // the passcode is wrong (11019 has then been shown).
    bool Unlock(CModbusInterface& connection);
    // Restores the protection after a successful Unlock; otherwise does nothing.
    void Lock();
    // The device has dropped the access by itself (it restarted): nothing to restore.
    void Forget() { unlocked_ = false; }
    // "Protect Setting": sets, changes or removes the stored passcode and
    // leaves the device locked. True when the new passcode was written.
    bool ChangeProtection(CModbusInterface& connection);

    bool IsUnlocked() const { return unlocked_; }
    const CDeviceType& Identity() const { return identity_; }

private:
    void SelectRegisters(CModbusInterface& connection);
    std::uint32_t Read32(int reg);
    void Write32(int reg, std::uint32_t value);
    void WriteCommand(std::uint16_t value);
    std::uint16_t ReadCommand();
    bool AwaitAccess();
    bool TryChange(std::uint32_t currentPasscode, std::uint32_t newPasscode);
    void Relock();

    CDeviceType identity_;
    CModbusInterface* connection_ = nullptr; // not owned: the command's interface
    int commandRegister_ = 0;
    int passcodeInputRegister_ = 0;
    int storedPasscodeRegister_ = 0;
    bool swap_ = false;
    bool unlocked_ = false;
    bool quiet_ = false;
};
