#pragma once

// String ids of the main configuration window's own labels.
namespace MainText {
constexpr int Caption = 21000;
constexpr int Upload = 21001;
constexpr int Download = 21002;
constexpr int Protect = 21003;
constexpr int Report = 21004;
constexpr int SaveFile = 21005;
constexpr int OpenFile = 21006;
constexpr int Monitor = 21007;
constexpr int Reboot = 21008;
constexpr int Language = 21009;
constexpr int Model = 21010;
constexpr int Input = 21011;
constexpr int System = 21012;
constexpr int VtRating = 21013;
constexpr int Primary = 21014;
constexpr int Secondary = 21015;
constexpr int Volt = 21016;
constexpr int Bar100 = 21017;
constexpr int CtRating = 21018;
constexpr int Ampere = 21019;
constexpr int Function = 21020;
constexpr int Demand = 21021;
constexpr int Current = 21022;
constexpr int Power = 21023;
constexpr int Minutes = 21024;
constexpr int Alarm = 21025;
constexpr int Tariff = 21026;
constexpr int Others = 21027;
constexpr int ConvValue = 21028;
constexpr int Operation = 21030;
constexpr int Display = 21031;
constexpr int ExtBar = 21032;
constexpr int SigmaDisp = 21033;
constexpr int Expression = 21034;
constexpr int ShortCut = 21035;
constexpr int Passcode = 21036;
constexpr int ExternalInterface = 21040;
constexpr int Di = 21041;
constexpr int DoPo = 21042;
constexpr int Ao = 21043;
constexpr int Modbus = 21044;
constexpr int CcLink = 21045;
constexpr int DipSwitch = 21046;
constexpr int CtSensor = 21047;
constexpr int DiscreteInput = 21050;
constexpr int InternalTimer = 21051;
} // namespace MainText
