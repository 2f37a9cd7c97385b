#include "monitor/QhMonitorReads.h"

#include <span>
#include <stdexcept>

#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "utility/UtilityRegisters.h"

using QhCells::QhView;

namespace QhReads {
namespace {

constexpr int kBasicRecords = 4416;
constexpr int kExtensionRecords = 5440;
constexpr int kRecordPairStride = 256; // records come in pairs 64 registers apart
constexpr int kRecordPairOffset = 64;
constexpr int kCurrents = 64; // + 32c, basic module
constexpr int kExtensionCurrents = 320;
constexpr int kCurrentStride = 32;
constexpr int kMainCurrentValues = 3;
constexpr int kPowers = 576; // + 96c, basic module
constexpr int kExtensionPowers = 1344;
constexpr int kPowerStride = 96;
constexpr int kPowerValues = 16;

constexpr int kEnergyItems = 398;
constexpr int kPulseItems = 630;
constexpr int kCurrentItems = 886;
constexpr int kCurrentItemStride = 15;
constexpr int kPowerItems = 1006;
constexpr int kPowerItemStride = 48;

constexpr int kVoltageThd = 6464; // 14: 6 latest, 2 unused, 6 maximum
constexpr int kVoltageThdCount = 14;
constexpr int kVoltageThdMaxOffset = 8;
constexpr int kVoltageThdLatestItem = 370;
constexpr int kVoltageThdMaxItem = 282;
constexpr int kCurrentThd = 6480; // + 8ch: 4 latest, 4 maximum
constexpr int kCurrentThdCount = 8;
constexpr int kCurrentThdLatestItem = 366;
constexpr int kCurrentThdMaxItem = 278;
constexpr int kCurrentSpectrumPage = 419; // x 16, + 4ch + row
constexpr int kVoltageSpectrumPage = 409; // x 16, + row (rows 4-9)
constexpr int kSpectrumPageSize = 16;
constexpr int kCurrentThdRows = 4;

void CheckChannel(int channel)
{
    if (channel < 0 || channel >= QhCells::kMaxChannels)
        throw std::invalid_argument("QH channel outside 0-15");
}

std::span<std::uint32_t> Slots(CMeasurandsKTA& image)
{
    // The reader stores raw 32-bit words; the items are their signed view.
    return {reinterpret_cast<std::uint32_t*>(image.items.data()), image.items.size()};
}

} // namespace

int EnergyRecordRegister(int channel)
{
    CheckChannel(channel);
    const int within = channel % QhCells::kModuleChannels;
    const int first = channel < QhCells::kModuleChannels ? kBasicRecords : kExtensionRecords;
    return first + (within / 2) * kRecordPairStride + (within % 2) * kRecordPairOffset;
}

std::vector<ModbusBlock> MainPageBlocks(QhView view)
{
    std::vector<ModbusBlock> blocks;
    for (int c = 0; c < QhCells::kModuleChannels; ++c) {
        const int recordItem = QhCells::kRecordValues * c;
        if (view == QhView::PulseInputs) {
            blocks.push_back({EnergyRecordRegister(QhCells::kModuleChannels + c),
                              QhCells::kRecordValues, kPulseItems + recordItem});
            continue;
        }
        const bool extension = view == QhView::Extension;
        blocks.push_back({EnergyRecordRegister(QhCells::ChannelBase(view) + c),
                          QhCells::kRecordValues, kEnergyItems + recordItem});
        blocks.push_back({(extension ? kExtensionCurrents : kCurrents) + kCurrentStride * c,
                          kMainCurrentValues, kCurrentItems + kCurrentItemStride * c});
        blocks.push_back({(extension ? kExtensionPowers : kPowers) + kPowerStride * c, kPowerValues,
                          kPowerItems + kPowerItemStride * c});
    }
    blocks.push_back(kEndOfBlocks);
    return blocks;
}

std::vector<ModbusBlock> DetailBlocks(int tab, int a)
{
    CheckChannel(a);
    std::vector<ModbusBlock> blocks;
    switch (tab) {
    case QhCells::kMax:
        blocks = {{16, 8, 870}, {74 + 32 * a, 5, 891}, {608 + 96 * a, 16, 1022}};
        for (int i = 0; i < 8; ++i)
            blocks.push_back({2140 + 144 * a + 5 * i, 1, 1402 + 3 * i});
        break;
    case QhCells::kMin:
        blocks = {{32, 8, 878}, {84 + 32 * a, 5, 896}, {640 + 96 * a, 16, 1038}};
        for (int i = 0; i < 8; ++i)
            blocks.push_back({2195 + 144 * a + 5 * i, 1, 1426 + 3 * i});
        break;
    default:
        blocks = {{0, 8, 862},
                  {64 + 32 * a, 5, 886},
                  {576 + 96 * a, 16, 1006},
                  {2115 + 144 * a, 4, 1392},
                  {2128 + 144 * a, 4, 1399}};
        break;
    }
    blocks.push_back(kEndOfBlocks);
    return blocks;
}

void ReadBlocks(CModbusInterface& connection, CMeasurandsKTA& image,
                const std::vector<ModbusBlock>& blocks)
{
    CModbusReader reader(connection, Slots(image));
    reader.SetSwapWords(false);
    reader.ReadBlocks(blocks);
}

void ReadClock(CModbusInterface& connection, CMeasurandsKTA& image)
{
    std::uint16_t words[UtilityRegister::kClockCount] = {};
    connection.ReadHoldingRegisters(UtilityRegister::kClock, UtilityRegister::kClockCount, words);
    image.items[kClockDateItem] =
        static_cast<std::int32_t>(std::uint32_t(words[1]) << 16 | words[0]);
    image.items[kClockTimeItem] = words[2];
}

std::string ClockText(const CMeasurandsKTA& image)
{
    return image.FormatItem(kClockDateItem) + " " + image.FormatItem(kClockTimeItem);
}

int SpectrumRegister(int channel, int thdRow)
{
    CheckChannel(channel);
    if (thdRow < 0 || thdRow >= kThdRows)
        throw std::invalid_argument("THD row outside 0-9");
    if (thdRow < kCurrentThdRows)
        return (kCurrentSpectrumPage + kCurrentThdRows * channel + thdRow) * kSpectrumPageSize;
    return (kVoltageSpectrumPage + thdRow) * kSpectrumPageSize;
}

void ReadThd(CModbusInterface& connection, CMeasurandsKTA& image, int channel, int thdRow)
{
    const int spectrum = SpectrumRegister(channel, thdRow);
    std::uint16_t voltage[kVoltageThdCount] = {};
    connection.ReadHoldingRegisters(kVoltageThd, kVoltageThdCount, voltage);
    for (int i = 0; i < 6; ++i) {
        image.items[std::size_t(kVoltageThdLatestItem + i)] = voltage[i];
        image.items[std::size_t(kVoltageThdMaxItem + i)] = voltage[kVoltageThdMaxOffset + i];
    }
    std::uint16_t current[kCurrentThdCount] = {};
    connection.ReadHoldingRegisters(kCurrentThd + kCurrentThdCount * channel, kCurrentThdCount,
                                    current);
    for (int i = 0; i < kCurrentThdRows; ++i) {
        image.items[std::size_t(kCurrentThdLatestItem + i)] = current[i];
        image.items[std::size_t(kCurrentThdMaxItem + i)] = current[kCurrentThdRows + i];
    }
    std::uint16_t orders[kSpectrumValues] = {};
    connection.ReadHoldingRegisters(spectrum, kSpectrumValues, orders);
    auto& row = image.spectrum[std::size_t(thdRow)];
    row.fill(0);
    std::copy(std::begin(orders), std::end(orders), row.begin());
}

} // namespace QhReads
