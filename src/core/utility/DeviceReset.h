#pragma once

#include "utility/UtilityRules.h"

class CModbusInterface;

// The reset and clear-alarm commands of the "Utility" window and the QH
// channel resets. Each takes the connection's access lock for its whole run,
// asks for the passcode through the prompt service when the device is
// protected, and returns false when the unlock was refused or cancelled (then
// nothing but the passcode has been written). Communication errors throw;
// once the device was unlocked it is locked again on every path.

// 1 to 4944, the request's value to its command register, 0 to 4944, and 0
// to the passcode input when the device holds a passcode. Not for QH devices.
bool RunResetCommand(CModbusInterface& connection, const ResetRequest& request);

// "Clear Alarm": 1 to 5204 between 1 and 0 at 4944, then locked as a reset.
bool ClearAlarm(CModbusInterface& connection);

// A QH reset code to 8995 + channel (QH passcode registers), then locked again.
bool RunQhReset(CModbusInterface& connection, const QhReset& reset);
