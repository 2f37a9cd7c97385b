#pragma once

// String ids of the alarm and tariff dialogs' own labels.
namespace AlarmText {
constexpr int AlarmCaption = 22300;
constexpr int PowerOnDelay = 22301;
constexpr int Seconds = 22302;
constexpr int Latching = 22303;
constexpr int AlarmList = 22304;
constexpr int Ok = 22305;
constexpr int Cancel = 22306;

// Row names, one per alarm row in row order.
constexpr int FirstRowName = 22310;

constexpr int UnitA = 22340;
constexpr int UnitV = 22341;
constexpr int UnitW = 22342;
constexpr int UnitVar = 22343;
constexpr int UnitVa = 22344;
constexpr int UnitCosfi = 22345;
constexpr int UnitHz = 22346;
constexpr int UnitPercent = 22347;
constexpr int UnitDeg = 22348;
constexpr int UnitSec = 22349;

constexpr int TariffCaption = 22360;
constexpr int HighTariff = 22361;
constexpr int LowTariff = 22362;
constexpr int TariffNote = 22363;

// Column headings "Name" ... "Output".
constexpr int FirstColumnHeading = 2250;

// Names the range messages give a field.
constexpr int PowerOnDelayName = 15500;
constexpr int HighSetpointName = 15502;
constexpr int LowSetpointName = 15503;
constexpr int HysteresisName = 15505;
constexpr int OnDelayName = 15506;
} // namespace AlarmText
