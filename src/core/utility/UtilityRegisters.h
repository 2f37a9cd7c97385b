#pragma once

// Device registers (0-based protocol addresses) of the utility commands, the
// device clock, the loop tests, the fixed outputs and the presets. The
// passcode and identity registers are in device/DeviceRegisters.h.
namespace UtilityRegister {

// Command registers, written between 1 and 0 at the passcode command register.
constexpr int kResetCommand = 5329;
constexpr int kAltResetCommand = 5337; // the second input's resets, four counters
constexpr int kEightCounterReset = 5339;
constexpr int kClearAlarm = 5204;
// QH: one reset code register per channel, 8995 + channel.
constexpr int kQhChannelReset = 8995;

// Device clock, three BCD registers.
constexpr int kClock = 9104;
constexpr int kClockCount = 3;

// Write mode of the test dialogs: the passcode command register takes 1 or 2.
// Loop test of the measured values: 1 on, 0 off; 5338 for channel 2.
constexpr int kLoopTestMode = 5335;
constexpr int kLoopTestModeChannel2 = 5338;
// Fixed analog outputs: 1 on, 0 off (the same register resets eight counters).
constexpr int kFixedOutputs = 5339;
constexpr int kOutputType = 3135;
constexpr int kOutputValues = 3136; // 4 signed 16-bit values
constexpr int kOutputCount = 4;
// Pulse counters 1-8, 32 bit each; devices with counters have no analog outputs.
constexpr int kCounterValues = 3136;

// Measured values: 8 totals from 0, 25 phase values from 32; channel 2 (the
// second system of ZN) 4000 above.
constexpr int kTotals = 0;
constexpr int kTotalsValues = 8;
constexpr int kPhases = 32;
constexpr int kPhaseValues = 25;
constexpr int kChannel2Offset = 4000;

// The fraction of an energy counter lies this far above its integer part.
constexpr int kEnergyFractionOffset = 64;

// QH loop test: mode per channel at 9136 + channel, channel count at 9626.
constexpr int kQhLoopTestMode = 9136;
constexpr int kQhChannelCount = 9626;
constexpr int kQhCommon = 0;    // 8 values: voltages and frequency
constexpr int kQhCurrents = 64; // + 32 x channel, 5 values
constexpr int kQhCurrentStride = 32;
constexpr int kQhPowers = 576; // + 96 x channel, 16 values
constexpr int kQhPowerStride = 96;

// Device information.
constexpr int kIdentityBlock = 9600; // 14: model, firmware, serial (4), tag (8)
constexpr int kIdentityCount = 14;
constexpr int kOptionBlock = 9622; // 5: option code and four I/O words
constexpr int kOptionCount = 5;
constexpr int kTag = 9606;
constexpr int kTagRegisters = 8;

} // namespace UtilityRegister
