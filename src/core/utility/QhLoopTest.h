#pragma once

#include <string>

#include "utility/ModeSwitch.h"

class CMeasurandsKTA;
class CModbusInterface;

// The loop test of the QH family, one channel (0-based) at a time, with the
// QH passcode registers. Every sequence runs under the connection's access
// lock, opens the connection unless it is open and closes what it opened.

// Register 9626; 0 when it lies outside 1-16, which disables the test.
int ReadQhChannelCount(CModbusInterface& connection);

// The channel's mode register 9136 + channel is not 0.
bool ReadQhLoopTestMode(CModbusInterface& connection, int channel);

// One refresh of the dialog's copy: the blocks (0, 8, 862), (64 + 32 ch, 5,
// 886) and (576 + 96 ch, 16, 1006), low word first.
void ReadQhLoopTestValues(CModbusInterface& connection, int channel, CMeasurandsKTA& copy);

// "Loop Test" (on) or "Normal": unlock, 1 or 0 to 9136 + channel, lock again.
ModeSwitchResult SwitchQhLoopTest(CModbusInterface& connection, int channel, bool on);

struct QhLoopTestWrite {
    bool written = false;       // false: the unlock was refused or cancelled
    bool commonWritten = false; // voltages and frequency (channel 1 in loop test)
    // When channel 1 is not in loop test, the text to show (25001); the copy's
    // voltages and frequency then hold the device's.
    std::string notice;
};
// Writes the copy's values of the channel: the common voltages and frequency
// only while channel 1 is in loop test (otherwise they are read back), then
// currents and powers. Communication errors throw after the lock step ran.
QhLoopTestWrite WriteQhLoopTestValues(CModbusInterface& connection, int channel,
                                      CMeasurandsKTA& copy);
