#include "config/BarQuantities.h"

#include "config/DisplayTexts.h"
#include "device/ParameterSet.h"
#include "text/CStringTable.h"
#include "text/NumericFieldReader.h"

namespace {
constexpr int Name(int k)
{
    return DisplayText::FirstQuantity + k;
}
constexpr int Unit(int k)
{
    return DisplayText::FirstQuantityUnit + k;
}
constexpr int Full(int k)
{
    return 112 + 4 * k;
}
constexpr int Zero(int k)
{
    return 114 + 4 * k;
}

constexpr std::array<BarQuantity, kBarQuantityCount> kQuantities = {{
    {Name(0), 0, 20000000, 1000, Unit(0), Full(0), Zero(0)},          // I, A
    {Name(1), 0, 40000000, 100, Unit(1), Full(1), Zero(1)},           // U, V
    {Name(2), -2000000000, 2000000000, 1, Unit(2), Full(2), Zero(2)}, // P, W
    {Name(3), -2000000000, 2000000000, 1, Unit(3), Full(3), Zero(3)}, // Q, var
    {Name(4), 0, 2000000000, 1, Unit(4), Full(4), Zero(4)},           // S, VA
    {Name(5), -10000, 10000, 10000, Unit(5), Full(5), Zero(5)},       // PF, cosfi
    {Name(6), 4500, 6500, 100, Unit(6), Full(6), Zero(6)},            // F, Hz
    {Name(7), 0, 9999, 10, Unit(7), Full(7), Zero(7)},                // THD, %
    {Name(8), -180, 180, 1, Unit(8), Full(8), Zero(8)},               // PHASE DIF, Deg
}};
} // namespace

const std::array<BarQuantity, kBarQuantityCount>& BarQuantities()
{
    return kQuantities;
}

int BarWord(const BarQuantity& quantity, BarEnd end)
{
    return end == BarEnd::Full ? quantity.fullWord : quantity.zeroWord;
}

std::string BarCellText(const BarQuantity& quantity, const ParameterSet& set, BarEnd end)
{
    return FormatScaledValue(set.Get32(BarWord(quantity, end)), quantity.scale) + " (" +
           LoadText(quantity.unitId) + ")";
}

void StoreBarValue(const BarQuantity& quantity, BarEnd end, const std::string& text,
                   ParameterSet& set)
{
    const NumericField field{quantity.scale, quantity.minimum, quantity.maximum, quantity.nameId,
                             std::nullopt};
    set.Set32(BarWord(quantity, end), static_cast<std::int32_t>(ReadNumericField(text, field)));
}
