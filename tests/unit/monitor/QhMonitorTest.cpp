#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CQhMonitorCycle.h"
#include "monitor/QhMonitorCells.h"
#include "monitor/QhMonitorJobs.h"
#include "monitor/QhMonitorReads.h"
#include "support/CatalogueIds.h"

// The multi-circuit monitor without widgets or a device: its cell lists, the
// tab rules, the block lists of its reads and what a finished read changes.

namespace {

using QhCells::QhView;

CDeviceType Qh(int channels, int pulseInputs, int firmware = 200)
{
    CDeviceType d;
    d.SelectById(channels == 16 ? kQhModbusEx8 : kQhModbus);
    d.ioWords[3] = std::uint16_t(channels);
    d.ioWords[4] = std::uint16_t(pulseInputs);
    d.firmwareVersion = std::uint16_t(firmware);
    d.Resolve();
    return d;
}

int ItemAt(const std::vector<GridItemCell>& cells, int column, int row)
{
    const auto it = std::find_if(cells.begin(), cells.end(), [&](const GridItemCell& c) {
        return c.column == column && c.row == row;
    });
    return it == cells.end() ? -1 : it->item;
}

int HeaderAt(const std::vector<GridHeaderCell>& cells, int column, int row)
{
    const auto it = std::find_if(cells.begin(), cells.end(), [&](const GridHeaderCell& c) {
        return c.column == column && c.row == row;
    });
    return it == cells.end() ? -1 : it->textId;
}

QhMonitorRead ReadOf(const CDeviceType& device, QhView view)
{
    QhMonitorRead r;
    r.identified = true;
    r.device = device;
    r.valuesRead = device.Has(CapQh);
    r.view = view;
    r.buttons = QhMonitorTestButtons(device.firmwareVersion);
    return r;
}

TEST(QhTabRules, SecondTabFollowsTheModulesOfTheDevice)
{
    // Eight channels, no pulse inputs: the tab stays on "Basic Module".
    EXPECT_FALSE(QhCells::ModuleTabEnabled(Qh(8, 0)));
    EXPECT_TRUE(QhCells::ModuleTabEnabled(Qh(16, 0)));
    EXPECT_TRUE(QhCells::ModuleTabEnabled(Qh(8, 8)));
    EXPECT_FALSE(QhCells::ModuleTabEnabled(Qh(8, 4)));
    EXPECT_EQ(QhCells::ViewOfTab(0, Qh(8, 8)), QhView::Basic);
    EXPECT_EQ(QhCells::ViewOfTab(1, Qh(8, 8)), QhView::PulseInputs);
    EXPECT_EQ(QhCells::ViewOfTab(1, Qh(16, 0)), QhView::Extension);
    EXPECT_EQ(QhCells::ChannelBase(QhView::Basic), 0);
    EXPECT_EQ(QhCells::ChannelBase(QhView::Extension), 8);
    EXPECT_FALSE(QhCells::ViewHasChannelButtons(QhView::PulseInputs));
}

TEST(QhMainPageCells, ColumnsAreChannelsAndRowsAreHours)
{
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::Basic), 1, 0), 5500);        // "1ch"
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::Extension), 1, 0), 5508);    // "9ch"
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::Extension), 8, 0), 5515);    // "16ch"
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::PulseInputs), 8, 0), 24307); // "DI8"
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::Basic), 0, 1), 5750);
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::Basic), 0, 24), 5773);
    EXPECT_EQ(HeaderAt(QhCells::MainTopHeaders(QhView::Basic), 0, 25), 1200);

    const auto& energy = QhCells::MainTopItems(QhView::Extension);
    EXPECT_EQ(energy.size(), 8u * 25u);
    EXPECT_EQ(ItemAt(energy, 1, 1), 403);            // channel 9, 00:00-01:00
    EXPECT_EQ(ItemAt(energy, 3, 24), 403 + 58 + 23); // third channel, 23:00-00:00
    EXPECT_EQ(ItemAt(energy, 8, 25), 401 + 29 * 7);  // latest hour
    const auto& pulses = QhCells::MainTopItems(QhView::PulseInputs);
    EXPECT_EQ(ItemAt(pulses, 2, 1), 635 + 29);
    EXPECT_EQ(ItemAt(pulses, 2, 25), 633 + 29);

    const auto& values = QhCells::MainBottomItems(QhView::Basic);
    const std::vector<int> third = {
        ItemAt(values, 3, 0), ItemAt(values, 3, 1), ItemAt(values, 3, 2), ItemAt(values, 3, 3),
        ItemAt(values, 3, 4), ItemAt(values, 3, 5), ItemAt(values, 3, 6)};
    EXPECT_EQ(third, (std::vector<int>{1009 + 96, 886 + 30, 887 + 30, 888 + 30, 1021 + 96, 398 + 58,
                                       399 + 58}));
    const auto& counters = QhCells::MainBottomItems(QhView::PulseInputs);
    EXPECT_EQ(counters.size(), 8u);
    EXPECT_EQ(ItemAt(counters, 4, 5), 630 + 87);
    EXPECT_EQ(QhCells::MainBottomHeaders(QhView::PulseInputs).size(), 1u);
}

TEST(QhDetailCells, TabsShiftTheItemsOfEveryQuantity)
{
    const auto& trend = QhCells::DetailTopItems(QhCells::kTrend);
    const auto& max = QhCells::DetailTopItems(QhCells::kMax);
    const auto& min = QhCells::DetailTopItems(QhCells::kMin);
    EXPECT_EQ(ItemAt(trend, 1, 1), 868);
    EXPECT_EQ(ItemAt(max, 1, 5), 870);
    EXPECT_EQ(ItemAt(min, 3, 7), 885); // frequency minimum
    EXPECT_EQ(ItemAt(max, 2, 7), 894); // neutral current maximum
    EXPECT_EQ(ItemAt(trend, 3, 1), 1009);
    EXPECT_EQ(ItemAt(min, 6, 4), 1038 + 14);
    EXPECT_EQ(ItemAt(max, 4, 2), 1022 + 4);
    EXPECT_EQ(ItemAt(trend, 4, 7), -1);
    EXPECT_EQ(HeaderAt(QhCells::DetailTopHeaders(), 2, 6), 1007);
    EXPECT_EQ(HeaderAt(QhCells::DetailTopHeaders(), 3, 6), 1006);

    EXPECT_EQ(HeaderAt(QhCells::DetailBottomHeaders(QhCells::kMin), 1, 0), 1255);
    const auto& demandMax = QhCells::DetailBottomItems(QhCells::kMax);
    EXPECT_EQ(ItemAt(demandMax, 1, 1), 1402);
    EXPECT_EQ(ItemAt(demandMax, 1, 8), 1423);
    EXPECT_EQ(ItemAt(QhCells::DetailBottomItems(QhCells::kMin), 1, 8), 1447);
    EXPECT_EQ(ItemAt(QhCells::DetailBottomItems(QhCells::kTrend), 1, 6), 1399);
}

TEST(QhReadBlocks, MainPageReadsEachChannelOfTheView)
{
    const auto basic = QhReads::MainPageBlocks(QhView::Basic);
    ASSERT_EQ(basic.size(), 8u * 3u + 1u);
    EXPECT_EQ(basic.back().startRegister, -1);
    const ModbusBlock third[] = {basic[6], basic[7], basic[8]};
    EXPECT_EQ(third[0].startRegister, 4672);
    EXPECT_EQ(third[0].firstSlot, 398 + 58);
    EXPECT_EQ(third[1].startRegister, 64 + 64);
    EXPECT_EQ(third[1].valueCount, 3);
    EXPECT_EQ(third[1].firstSlot, 886 + 30);
    EXPECT_EQ(third[2].startRegister, 576 + 192);
    EXPECT_EQ(third[2].firstSlot, 1006 + 96);

    const auto extension = QhReads::MainPageBlocks(QhView::Extension);
    EXPECT_EQ(extension[21].startRegister, 6272);
    EXPECT_EQ(extension[22].startRegister, 320 + 32 * 7);
    EXPECT_EQ(extension[23].startRegister, 1344 + 96 * 7);
    EXPECT_EQ(extension[23].firstSlot, 1006 + 48 * 7);

    const auto pulses = QhReads::MainPageBlocks(QhView::PulseInputs);
    ASSERT_EQ(pulses.size(), 9u);
    EXPECT_EQ(pulses[1].startRegister, 5504);
    EXPECT_EQ(pulses[7].firstSlot, 630 + 29 * 7);
}

TEST(QhReadBlocks, DetailTabsAndSpectrumRegisters)
{
    const auto max = QhReads::DetailBlocks(QhCells::kMax, 5);
    ASSERT_EQ(max.size(), 3u + 8u + 1u);
    EXPECT_EQ(max[1].startRegister, 74 + 160);
    EXPECT_EQ(max[2].startRegister, 608 + 480);
    EXPECT_EQ(max[10].startRegister, 2140 + 720 + 35);
    EXPECT_EQ(max[10].firstSlot, 1402 + 21);
    const auto min = QhReads::DetailBlocks(QhCells::kMin, 0);
    EXPECT_EQ(min[3].startRegister, 2195);
    EXPECT_EQ(min[3].firstSlot, 1426);
    const auto trend = QhReads::DetailBlocks(QhCells::kTrend, 15);
    EXPECT_EQ(trend[4].startRegister, 2128 + 144 * 15);
    EXPECT_EQ(QhReads::SpectrumRegister(2, 1), (419 + 8 + 1) * 16);
    EXPECT_EQ(QhReads::SpectrumRegister(2, 7), (409 + 7) * 16);
    EXPECT_THROW(QhReads::SpectrumRegister(16, 0), std::invalid_argument);
    EXPECT_THROW(QhReads::DetailBlocks(QhCells::kTrend, -1), std::invalid_argument);
}

TEST(QhClock, BcdRegistersShowDateAndTime)
{
    CMeasurandsKTA image;
    // What the clock read leaves for registers 0x2412, 0x1508, 0x3059.
    image.items[1870] = 0x15082412;
    image.items[1871] = 0x3059;
    EXPECT_EQ(QhReads::ClockText(image), "2024/12/15 08:30:59");
}

class QhMonitorCycleTest : public ::testing::Test {
protected:
    CQhMonitorCycle cycle;
    CMeasurandsKTA image;
};

TEST_F(QhMonitorCycleTest, StartsAsAnEightChannelQh)
{
    EXPECT_EQ(cycle.Device().TypeId(), kQhModbus);
    EXPECT_TRUE(cycle.Device().Has(CapQh));
}

TEST_F(QhMonitorCycleTest, ModuleTabIsEnabledOnlyForTheSecondModuleOrPulseInputs)
{
    QhMonitorDecision d =
        cycle.OnReadFinished(ReadOf(Qh(8, 0), QhView::Basic), QhView::Basic, 0, image);
    EXPECT_EQ(d.moduleTabEnabled, std::optional<bool>(false));
    EXPECT_FALSE(d.selectFirstTab);
    EXPECT_TRUE(d.refreshPage);

    d = cycle.OnReadFinished(ReadOf(Qh(16, 0), QhView::Basic), QhView::Basic, 0, image);
    EXPECT_EQ(d.moduleTabEnabled, std::optional<bool>(true));
    // The device lost its extension module while its tab was shown.
    d = cycle.OnReadFinished(ReadOf(Qh(8, 0), QhView::Extension), QhView::Extension, 1, image);
    EXPECT_EQ(d.moduleTabEnabled, std::optional<bool>(false));
    EXPECT_TRUE(d.selectFirstTab);
}

TEST_F(QhMonitorCycleTest, AReadOfAnotherViewIsNotShown)
{
    const auto d =
        cycle.OnReadFinished(ReadOf(Qh(16, 0), QhView::Basic), QhView::Extension, 1, image);
    EXPECT_FALSE(d.refreshPage);
    EXPECT_TRUE(d.clockText);
}

TEST_F(QhMonitorCycleTest, FirmwareDecidesLoopTestAndPreset)
{
    auto buttons = [&](int firmware) {
        return *cycle
                    .OnReadFinished(ReadOf(Qh(8, 0, firmware), QhView::Basic), QhView::Basic, 0,
                                    image)
                    .buttons;
    };
    EXPECT_FALSE(buttons(139).loopTest);
    EXPECT_TRUE(buttons(139).preset);
    EXPECT_TRUE(buttons(140).loopTest);
    EXPECT_FALSE(buttons(129).preset);
    EXPECT_TRUE(buttons(130).preset);
}

TEST_F(QhMonitorCycleTest, StatusBlinksTheLedAndShowsErrors)
{
    const QhMonitorRead ok = ReadOf(Qh(8, 0), QhView::Basic);
    const auto first = cycle.OnReadFinished(ok, QhView::Basic, 0, image).ledColour;
    const auto second = cycle.OnReadFinished(ok, QhView::Basic, 0, image).ledColour;
    EXPECT_EQ(first, std::optional<ColorRef>(kLedOff));
    EXPECT_EQ(second, std::optional<ColorRef>(kLedCommunicating));
    EXPECT_EQ(cycle.Status().StatusTextId(), 11024);

    QhMonitorRead failed;
    failed.failed = true;
    const auto d = cycle.OnReadFinished(failed, QhView::Basic, 0, image);
    EXPECT_FALSE(d.refreshPage);
    EXPECT_FALSE(d.endWithReopen);
    EXPECT_EQ(cycle.Status().StatusTextId(), 11016);
    EXPECT_TRUE(cycle.Status().ErrorFlag());
    EXPECT_EQ(cycle.Status().Style().text, 0x0000FFu); // red
    cycle.Status().OnTimer();
    EXPECT_EQ(cycle.Status().Style().background, std::optional<ColorRef>(0x0000FF));
    EXPECT_FALSE(cycle.OnReadFinished(ok, QhView::Basic, 0, image).ledColour == std::nullopt);
    EXPECT_FALSE(cycle.Status().ErrorFlag());
}

TEST_F(QhMonitorCycleTest, AnotherFamilyEndsTheWindowAnUnknownDeviceDoesNot)
{
    QhMonitorRead unknown;
    unknown.identified = false;
    EXPECT_FALSE(cycle.OnReadFinished(unknown, QhView::Basic, 0, image).endWithReopen);
    EXPECT_EQ(cycle.Device().TypeId(), kQhModbus);

    CDeviceType kta;
    kta.SelectById(kKtaGen2Modbus);
    EXPECT_TRUE(
        cycle.OnReadFinished(ReadOf(kta, QhView::Basic), QhView::Basic, 0, image).endWithReopen);
}

} // namespace
