#pragma once

#include <functional>
#include <optional>

#include "app/CPrivateException.h"

class CModbusInterface;

// What a click on "Loop Test" or "Normal" left the device in. After a refused
// or cancelled unlock, or a failed switch, the mode register is read back, so
// the dialog can show the mode the device is really in.
struct ModeSwitchResult {
    bool switched = false;                  // the device took the requested mode
    std::optional<bool> deviceMode;         // on (non-zero) or off; nothing when unreadable
    std::optional<CPrivateException> error; // the first communication error
};

// Runs a switching sequence under the connection's access lock. sequence
// returns false when the unlock was refused or cancelled; readMode reads the
// mode register on an open connection.
ModeSwitchResult RunModeSwitch(CModbusInterface& connection, bool on,
                               const std::function<bool()>& sequence,
                               const std::function<bool()>& readMode);
