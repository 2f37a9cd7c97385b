#pragma once

#include <array>

// Control ids of the main configuration window and its input page.
namespace MainControl {
// Command row
constexpr int Upload = 1032;
constexpr int Download = 1033;
constexpr int Protect = 1040;
constexpr int Report = 1034;
constexpr int SaveFile = 1038;
constexpr int OpenFile = 1039;
constexpr int Monitor = 1037;
constexpr int Reboot = 1060;
constexpr int Language = 1045;
// Model lists
constexpr int ModelList = 1054;
constexpr int CodeList = 1056;
constexpr int VersionList = 1057;
// Input group
constexpr int System = 1047;
constexpr int VtRatingLabel = 1148;
constexpr int VtPrimary = 1048;
constexpr int VtSecondary = 1049;
constexpr int CtPrimary = 1050;
constexpr int CtSecondary = 1017;
constexpr int BarVoltageLabel = 1098;
constexpr int BarVoltage = 1018;
constexpr int BarVoltageUnit = 1099;
constexpr int BarCurrentLabel = 1100;
constexpr int BarCurrent = 1019;
constexpr int BarCurrentUnit = 1101;
constexpr int CtSensorArea = 1147;
// Function group
constexpr int DemandLabel = 1146;
constexpr int DemandCurrentLabel = 1138;
constexpr int DemandCurrentSource = 1051;
constexpr int DemandCurrentInterval = 1046;
constexpr int DemandCurrentUnit = 1139;
constexpr int DemandPowerLabel = 1140;
constexpr int DemandPowerSource = 1021;
constexpr int DemandPowerInterval = 1058;
constexpr int DemandPowerUnit = 1141;
constexpr int Alarm = 1052;
constexpr int Tariff = 1036;
constexpr int Others = 1030;
constexpr int ConvValue = 1059;
// Operation group
constexpr int Display = 1042;
constexpr int ExtBar = 1043;
constexpr int SigmaDisp = 1097;
constexpr int Expression = 1044;
constexpr int ShortCut = 1053;
constexpr int Passcode = 1031;
// External interface group
constexpr int Di = 1102;
constexpr int DoPo = 1103;
constexpr int Ao = 1041;
constexpr int Modbus = 1035;
constexpr int CcLink = 1055;
constexpr int DipSwitch = 1157;
} // namespace MainControl

// The command buttons, in tab order.
constexpr std::array<int, 9> kMainCommandButtons = {
    MainControl::Upload,  MainControl::Download, MainControl::Protect,
    MainControl::Report,  MainControl::SaveFile, MainControl::OpenFile,
    MainControl::Monitor, MainControl::Reboot,   MainControl::Language};

// The buttons that open a settings dialog, in tab order.
constexpr std::array<int, 15> kSettingsButtons = {
    MainControl::Alarm,    MainControl::Tariff,   MainControl::Others,    MainControl::ConvValue,
    MainControl::Display,  MainControl::ExtBar,   MainControl::SigmaDisp, MainControl::Expression,
    MainControl::ShortCut, MainControl::Passcode, MainControl::Di,        MainControl::DoPo,
    MainControl::Ao,       MainControl::Modbus,   MainControl::CcLink};
