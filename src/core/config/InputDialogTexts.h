#pragma once

#include "text/TextIds.h"

// String ids of the labels of "Other Setting", "Energy Setting" and
// "Conversion Value Settings".
namespace InputText {
constexpr int OtherSetting = 22000;
constexpr int Input = 22001;
constexpr int LowEndCutout = 22002;
constexpr int Voltage = 22003;
constexpr int Percent = 22004;
constexpr int Current = 22005;
constexpr int FrequencyInput = 22006;
constexpr int Energy = 22007;
constexpr int TariffFunction = 22008;
constexpr int Enable = 22009;
constexpr int Disable = 22010;
constexpr int CalculationOption = 22011;
constexpr int PowerFactorSign = 22012;
constexpr int StandardIec = 22013;
constexpr int Ieee = 22014;
constexpr int ReactivePowerSign = 22015;
constexpr int InvertedWhenOutgoing = 22016;
constexpr int PhaseReactivePower = 22017;
constexpr int StandardVectorSP = 22018;
constexpr int ReactivePowerMethod = 22019;
constexpr int ApparentPower = 22020;
constexpr int StandardVectorPQ = 22021;
constexpr int SumS = 22022;
constexpr int MeasurementMode = 22023;
constexpr int StandardMeasurement = 22024;
constexpr int SimpleMeasurement = 22025;
constexpr int SimplePowerFactor = 22026;

constexpr int EnergySetting = 22050;
constexpr int EnergyCount = 22051;
constexpr int PulseWeight = 22052;
constexpr int PulseDuration = 22053;
constexpr int Milliseconds = 22054;
constexpr int Circuit = 22055;

constexpr int ConversionValueSettings = 22100;
constexpr int ConvValueCoef = 22101;
constexpr int ConvValueUnit = 22102;

constexpr int Ok = 22290;
constexpr int Cancel = 22291;

// Texts shared with the rest of the program.
constexpr int Channel1 = TextId::FirstChannel;
constexpr int Channel2 = 5501;
constexpr int CircuitA = TextId::FirstCircuit;
} // namespace InputText
