#include "config/AlarmSettings.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "config/AlarmTexts.h"
#include "text/CStringTable.h"
#include "text/NumericFieldReader.h"

namespace {
// Row, minimum, maximum, scale, unit and the capabilities the row needs.
constexpr std::array<AlarmRow, kAlarmRowCount> kAlarmRows = {{
    {AlarmText::FirstRowName + 0, 0, 20000000, 1000, AlarmText::UnitA,
     CapMask(0x80000000, 0x1A0)}, // I1, I2, I3 (A)
    {AlarmText::FirstRowName + 1, 0, 20000000, 1000, AlarmText::UnitA,
     CapMask(0x20100000, 0x1A1)}, // IN (A)
    {AlarmText::FirstRowName + 2, 0, 40000000, 100, AlarmText::UnitV,
     CapMask(0x80000000, 0x1A0)}, // U12, U23, U31 (V)
    {AlarmText::FirstRowName + 3, 0, 40000000, 100, AlarmText::UnitV,
     CapMask(0x80000000, 0x1A0)}, // U1N, U2N, U3N (V)
    {AlarmText::FirstRowName + 4, -2000000000, 2000000000, 1, AlarmText::UnitW,
     CapMask(0x80000000, 0x1A0)}, // P (W)
    {AlarmText::FirstRowName + 5, -2000000000, 2000000000, 1, AlarmText::UnitVar,
     CapMask(0x80000000, 0x1A0)}, // Q (var)
    {AlarmText::FirstRowName + 6, 0, 2000000000, 1, AlarmText::UnitVa,
     CapMask(0x80000000, 0x1A0)}, // S (VA)
    {AlarmText::FirstRowName + 7, -10000, 10000, 10000, AlarmText::UnitCosfi,
     CapMask(0x80000000, 0x1A0)}, // PF (cosfi)
    {AlarmText::FirstRowName + 8, 4500, 6500, 100, AlarmText::UnitHz,
     CapMask(0x80000000, 0x1A0)}, // F (Hz)
    {AlarmText::FirstRowName + 9, 0, 20000000, 1000, AlarmText::UnitA,
     CapMask(0x80000000, 0x1A0)}, // I1 AVG, I2 AVG, I3 AVG (A)
    {AlarmText::FirstRowName + 10, 0, 20000000, 1000, AlarmText::UnitA,
     CapMask(0x20100000, 0x1A1)}, // IN AVG (A)
    {AlarmText::FirstRowName + 11, -2000000000, 2000000000, 1, AlarmText::UnitW,
     CapMask(0x80000000, 0x1A0)}, // P AVG (W)
    {AlarmText::FirstRowName + 12, -2000000000, 2000000000, 1, AlarmText::UnitVar,
     CapMask(0x80000000, 0x1A0)}, // Q AVG (var)
    {AlarmText::FirstRowName + 13, 0, 2000000000, 1, AlarmText::UnitVa,
     CapMask(0x80000000, 0x1A0)}, // S AVG (VA)
    {AlarmText::FirstRowName + 14, 0, 9999, 10, AlarmText::UnitPercent,
     CapMask(0x80000000, 0x1A0)}, // THD I1, THD I2, THD I3 (%)
    {AlarmText::FirstRowName + 15, 0, 9999, 10, AlarmText::UnitPercent,
     CapMask(0x20100000, 0x1A1)}, // THD IN (%)
    {AlarmText::FirstRowName + 16, 0, 9999, 10, AlarmText::UnitPercent,
     CapMask(0x80000000, 0x1A0)}, // THD U12, THD U23, THD U31 (%)
    {AlarmText::FirstRowName + 17, 0, 9999, 10, AlarmText::UnitPercent,
     CapMask(0x80000000, 0x1A0)}, // THD U1N, THD U2N, THD U3N (%)
    {AlarmText::FirstRowName + 18, -180, 180, 1, AlarmText::UnitDeg,
     CapMask(0x00000000, 0xA6)}, // UT12, UT23, UT31 (Deg)
}};

// Output codes with a text: 0-5 ("Disable" to "... + Do4"); on ZM 0 and 2.
constexpr int kOutputTexts = 6;
constexpr std::uint16_t kZmDo1Code = 2;
constexpr int kHysteresisScale = 10;
constexpr std::int64_t kMaxHysteresis = 999; // 99.9 %
constexpr std::int64_t kMaxDelay = 999;      // seconds

int HighestDigitalOutput(Capabilities caps)
{
    if (caps & CapDo4)
        return 4;
    if (caps & CapDo3)
        return 3;
    if (caps & CapDo2)
        return 2;
    return (caps & CapDo1) ? 1 : 0;
}

std::string WithUnit(const std::string& number, int unitId)
{
    return number + " (" + LoadText(unitId) + ")";
}

std::string OneDecimal(std::uint16_t tenths)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", tenths / 10.0);
    return buf;
}

int SetpointOffset(AlarmColumn column)
{
    return column == AlarmColumn::HighSetpoint ? AlarmWord::HighSetpoint : AlarmWord::LowSetpoint;
}

bool StepRow(Capabilities caps, int& row, int step)
{
    for (int r = row + step; r >= 0 && r < kAlarmRowCount; r += step) {
        if (AlarmRowApplies(r, caps)) {
            row = r;
            return true;
        }
    }
    return false;
}
} // namespace

const AlarmRow& AlarmRowAt(int row)
{
    return kAlarmRows.at(static_cast<size_t>(row));
}

int AlarmItemWord(int row, int offset)
{
    return AlarmWord::FirstItem + AlarmWord::ItemWords * row + offset;
}

bool AlarmRowApplies(int row, Capabilities caps)
{
    return row >= 0 && row < kAlarmRowCount && (AlarmRowAt(row).mask & caps) != 0;
}

bool IsAlarmValueColumn(int column)
{
    return column >= int(AlarmColumn::HighSetpoint) && column <= int(AlarmColumn::Output);
}

std::string AlarmCellText(const ParameterSet& set, int row, AlarmColumn column)
{
    if (column == AlarmColumn::Name)
        return LoadText(AlarmRowAt(row).nameId);
    if (!AlarmRowApplies(row, set.type.Caps()))
        return {};
    switch (column) {
    case AlarmColumn::HighSetpoint:
    case AlarmColumn::LowSetpoint:
        return WithUnit(AlarmEditText(set, row, column), AlarmRowAt(row).unitId);
    case AlarmColumn::Hysteresis:
        return WithUnit(AlarmEditText(set, row, column), AlarmText::UnitPercent);
    case AlarmColumn::OnDelay:
        return WithUnit(AlarmEditText(set, row, column), AlarmText::UnitSec);
    case AlarmColumn::Output:
        return AlarmOutputText(set.type.Caps(), set[AlarmItemWord(row, AlarmWord::Output)]);
    default:
        return {};
    }
}

std::string AlarmEditText(const ParameterSet& set, int row, AlarmColumn column)
{
    switch (column) {
    case AlarmColumn::HighSetpoint:
    case AlarmColumn::LowSetpoint:
        return FormatScaledValue(set.Get32(AlarmItemWord(row, SetpointOffset(column))),
                                 AlarmRowAt(row).scale);
    case AlarmColumn::Hysteresis:
        return OneDecimal(set[AlarmItemWord(row, AlarmWord::Hysteresis)]);
    case AlarmColumn::OnDelay:
        return std::to_string(set[AlarmItemWord(row, AlarmWord::OnDelay)]);
    default:
        return {};
    }
}

void StoreAlarmValue(ParameterSet& set, int row, AlarmColumn column, const std::string& text)
{
    const AlarmRow& r = AlarmRowAt(row);
    switch (column) {
    case AlarmColumn::HighSetpoint:
    case AlarmColumn::LowSetpoint: {
        const int nameId = column == AlarmColumn::HighSetpoint ? AlarmText::HighSetpointName
                                                               : AlarmText::LowSetpointName;
        const auto value = ReadNumericField(text, {r.scale, r.minimum, r.maximum, nameId, {}});
        set.Set32(AlarmItemWord(row, SetpointOffset(column)), static_cast<std::int32_t>(value));
        return;
    }
    case AlarmColumn::Hysteresis:
        set[AlarmItemWord(row, AlarmWord::Hysteresis)] =
            static_cast<std::uint16_t>(ReadNumericField(
                text, {kHysteresisScale, 0, kMaxHysteresis, AlarmText::HysteresisName, {}}));
        return;
    case AlarmColumn::OnDelay:
        set[AlarmItemWord(row, AlarmWord::OnDelay)] = static_cast<std::uint16_t>(
            ReadNumericField(text, {1, 0, kMaxDelay, AlarmText::OnDelayName, {}}));
        return;
    default:
        return;
    }
}

std::vector<std::uint16_t> AlarmOutputCodes(Capabilities caps, std::uint16_t storedCode)
{
    if (caps & CapZm)
        return {0, kZmDo1Code};
    // A stored code beyond the outputs present stays listed, but the list
    // never runs past the codes that have a text: a corrupt word would
    // otherwise make tens of thousands of entries with borrowed texts.
    int count = 2 + HighestDigitalOutput(caps);
    count = std::max(count, std::min(int(storedCode) + 1, kOutputTexts));
    std::vector<std::uint16_t> codes;
    for (int c = 0; c < count; ++c)
        codes.push_back(static_cast<std::uint16_t>(c));
    return codes;
}

int AlarmOutputTextBase(Capabilities caps)
{
    if (caps & (CapLkta | CapLktas))
        return 2420;
    return (caps & CapZm) ? 2430 : 2400;
}

std::string AlarmOutputText(Capabilities caps, std::uint16_t code)
{
    const bool hasText = (caps & CapZm) ? (code == 0 || code == kZmDo1Code) : code < kOutputTexts;
    if (!hasText)
        return std::to_string(code);
    return LoadText(AlarmOutputTextBase(caps) + code);
}

int AlarmOutputIndex(Capabilities caps, std::uint16_t storedCode)
{
    const auto codes = AlarmOutputCodes(caps, storedCode);
    const auto it = std::find(codes.begin(), codes.end(), storedCode);
    return it == codes.end() ? -1 : int(it - codes.begin());
}

void StoreAlarmOutput(ParameterSet& set, int row, int listIndex)
{
    const int word = AlarmItemWord(row, AlarmWord::Output);
    const auto codes = AlarmOutputCodes(set.type.Caps(), set[word]);
    if (listIndex >= 0 && listIndex < int(codes.size()))
        set[word] = codes[static_cast<size_t>(listIndex)];
}

std::optional<CellPos> AlarmNeighbourCell(Capabilities caps, int row, int column, EditMove move)
{
    if (!AlarmRowApplies(row, caps) || !IsAlarmValueColumn(column))
        return std::nullopt;
    switch (move) {
    case EditMove::Stay:
        return CellPos{column, row};
    case EditMove::Down:
    case EditMove::Up:
        if (!StepRow(caps, row, move == EditMove::Down ? 1 : -1))
            return std::nullopt;
        return CellPos{column, row};
    case EditMove::Left:
    case EditMove::Right: {
        const int next = column + (move == EditMove::Right ? 1 : -1);
        if (!IsAlarmValueColumn(next))
            return std::nullopt;
        return CellPos{next, row};
    }
    }
    return std::nullopt;
}

void StorePowerOnDelay(ParameterSet& set, const std::string& text)
{
    set[AlarmWord::PowerOnDelay] = static_cast<std::uint16_t>(
        ReadNumericField(text, {1, 0, kMaxDelay, AlarmText::PowerOnDelayName, {}}));
}

AlarmForm AlarmFormOf(const ParameterSet& set)
{
    return {std::to_string(set[AlarmWord::PowerOnDelay]), set[AlarmWord::Latching] != 0};
}

void ReadAlarmForm(const AlarmForm& form, ParameterSet& set)
{
    StorePowerOnDelay(set, form.powerOnDelay);
    set[AlarmWord::Latching] = form.latching ? 1 : 0;
}
