#pragma once

#include <cstdint>

#include "device/Capabilities.h"
#include "device/ParameterWords.h"

struct ParameterSet;

// Words of "Display Expression Setting" and "Short Cut Menu Setting", each a
// two-way choice (0 = first button, 1 = second).
namespace DisplayOptionWord {
constexpr int InputLine = 169;      // "1 - 2 - 3" / "R - S - T"
constexpr int PhaseDirection = 170; // "inductive / capacitive" / "LAG / LEAD"
using ParameterWord::PowerFormat;   // "Use k ..." / "No use k ..."
constexpr int ClearAlarmShortCut = 223;
} // namespace DisplayOptionWord

namespace ExpressionControl {
constexpr int InputLineFirst = 1061;
constexpr int InputLineSecond = 1062;
constexpr int PhaseDirectionFirst = 1024;
constexpr int PhaseDirectionSecond = 1025;
constexpr int PowerFormatFirst = 1036;
constexpr int PowerFormatSecond = 1037;
constexpr int InputLineLabel = 1104;
constexpr int PhaseDirectionLabel = 1105;
constexpr int PowerFormatLabel = 1130;
} // namespace ExpressionControl

namespace ShortCutControl {
constexpr int Disable = 1132;
constexpr int Enable = 1133;
} // namespace ShortCutControl

// The input-line and phase-direction pairs belong to KTA.
bool ExpressionIndicationEnabled(Capabilities caps);
// The power format belongs to the second generations.
bool ExpressionPowerFormatEnabled(Capabilities caps);

// A radio pair shows a word with its second button for any non-zero value
// and stores 1 for the second button, 0 for the first.
inline bool SecondButtonChecked(std::uint16_t value)
{
    return value != 0;
}
inline std::uint16_t PairValue(bool secondChecked)
{
    return secondChecked ? 1 : 0;
}

// "Display Expression Setting": whether each pair has its second button
// checked. A pair the variant lacks shows neither button and keeps its word.
struct ExpressionForm {
    bool rstLines = false;    // "R - S - T" rather than "1 - 2 - 3"
    bool lagLead = false;     // "LAG / LEAD" rather than "inductive / capacitive"
    bool noKForPower = false; // "No use k ..." rather than "Use k ..."
};
ExpressionForm ExpressionFormOf(const ParameterSet& set);
void ReadExpressionForm(const ExpressionForm& form, ParameterSet& set);

// "Short Cut Menu Setting": whether "Enable" is checked for clearing alarms.
struct ShortCutForm {
    bool clearAlarm = false;
};
ShortCutForm ShortCutFormOf(const ParameterSet& set);
void ReadShortCutForm(const ShortCutForm& form, ParameterSet& set);
