#pragma once

#include "text/TextIds.h"

// String ids of the display dialogs' own labels.
namespace DisplayText {
constexpr int DisplaySetting = 22600;
constexpr int LcdBacklight = 22601;
constexpr int OperationMode = 22602;
constexpr int Seconds = 22603;
constexpr int Brightness = 22604;
constexpr int Dark = 22605;
constexpr int Bright = 22606;
constexpr int UsePresetTimer = 22607;
constexpr int Display = 22608;
constexpr int EnergyDisplayView = 22609;
constexpr int MyDefault = 22610;
constexpr int KeyOperationLock = 22611;
constexpr int OffTimer = 15551;
constexpr int DataDisplayView = 15001;
constexpr int UpdateRate = 15553;

constexpr int ZneDisplaySetting = 22620;
constexpr int AutoOff = 22621;
constexpr int DisplayFormat = 22622;
constexpr int Energy = 22623;
constexpr int Power = 22624;
constexpr int Current = 22625;
constexpr int Voltage = 22626;
constexpr int PowerFactor = 22627;
constexpr int Frequency = 22628;
constexpr int ActivateDisplay = 22629;
using TextId::FirstCircuit;

constexpr int BarSetting = 22640;
constexpr int Input = 22641;
constexpr int Full = 22642;              // "100%"
constexpr int Zero = 22643;              // "0%"
constexpr int FirstQuantity = 22650;     // "I" ... "PHASE DIF"
constexpr int FirstQuantityUnit = 22660; // "A" ... "Deg"

constexpr int SigmaDisplaySetting = 22670;
constexpr int Value = 22671;

constexpr int ExpressionSetting = 22680;
constexpr int InputLineIndication = 22681;
constexpr int PhaseDirectionIndication = 22682;
constexpr int PowerFormat = 22683;
constexpr int Lines123 = 22684; // "1 - 2 - 3"
constexpr int LinesRst = 22685; // "R - S - T"
constexpr int InductiveCapacitive = 2850;
constexpr int LagLead = 2851;
constexpr int UseK = 4200;
constexpr int NoUseK = 4201;

constexpr int ShortCutMenuSetting = 22690;
constexpr int ClearAlarm = 22691;
constexpr int Disable = 3100;
constexpr int Enable = 3101;

constexpr int Ok = 21064;
constexpr int Cancel = 21065;
} // namespace DisplayText
