#pragma once

#include "utility/DeviceClock.h"
#include "utility/IClockSource.h"

class CModbusInterface;

// The device-clock commands of "Set Date and Time". Each takes the
// connection's access lock for its whole run, opens the connection if it is
// not open and closes what it opened. Communication errors throw.

// The 200 ms read of the dialog: registers 9104-9106.
DeviceDateTime ReadDeviceClock(CModbusInterface& connection);

// "Set": unlocks (passcode prompt when protected), writes the time to
// 9104-9106 in BCD and locks again. False when the unlock was refused.
bool SetDeviceClock(CModbusInterface& connection, const DeviceDateTime& time);

// "Sync PC": unlocks, reads the device clock until its seconds lie in 06-52
// (so the write does not cross a device minute), waits until the PC clock's
// millisecond part reaches 950 from below, writes the PC time plus one second
// and locks again. False when the unlock was refused. A device clock that does
// not reach a safe second within kSyncLimit throws the text 25000.
bool SyncDeviceClock(CModbusInterface& connection, IClockSource& clock);

constexpr std::chrono::milliseconds kSyncLimit{10000};
// Between two reads of the device clock while waiting for a safe second.
constexpr std::chrono::milliseconds kSyncReadPause{100};
constexpr int kSyncFirstSecond = 6;
constexpr int kSyncLastSecond = 52;
constexpr int kSyncMillisecond = 950;
