#include "config/ConversionSettings.h"

#include <algorithm>
#include <array>

#include "app/CPrivateException.h"
#include "config/InputDialogTexts.h"
#include "device/ParameterSet.h"
#include "device/ParameterWords.h"
#include "device/UnitText.h"

namespace {
constexpr int kTextBlank = 999;
constexpr int kTextCoefficientName = 15700;

constexpr int kMsgTooLong = 11041;
constexpr int kMsgNoPrefix = 11042;
constexpr int kMsgBadCharacter = 11043;
constexpr int kMsgTwoKilo = 11044;
constexpr int kMsgBlank = 11047;
constexpr int kMsgBadLastCharacter = 11048;

bool IsUnitCharacter(char c)
{
    return c == ' ' || c == 'k' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '/' ||
           c == '-' || c == '+' || c == '[' || c == ']';
}

// Characters, not bytes: a typed multibyte character counts once.
size_t CharacterCount(const std::string& text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}
} // namespace

const ConversionCell* ConversionGridLayout::CellAt(int column, int row) const
{
    for (const auto& cell : cells)
        if (cell.column == column && cell.row == row)
            return &cell;
    return nullptr;
}

ConversionGridLayout ConversionGridFor(Capabilities caps)
{
    ConversionGridLayout grid;
    const bool units = (caps & CapZnepw) != 0;
    grid.headers.push_back({kTextBlank, 0, 0});
    for (int i = 0; i < kConversionCircuits; ++i)
        grid.headers.push_back({InputText::CircuitA + i, i + 1, 0});
    grid.headers.push_back({InputText::ConvValueCoef, 0, 1});
    if (units)
        grid.headers.push_back({InputText::ConvValueUnit, 0, 2});
    for (int i = 0; i < kConversionCircuits; ++i) {
        const auto n = static_cast<size_t>(i);
        grid.cells.push_back(
            {i + 1, 1, ParameterWord::ConvValueCoef[n], ConversionRow::Coefficient});
        if (units)
            grid.cells.push_back({i + 1, 2, ParameterWord::ConvValueUnit[n], ConversionRow::Unit});
    }
    return grid;
}

const NumericField& ConversionCoefficientLimits()
{
    static const NumericField limits{1000, 0, 99999, kTextCoefficientName, std::nullopt};
    return limits;
}

std::string ConversionCellText(const ConversionCell& cell, const ParameterSet& set)
{
    if (cell.kind == ConversionRow::Unit)
        return UnitText(set, cell.word);
    return FormatScaledValue(set.Get32(cell.word), 1000);
}

std::string PaddedConversionUnit(const std::string& text)
{
    if (text.size() >= kUnitTextChars)
        return text;
    return std::string(kUnitTextChars - text.size(), ' ') + text;
}

int ConversionUnitError(const std::string& text)
{
    if (CharacterCount(text) > kUnitTextChars)
        return kMsgTooLong;
    const std::string unit = PaddedConversionUnit(text);
    if (!std::all_of(unit.begin(), unit.end(), IsUnitCharacter))
        return kMsgBadCharacter;
    const auto kilos = std::count(unit.begin(), unit.end(), 'k');
    const auto blanks = std::count(unit.begin(), unit.end(), ' ');
    if (kilos >= 2)
        return kMsgTwoKilo;
    if (kilos == 0 && blanks == 0)
        return kMsgNoPrefix;
    if (blanks == kUnitTextChars)
        return kMsgBlank;
    if (unit.back() == ' ' || unit.back() == 'k')
        return kMsgBadLastCharacter;
    return 0;
}

void ApplyConversionCell(const ConversionCell& cell, const std::string& text, ParameterSet& set)
{
    if (cell.kind == ConversionRow::Coefficient) {
        set.Set32(cell.word,
                  static_cast<std::int32_t>(ReadNumericField(text, ConversionCoefficientLimits())));
        return;
    }
    if (const int error = ConversionUnitError(text))
        throw CPrivateException(error);
    SetUnitText(set, cell.word, PaddedConversionUnit(text));
}
