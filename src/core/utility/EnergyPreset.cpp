#include "utility/EnergyPreset.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "utility/CConnectionBracket.h"
#include "utility/CWriteMode.h"
#include "utility/ImageIdentity.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;

namespace {

constexpr std::uint16_t kPresetMode = 2;
constexpr int kFractionItemOffset = 56;
constexpr std::int64_t kFractionUnit = std::int64_t(1) << 32;

// Item, first register, name, kind.
constexpr std::array<EnergyPresetRow, 36> kTable = {{
    {75, 146, 1400, PresetKind::Timer},     {66, 128, 1401, PresetKind::Energy},
    {69, 134, 1402, PresetKind::Energy},    {67, 130, 1403, PresetKind::Energy},
    {70, 136, 1404, PresetKind::Energy},    {68, 132, 1409, PresetKind::Energy},
    {71, 138, 1405, PresetKind::Energy},    {72, 140, 1406, PresetKind::Energy},
    {73, 142, 1407, PresetKind::Energy},    {74, 144, 1408, PresetKind::Energy},
    {76, 148, 1410, PresetKind::Energy},    {77, 150, 1411, PresetKind::Energy},
    {78, 152, 1412, PresetKind::NetEnergy}, {79, 154, 1413, PresetKind::Energy},
    {89, 178, 1400, PresetKind::Timer},     {80, 160, 1401, PresetKind::Energy},
    {83, 166, 1402, PresetKind::Energy},    {81, 162, 1403, PresetKind::Energy},
    {84, 168, 1404, PresetKind::Energy},    {82, 164, 1409, PresetKind::Energy},
    {85, 170, 1405, PresetKind::Energy},    {86, 172, 1406, PresetKind::Energy},
    {87, 174, 1407, PresetKind::Energy},    {88, 176, 1408, PresetKind::Energy},
    {90, 180, 1410, PresetKind::Energy},    {91, 182, 1411, PresetKind::Energy},
    {92, 184, 1412, PresetKind::NetEnergy}, {93, 186, 1413, PresetKind::Energy},
    {390, 3136, 4300, PresetKind::Counter}, {391, 3138, 4301, PresetKind::Counter},
    {392, 3140, 4302, PresetKind::Counter}, {393, 3142, 4303, PresetKind::Counter},
    {394, 3144, 4304, PresetKind::Counter}, {395, 3146, 4305, PresetKind::Counter},
    {396, 3148, 4306, PresetKind::Counter}, {397, 3150, 4307, PresetKind::Counter},
}};

// Integer steps of the typed 0.0001 units: 1000 per 0.1 unit, 100 per 0.01 unit.
std::int64_t StepOf(EnergyUnits units)
{
    return units == EnergyUnits::Tenths ? 1000 : 100;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

std::span<const EnergyPresetRow> EnergyPresetTable()
{
    return kTable;
}

const EnergyPresetRow* FindEnergyPresetRow(int item)
{
    for (const EnergyPresetRow& row : kTable)
        if (row.item == item)
            return &row;
    return nullptr;
}

ScaledInput EnergyPresetInput(const EnergyPresetRow& row, EnergyUnits units)
{
    const bool tenths = units == EnergyUnits::Tenths;
    // The integer part's largest value, in 0.0001 units.
    const std::int64_t energyMax = tenths ? 999999999999 : 99999999999;
    switch (row.kind) {
    case PresetKind::Timer:
        return {row.nameId, tenths ? 10 : 100, 0, 999999999, std::nullopt};
    case PresetKind::Energy:
        return {row.nameId, 10000, 0, energyMax, std::nullopt};
    case PresetKind::NetEnergy:
        return {row.nameId, 10000, -999999999 * StepOf(units), energyMax, std::nullopt};
    case PresetKind::Counter:
        break;
    }
    return {row.nameId, 1, 0, 999999999, std::nullopt};
}

PresetParts SplitPresetValue(PresetKind kind, std::int64_t value, EnergyUnits units)
{
    PresetParts parts;
    if (kind == PresetKind::Counter) {
        parts.integer = static_cast<std::int32_t>(value);
        return parts;
    }
    if (kind == PresetKind::Timer) {
        parts.integer = static_cast<std::int32_t>(value);
        parts.fraction = 0;
        return parts;
    }
    const std::int64_t step = StepOf(units);
    const std::int64_t integer = FloorDiv(value, step);
    const std::int64_t remainder = value - integer * step; // 0 .. step - 1
    parts.integer = static_cast<std::int32_t>(integer);
    // One above the exact fraction, so the reading's integer division gives the digits back.
    parts.fraction = static_cast<std::uint32_t>(remainder * kFractionUnit / step + 1);
    return parts;
}

std::optional<PresetParts> WriteEnergyPreset(CModbusInterface& connection, int channel, int item,
                                             std::int64_t value, EnergyUnits units)
{
    const EnergyPresetRow* row = FindEnergyPresetRow(item);
    if (!row)
        return std::nullopt;
    const ScaledInput input = EnergyPresetInput(*row, units);
    if (value < input.minimum || value > input.maximum)
        throw std::invalid_argument("preset value outside the cell's range");
    const bool counter = row->kind == PresetKind::Counter;
    const PresetParts parts = SplitPresetValue(row->kind, value, units);

    CAccessRight access(connection);
    CWriteMode writeMode(connection, CWriteMode::LeaveStep::Full);
    if (!counter && !writeMode.Enter(kPresetMode))
        return std::nullopt;
    {
        CConnectionBracket bracket(connection);
        const int reg =
            row->reg + (!counter && channel == 1 ? UtilityRegister::kChannel2Offset : 0);
        const bool highWordFirst = ReadHighWordFirst(connection);
        Write32(connection, reg, static_cast<std::uint32_t>(parts.integer), highWordFirst);
        if (parts.fraction)
            Write32(connection, reg + UtilityRegister::kEnergyFractionOffset, *parts.fraction,
                    highWordFirst);
    }
    writeMode.Leave();
    return parts;
}

void ReadPresetTab(CModbusInterface& connection, int channel, int energyTab, int counters,
                   CMeasurandsKTA& image)
{
    struct Block {
        int reg;
        int values;
        int firstItem;
    };
    // The tariff tabs come in pairs: high tariff (0, 1), low tariff (2, 3).
    constexpr Block kHigh[] = {{128, 14, 66}, {192, 14, 122}};
    constexpr Block kLow[] = {{160, 14, 80}, {224, 14, 136}};
    constexpr int kCounterTab = 4, kCounterItem = 390, kCounters = 8;
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    const bool highWordFirst = ReadHighWordFirst(connection);
    ReadIdentityInto(connection, image);
    auto read = [&](const Block& b, int offset) {
        const auto values = ReadValues(connection, b.reg + offset, b.values, highWordFirst);
        for (std::size_t i = 0; i < values.size(); ++i)
            image.items[std::size_t(b.firstItem) + i] = static_cast<std::int32_t>(values[i]);
    };
    if (energyTab == kCounterTab) {
        if (counters > 0)
            read({UtilityRegister::kCounterValues, kCounters, kCounterItem}, 0);
        else
            std::fill_n(image.items.begin() + kCounterItem, kCounters, 0);
        return;
    }
    const int offset = channel == 1 ? UtilityRegister::kChannel2Offset : 0;
    for (const Block& b : energyTab < 2 ? std::span(kHigh) : std::span(kLow))
        read(b, offset);
}

void StorePreset(CMeasurandsKTA& image, int item, const PresetParts& parts)
{
    image.items[static_cast<std::size_t>(item)] = parts.integer;
    if (parts.fraction)
        image.items[static_cast<std::size_t>(item + kFractionItemOffset)] =
            static_cast<std::int32_t>(*parts.fraction);
}
