#pragma once

#include <cstdint>

class CModbusInterface;

// The write mode of the loop-test, loop-back and preset sequences (every
// family but QH): the passcode command register 4944 takes mode 1 (switching)
// or 2 (values). Once Enter has written the mode, the leave step runs on the
// way out however the scope is left (quietly from the destructor), so a device
// is never left open for writes. Each step opens the connection for itself
// unless the caller has, and closes it before the passcode prompt.
class CWriteMode {
public:
    enum class LeaveStep {
        // 0 to 4944; 0 to the passcode input when the device holds a passcode.
        Standard,
        // 0 to 4944 and 0 to the passcode input (the preset).
        Full,
    };

    // Not owned: the sequence's connection.
    explicit CWriteMode(CModbusInterface& connection, LeaveStep step = LeaveStep::Standard);
    ~CWriteMode();
    CWriteMode(const CWriteMode&) = delete;
    CWriteMode& operator=(const CWriteMode&) = delete;

    // EnterWriteMode: an unprotected device takes the mode at once; a
    // protected one after "Enter Modbus Passcode" when 4944 reads the mode
    // back. False when cancelled, or refused after showing 11019.
    bool Enter(std::uint16_t mode);
    // The leave step, once; errors throw. Does nothing when not entered.
    void Leave();

    bool Entered() const { return entered_; }
    // Register 5735 as Enter read it.
    bool HighWordFirst() const { return highWordFirst_; }

private:
    CModbusInterface& connection_;
    LeaveStep step_;
    bool entered_ = false;
    bool highWordFirst_ = false;
};
