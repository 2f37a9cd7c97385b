#pragma once

#include <array>
#include <cstdint>

#include "utility/ModeSwitch.h"

class CMeasurandsKTA;
class CModbusInterface;

// The loop test of the analog outputs: the outputs are fixed at typed values.
// Every sequence runs under the connection's access lock, opens the
// connection unless it is open and closes what it opened. Switching and
// values both use write mode 1.

// The dialog's initial reads into its private image: identity (9600 x 14,
// 9622 x 5), output type and values (3135-3139; the type as the monitor
// derives it for 4-20 mA and 1-5 V outputs), the fixed-output flag (5339).
void ReadLoopBackState(CModbusInterface& connection, CMeasurandsKTA& image);

// "Loop Test" (on) or "Normal": mode 1, 5339, leave. After switching on the
// dialog writes the values.
ModeSwitchResult SwitchFixedOutputs(CModbusInterface& connection, bool on);

// The four values to 3136-3139 in one request. False when the unlock was
// refused or cancelled; communication errors throw after the write mode was left.
bool WriteFixedOutputValues(CModbusInterface& connection,
                            const std::array<std::int16_t, 4>& values);

// Output type by option code: 4-20 mA outputs count as type 0, 1-5 V outputs
// as type 1; the bipolar ones report theirs in register 3135.
std::uint16_t AnalogOutputType(std::uint16_t optionCode, std::uint16_t typeRegister);
