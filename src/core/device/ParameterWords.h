#pragma once

#include <array>

// Words of the parameter set that several parts of the program read or write
// by number: the settings forms, the variant change of CSettingsStocker, the
// report and the transfer. A word that one form alone uses is named with that
// form. Names follow the descriptor table's parameter names.
namespace ParameterWord {

// Front panel.
inline constexpr int DataView = 1;       // data display view shown after power-on
inline constexpr int EnergyView = 2;     // energy display view shown after power-on
inline constexpr int FirstSigmaLine = 4; // Sigma1 line1; the six sigma screens follow
inline constexpr int SigmaLines = 24;    // four lines for each of the six screens

// Inputs.
inline constexpr int ConfigurationMode = 30; // 1 = configured by PC, 0 = by the DIP switches
inline constexpr int System = 31;            // wiring code of the first input
inline constexpr int CtSecondary = 34;    // secondary current, or the CT sensor of sensor variants
inline constexpr int FrequencyInput = 39; // the input the frequency is measured on

// Input1-Input4 of the ZNEPW variants: display activation, conversion
// coefficient (32 bit) and conversion unit (four characters over two words).
inline constexpr std::array<int, 4> ActivateDisplay = {32, 46, 55, 64};
inline constexpr std::array<int, 4> ConvValueCoef = {42, 51, 60, 69};
inline constexpr std::array<int, 4> ConvValueUnit = {44, 53, 62, 71};

// Communication.
inline constexpr int LongRegister = 154; // word order of 32-bit registers: 0 low word first

// Demand and display options.
inline constexpr int DemandCurrentInterval = 167; // minutes; 0 = driven by the discrete input
inline constexpr int DemandPowerInterval = 168;
inline constexpr int PowerFormat = 171;         // with or without the k prefix
inline constexpr int OledAutoOff = 172;         // seconds: 0, 600, 3000 or 6000
inline constexpr int OledBrightness = 173;      // 3 or 10
inline constexpr int PhaseReactiveMethod = 182; // how the phase reactive power Qn is formed
inline constexpr int DiscreteInputFunction = 188;

// Energy count of pulse outputs 1-4.
inline constexpr std::array<int, 4> EnergyCount = {196, 202, 207, 211};

// Data and energy view of "My Default", which the panel returns to when the
// preset timer runs out.
inline constexpr int MyDataView = 220;
inline constexpr int MyEnergyView = 221;

// Alarm items: item k starts at FirstAlarmItem + AlarmItemWords * k.
inline constexpr int FirstAlarmItem = 226;
inline constexpr int AlarmItemWords = 7;
inline constexpr int AlarmItems = 19;
inline constexpr int AlarmOutputOffset = 4; // the output the item switches

// Analog outputs 1-4: output k's block starts at FirstAoWord + AoBlockWords * k
// with the output type; the offsets are within a block.
inline constexpr int FirstAoWord = 359;
inline constexpr int AoBlockWords = 29;
inline constexpr int AoOutputs = 4;
inline constexpr int AoOutput0Offset = 6;   // Output 0%
inline constexpr int AoOutput100Offset = 8; // Output 100%
inline constexpr int AoTablePoints = 10;    // X[0]-X[9] and Y[0]-Y[9] of the linearizer

} // namespace ParameterWord
