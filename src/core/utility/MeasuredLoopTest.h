#pragma once

#include <cstdint>
#include <vector>

#include "utility/ModeSwitch.h"

class CModbusInterface;

// The loop test of the measured values: the device publishes typed values
// instead of its measurements. Every sequence runs under the connection's
// access lock, opens the connection unless it is open and closes what it
// opened. Switching uses write mode 1, values write mode 2 (CWriteMode).
enum class MeasuredLoopTest {
    Channel1,      // mode 5335, items 0-32 at registers 0 and 32
    Channel2,      // mode 5338, items 0-32 at registers 4000 and 4032
    ZnBothSystems, // mode 5335, items 0-32 at 0 and 32, items 33-65 at 4000 and 4032
};

// Number of items the values of a target cover (from item 0 on).
int MeasuredLoopTestItems(MeasuredLoopTest target);

struct MeasuredLoopTestState {
    bool highWordFirst = false;
    bool loopTest = false;            // the mode register is not 0
    std::vector<std::int32_t> values; // by item number
};

// The dialog's initial reads: 5735, the value blocks, the mode register.
MeasuredLoopTestState ReadMeasuredLoopTest(CModbusInterface& connection, MeasuredLoopTest target);

// "Loop Test" (on) or "Normal": mode 1, the mode register, leave. After
// switching on the dialog writes the values.
ModeSwitchResult SwitchMeasuredLoopTest(CModbusInterface& connection, MeasuredLoopTest target,
                                        bool on);

// Writes all values (one per item, MeasuredLoopTestItems of them) in the
// device's word order. False when the unlock was refused or cancelled;
// communication errors throw after the write mode was left.
bool WriteMeasuredLoopTestValues(CModbusInterface& connection, MeasuredLoopTest target,
                                 const std::vector<std::int32_t>& values);
