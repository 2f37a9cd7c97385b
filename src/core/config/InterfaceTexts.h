#pragma once

// String ids of the external interface dialogs' own labels.
namespace InterfaceText {
constexpr int DiscreteInputSetting = 23000;
constexpr int DiscreteOutputSetting = 23001;
constexpr int AnalogOutputSetting = 23002;
constexpr int ModbusSetting = 23003;
constexpr int AdvancedModbusSetting = 23004;
constexpr int CcLinkSetting = 23005;

constexpr int Function = 23010;
constexpr int ContactType = 23011;
constexpr int Do1 = 23012; // Do2-Do4 follow
constexpr int Energy = 23016;

constexpr int DeviceAddress = 23020;
constexpr int TransferRate = 23021;
constexpr int ParityBit = 23022;
constexpr int StopBit = 23023;
constexpr int Mode = 23024;
constexpr int RunLedTimeout = 23025;
constexpr int Seconds = 23026;
constexpr int Advanced = 23027;

constexpr int LongRegister = 23030;
constexpr int NormalLowFirst = 23031;
constexpr int SwapHighFirst = 23032;
constexpr int ProtocolOperationTimer = 23033;
constexpr int T15 = 23034;
constexpr int T35 = 23035;
constexpr int Characters = 23036;
constexpr int TimerWarning = 23037;

constexpr int IpAddress = 23040;
constexpr int SubnetMask = 23041;
constexpr int DefaultGateway = 23042;
constexpr int Port = 23043;
constexpr int ConnectionTimeout = 23044;
constexpr int RunLedTimeoutTcp = 23045;

constexpr int NodeAddress = 23050;

constexpr int UnitPercent = 23060;
constexpr int UnitVolt = 23061;
constexpr int UnitMilliampere = 23062;
} // namespace InterfaceText

// Texts shared with the rest of the program: the choice lists and the
// contact and mode buttons, which read like their choices.
namespace InterfaceChoice {
constexpr int DiFunctionBase = 1700;
constexpr int DoFunctionBase = 1800;
constexpr int TransferRateBase = 1900;
constexpr int ParityBase = 1950;
constexpr int StopBitsBase = 2000;
constexpr int ContactTypeBase = 2500; // "Normal open", "Normal close"
constexpr int AoInputBase = 3600;
constexpr int AoColumnBase = 3800;  // 3801 "Ao1" ... 3804 "Ao4"
constexpr int AoRowNameBase = 3849; // "Output type" ... "Table Y[9]"
constexpr int LinearizerBase = 3900;
constexpr int AoOutputTypeBase = 4600;
constexpr int CcLinkRateBase = 5400;
constexpr int ModbusModeBase = 5650; // "RTU (8bit)", "ASCII (7bit)"
} // namespace InterfaceChoice
