#include "utility/QhPreset.h"

#include <array>
#include <stdexcept>

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/CPasscodeProtection.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/MonitorTexts.h"
#include "utility/CConnectionBracket.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

namespace {

constexpr int kChannelsPerModule = 8;
constexpr int kRecordItems = 29;
constexpr int kFirstRecordItem = 398;

constexpr std::array<int, 16> kRecords = {4416, 4480, 4672, 4736, 4928, 4992, 5184, 5248,
                                          5440, 5504, 5696, 5760, 5952, 6016, 6208, 6272};

} // namespace

int QhEnergyRecordRegister(int channel)
{
    if (channel < 0 || channel >= static_cast<int>(kRecords.size()))
        throw std::invalid_argument("QH channel outside 0-15");
    return kRecords[static_cast<std::size_t>(channel)];
}

std::optional<QhPresetCell> QhPresetCellOf(int item, QhModule module)
{
    const int offset = item - kFirstRecordItem;
    if (offset < 0 || offset >= kChannelsPerModule * kRecordItems)
        return std::nullopt;
    const int field = offset % kRecordItems;
    if (field > 1)
        return std::nullopt;
    const int base = module == QhModule::Extension ? kChannelsPerModule : 0;
    return QhPresetCell{base + offset / kRecordItems, static_cast<QhEnergy>(field)};
}

int QhPresetItem(const QhPresetCell& cell)
{
    return kFirstRecordItem + kRecordItems * (cell.channel % kChannelsPerModule) +
           static_cast<int>(cell.quantity);
}

void ReadQhPresetPage(CModbusInterface& connection, QhModule module, CMeasurandsKTA& image)
{
    constexpr int kPresetValues = 2, kDateItem = 1870, kTimeItem = 1871;
    const int base = module == QhModule::Extension ? kChannelsPerModule : 0;
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    for (int c = 0; c < kChannelsPerModule; ++c) {
        const auto values = RegisterIo::ReadValues(connection, QhEnergyRecordRegister(base + c),
                                                   kPresetValues, false);
        for (int i = 0; i < kPresetValues; ++i)
            image.items[std::size_t(kFirstRecordItem + kRecordItems * c + i)] =
                static_cast<std::int32_t>(values[std::size_t(i)]);
    }
    const auto clock =
        RegisterIo::ReadWords(connection, UtilityRegister::kClock, UtilityRegister::kClockCount);
    image.items[kDateItem] =
        static_cast<std::int32_t>(RegisterIo::Combine(clock[0], clock[1], false));
    image.items[kTimeItem] = clock[2];
}

ScaledInput QhPresetInput(QhEnergy quantity)
{
    return {quantity == QhEnergy::ActiveIn ? MonitorText::kActiveIn : MonitorText::kReactiveLag, 10,
            0, 999999999, std::nullopt};
}

bool WriteQhEnergyPreset(CModbusInterface& connection, const QhPresetCell& cell, std::int64_t value)
{
    const int reg = QhEnergyRecordRegister(cell.channel) + 2 * static_cast<int>(cell.quantity);
    const ScaledInput input = QhPresetInput(cell.quantity);
    if (value < input.minimum || value > input.maximum)
        throw std::invalid_argument("preset value outside the cell's range");
    CAccessRight access(connection);
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return false;
    if (!protection.Identity().Has(CapQh))
        throw std::invalid_argument("the QH preset applies to QH devices only");
    {
        CConnectionBracket bracket(connection);
        RegisterIo::Write32(connection, reg, static_cast<std::uint32_t>(value), false);
    }
    protection.Lock();
    return true;
}
