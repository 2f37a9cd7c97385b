#include "config/AnalogOutputTable.h"

#include "config/InterfaceTexts.h"
#include "device/ParameterWords.h"
#include "text/CStringTable.h"
#include "text/NumericFieldReader.h"

namespace {
constexpr int kTableOffset = 9; // X[0]; X and Y alternate from here

AoRowKind KindOfOffset(int offset)
{
    switch (offset) {
    case 0:
        return AoRowKind::OutputType;
    case 1:
        return AoRowKind::Input;
    case 2:
        return AoRowKind::AdjustZero;
    case 3:
        return AoRowKind::AdjustSpan;
    case 4:
        return AoRowKind::Linearizer;
    default:
        // Input 0 %, Output 0 %, Input 100 %, Output 100 %, then X[i], Y[i].
        return offset % 2 == 1 ? AoRowKind::InputPercent : AoRowKind::Output;
    }
}

struct OutputRange {
    std::int64_t minimum;
    std::int64_t maximum;
    int scale;
    int unitId;
    std::uint16_t default0;
    std::uint16_t default100;
};

OutputRange RangeOf(AoOutputKind kind)
{
    using namespace InterfaceText;
    switch (kind) {
    case AoOutputKind::Voltage1to5:
        return {400, 5600, 1000, UnitVolt, 400, 2000};
    case AoOutputKind::ZmCurrent0to20:
        return {-100, 2300, 100, UnitMilliampere, 400, 2000};
    case AoOutputKind::ZmVoltage5:
        return {-5750, 5750, 1000, UnitVolt, 0, 5000};
    case AoOutputKind::ZmVoltage10:
        return {-1150, 1150, 100, UnitVolt, 0, 1000};
    case AoOutputKind::Current4to20:
    default:
        return {160, 2240, 100, UnitMilliampere, 400, 2000};
    }
}

std::int16_t Signed(std::uint16_t word)
{
    return static_cast<std::int16_t>(word);
}

std::uint16_t OutputTypeOf(const ParameterSet& set, int output)
{
    return set[ParameterWord::FirstAoWord + output * ParameterWord::AoBlockWords];
}
} // namespace

std::vector<AoRow> AnalogOutputRows(Capabilities caps)
{
    std::vector<AoRow> rows;
    for (int offset = (caps & CapZmAo) != 0 ? 0 : 1; offset < ParameterWord::AoBlockWords; ++offset)
        rows.push_back({offset, KindOfOffset(offset)});
    return rows;
}

int AnalogOutputColumns(Capabilities caps)
{
    if ((caps & CapAo4) != 0)
        return 4;
    if ((caps & CapAo3) != 0)
        return 3;
    if ((caps & CapAo2) != 0)
        return 2;
    return (caps & CapAo1) != 0 ? 1 : 0;
}

int AoWord(int output, const AoRow& row)
{
    return ParameterWord::FirstAoWord + output * ParameterWord::AoBlockWords + row.offset;
}

int AoRowNameId(const AoRow& row)
{
    return InterfaceChoice::AoRowNameBase + row.offset;
}

bool IsAoListRow(AoRowKind kind)
{
    return kind == AoRowKind::OutputType || kind == AoRowKind::Input ||
           kind == AoRowKind::Linearizer;
}

AoOutputKind AoOutputKindOf(Capabilities caps, std::uint16_t outputType)
{
    if ((caps & CapZmAo) != 0) {
        switch (outputType) {
        case 1:
            return AoOutputKind::ZmVoltage5;
        case 2:
            return AoOutputKind::ZmVoltage10;
        default:
            return AoOutputKind::ZmCurrent0to20;
        }
    }
    return (caps & CapAo1to5V) != 0 ? AoOutputKind::Voltage1to5 : AoOutputKind::Current4to20;
}

std::optional<AoLimits> AoRowLimits(AoRowKind kind, Capabilities caps, std::uint16_t outputType)
{
    using InterfaceText::UnitPercent;
    switch (kind) {
    case AoRowKind::AdjustZero:
        return AoLimits{-500, 500, 100, UnitPercent};
    case AoRowKind::AdjustSpan:
        return AoLimits{9500, 10500, 100, UnitPercent};
    case AoRowKind::InputPercent:
        return AoLimits{-1500, 14000, 100, UnitPercent};
    case AoRowKind::Output: {
        const OutputRange r = RangeOf(AoOutputKindOf(caps, outputType));
        return AoLimits{r.minimum, r.maximum, r.scale, r.unitId};
    }
    default:
        return std::nullopt;
    }
}

AoChoices AoChoicesFor(AoRowKind kind, Capabilities caps)
{
    switch (kind) {
    case AoRowKind::OutputType:
        return {{0, 1, 2}, InterfaceChoice::AoOutputTypeBase};
    case AoRowKind::Linearizer:
        return {{0, 1}, InterfaceChoice::LinearizerBase};
    case AoRowKind::Input: {
        // Neutral current and its THD exist only where there is a neutral.
        const bool neutral = (caps & (CapKtaGen2 | Cap3P4W | CapKtbV3 | CapZm)) != 0;
        AoChoices choices{{}, InterfaceChoice::AoInputBase};
        for (int code = 0; code <= 39; ++code) {
            if (neutral || (code != 11 && code != 33))
                choices.values.push_back(code);
        }
        choices.values.push_back(43);
        choices.values.push_back(44);
        return choices;
    }
    default:
        return {{}, 0};
    }
}

int AoChoiceIndex(const AoChoices& choices, std::uint16_t value)
{
    for (size_t i = 0; i < choices.values.size(); ++i) {
        if (choices.values[i] == value)
            return static_cast<int>(i);
    }
    return 0;
}

std::string AoCellText(const ParameterSet& set, int output, const AoRow& row)
{
    const std::uint16_t value = set[AoWord(output, row)];
    const auto limits = AoRowLimits(row.kind, set.type.Caps(), OutputTypeOf(set, output));
    if (!limits)
        return LoadText(AoChoicesFor(row.kind, set.type.Caps()).textBase + value);
    return FormatScaledValue(Signed(value), limits->scale) + " (" + LoadText(limits->unitId) + ")";
}

std::string AoEditText(const ParameterSet& set, int output, const AoRow& row)
{
    const auto limits = AoRowLimits(row.kind, set.type.Caps(), OutputTypeOf(set, output));
    return limits ? FormatScaledValue(Signed(set[AoWord(output, row)]), limits->scale)
                  : std::string();
}

void StoreAoNumber(ParameterSet& set, int output, const AoRow& row, const std::string& text)
{
    const auto limits = AoRowLimits(row.kind, set.type.Caps(), OutputTypeOf(set, output));
    if (!limits)
        return;
    const std::int64_t value = ReadNumericField(
        text, NumericField{limits->scale, limits->minimum, limits->maximum, AoRowNameId(row), {}});
    set[AoWord(output, row)] = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
}

void ChangeAoOutputType(ParameterSet& set, int output, std::uint16_t outputType)
{
    const int block = ParameterWord::FirstAoWord + output * ParameterWord::AoBlockWords;
    set[block] = outputType;
    const OutputRange r = RangeOf(AoOutputKindOf(CapZmAo, outputType));
    set[block + ParameterWord::AoOutput0Offset] = r.default0;
    set[block + ParameterWord::AoOutput100Offset] = r.default100;
    for (int i = 0; i < ParameterWord::AoTablePoints; ++i)
        set[block + kTableOffset + 2 * i + 1] = 0;
}

bool StoreAoChoice(ParameterSet& set, int output, const AoRow& row, int listIndex)
{
    const AoChoices choices = AoChoicesFor(row.kind, set.type.Caps());
    if (listIndex < 0 || listIndex >= static_cast<int>(choices.values.size()))
        return false;
    const int word = AoWord(output, row);
    const auto value = static_cast<std::uint16_t>(choices.values[static_cast<size_t>(listIndex)]);
    if (row.kind != AoRowKind::OutputType)
        set[word] = value;
    else if (value != set[word])
        ChangeAoOutputType(set, output, value);
    return true;
}
