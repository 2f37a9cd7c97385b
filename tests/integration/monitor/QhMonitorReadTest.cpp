#include <gtest/gtest.h>

#include <cmath>

#include "MonitorTestSupport.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/QhMonitorJobs.h"
#include "monitor/QhMonitorReads.h"
#include "support/CatalogueIds.h"
#include "utility/ClockCommands.h"
#include "utility/DeviceReset.h"

// The reads of the multi-circuit monitor and its detail window against a
// simulated QH device over Modbus/TCP, checked in the device's request log.

namespace {

using QhCells::QhView;
using Reads = std::vector<std::pair<int, int>>;

const Reads kIdentification = {{9600, 1}, {9601, 1}, {9622, 1}, {9623, 5}};

class QhMonitorReadTest : public ::testing::Test {
protected:
    void Connect(int typeId, bool pulseInputs = false)
    {
        SimOptions options = DeviceOptions(typeId);
        options.alternativeIo = pulseInputs;
        // The old device goes first: it unregisters the transports.
        device.reset();
        device = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
        image = std::make_unique<CMeasurandsKTA>();
    }
    Reads ReadsSince() const { return ReadRequests(device->Requests()); }
    void ClearLog() { device->Sim().Log().Clear(); }

    std::unique_ptr<SimulatedDevice> device;
    std::unique_ptr<CMeasurandsKTA> image;
};

Reads Expected(std::initializer_list<Reads> parts)
{
    Reads all;
    for (const Reads& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(QhMonitorReadTest, BasicModuleReadsRecordsCurrentsPowersAndTheClock)
{
    Connect(kQhModbus);
    const QhMonitorRead r = ReadQhMonitor(device->Master(), *image, QhView::Basic);
    ASSERT_FALSE(r.failed) << r.error;
    EXPECT_TRUE(r.identified && r.valuesRead);
    EXPECT_EQ(r.device.TypeId(), kQhModbus);
    Reads blocks;
    const int records[] = {4416, 4480, 4672, 4736, 4928, 4992, 5184, 5248};
    for (int c = 0; c < 8; ++c)
        blocks.insert(blocks.end(), {{records[c], 58}, {64 + 32 * c, 6}, {576 + 96 * c, 32}});
    EXPECT_EQ(ReadsSince(), Expected({kIdentification, blocks, {{9104, 3}}}));
    EXPECT_FALSE(device->Master().IsOpen());
    for (int c = 0; c < 8; ++c) {
        SCOPED_TRACE(c);
        const int p = image->Item(1009 + 48 * c);
        const int s = image->Item(1017 + 48 * c);
        ASSERT_GT(s, 0);
        // The power factor of the same block: within the rounding of phases that differ.
        EXPECT_NEAR(image->Item(1021 + 48 * c), 10000.0 * p / s, 100);
        EXPECT_GT(image->Item(886 + 15 * c), 0);
        EXPECT_GT(image->Item(398 + 29 * c), 0); // active energy in
    }
    EXPECT_EQ(QhReads::ClockText(*image).size(), std::string("2024/12/15 08:30:59").size());
}

TEST_F(QhMonitorReadTest, ClockRegistersFillTheDateAndTimeItems)
{
    Connect(kQhModbus);
    CModbusInterface& master = device->Master();
    // 0x2412, 0x1508, 0x3059 in the clock registers.
    ASSERT_TRUE(SetDeviceClock(master, DeviceDateTime{2024, 12, 15, 8, 30, 59}));
    ASSERT_FALSE(ReadQhMonitor(master, *image, QhView::Basic).failed);
    // The device clock runs on: the seconds may have moved on by one.
    const std::string text = QhReads::ClockText(*image);
    EXPECT_TRUE(text == "2024/12/15 08:30:59" || text == "2024/12/15 08:31:00") << text;
    EXPECT_EQ(image->Item(1870), 0x15082412);
}

TEST_F(QhMonitorReadTest, ExtensionModuleAndPulseInputsUseTheirOwnRegisters)
{
    Connect(kQhModbusEx8);
    ASSERT_FALSE(ReadQhMonitor(device->Master(), *image, QhView::Extension).failed);
    Reads reads = ReadsSince();
    ASSERT_EQ(reads.size(), kIdentification.size() + 24 + 1);
    EXPECT_EQ(reads[4], (std::pair{5440, 58}));
    EXPECT_EQ(reads[5], (std::pair{320, 6}));
    EXPECT_EQ(reads[6], (std::pair{1344, 32}));
    EXPECT_EQ(reads[4 + 21], (std::pair{6272, 58}));
    EXPECT_GT(image->Item(886 + 15 * 7), 0);

    Connect(kQhModbus, true);
    ASSERT_FALSE(ReadQhMonitor(device->Master(), *image, QhView::PulseInputs).failed);
    reads = ReadsSince();
    ASSERT_EQ(reads.size(), kIdentification.size() + 8 + 1);
    EXPECT_EQ(reads[4], (std::pair{5440, 58}));
    EXPECT_EQ(reads[11], (std::pair{6272, 58}));
    EXPECT_EQ(image->Item(886), 0); // no channel values in this view
}

TEST_F(QhMonitorReadTest, AnotherFamilyIsIdentifiedAndNotRead)
{
    Connect(kKtaGen2Modbus);
    const QhMonitorRead r = ReadQhMonitor(device->Master(), *image, QhView::Basic);
    EXPECT_FALSE(r.failed);
    EXPECT_TRUE(r.identified);
    EXPECT_FALSE(r.valuesRead);
    EXPECT_EQ(ReadsSince(), kIdentification);
}

TEST_F(QhMonitorReadTest, AFailedReadKeepsWhatWasReadAndClosesTheLink)
{
    // The powers of channel 8 answer with an exception.
    SimOptions options = DeviceOptions(kQhModbus);
    options.faults.exceptionAddress = 576 + 96 * 7;
    options.faults.exceptionCode = 2;
    device = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
    image = std::make_unique<CMeasurandsKTA>();
    image->items[1006 + 48 * 7] = 0x7EADBEEF;
    const QhMonitorRead r = ReadQhMonitor(device->Master(), *image, QhView::Basic);
    EXPECT_TRUE(r.failed);
    EXPECT_FALSE(r.error.empty());
    EXPECT_FALSE(r.valuesRead);
    EXPECT_GT(image->Item(886 + 15 * 7), 0);
    EXPECT_EQ(image->Item(1006 + 48 * 7), 0x7EADBEEF);
    EXPECT_FALSE(device->Master().IsOpen());
}

TEST_F(QhMonitorReadTest, DetailReadsTheTabsBlocksTheThdAndOneSpectrum)
{
    Connect(kQhModbusEx8);
    const int a = 10;
    QhDetailRead r = ReadQhDetail(device->Master(), *image, a, QhCells::kMax, 2);
    ASSERT_FALSE(r.failed) << r.error;
    Reads expected = {{16, 16}, {74 + 320, 10}, {608 + 960, 32}};
    for (int i = 0; i < 8; ++i)
        expected.push_back({2140 + 1440 + 5 * i, 2});
    expected.insert(expected.end(), {{6464, 14}, {6480 + 80, 8}, {(419 + 40 + 2) * 16, 15}});
    EXPECT_EQ(ReadsSince(), expected);
    // Registers 6464-6469 are the latest voltage THD, 6472-6477 its maximum.
    const auto thd = device->Sim().ReadRegisters(6464, 14);
    EXPECT_EQ(image->Item(375), thd[5]);
    EXPECT_EQ(image->Item(282), thd[8]);
    EXPECT_GT(image->spectrum[2][0] + image->spectrum[2][1], 0);
    EXPECT_EQ(image->spectrum[2][15], 0);

    ClearLog();
    r = ReadQhDetail(device->Master(), *image, a, QhCells::kTrend, 6);
    ASSERT_FALSE(r.failed);
    const Reads trend = ReadsSince();
    EXPECT_EQ(trend.front(), (std::pair{0, 16}));
    EXPECT_EQ(trend[3], (std::pair{2115 + 1440, 8}));
    EXPECT_EQ(trend.back(), (std::pair{(409 + 6) * 16, 15}));
    EXPECT_GT(image->Item(868), 0);
    EXPECT_NEAR(image->Item(869), 5000, 50);
}

// Every reset button of the monitor writes its code to its channel's register.
struct ResetCase {
    QhResetButton button;
    int channel;
    int reg;
    std::uint16_t value;
};

class QhResetCodes : public QhMonitorReadTest, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(QhResetCodes, WriteWhatTheTableSays)
{
    Connect(kQhModbusEx8);
    const ResetCase& c = GetParam();
    ASSERT_TRUE(RunQhReset(device->Master(), QhResetFor(c.button, c.channel)));
    std::vector<std::pair<int, std::vector<std::uint16_t>>> commands;
    for (const SimRequestRecord& w : device->Writes())
        if (w.address < 8976 || w.address > 8978)
            commands.push_back({w.address, w.values});
    EXPECT_EQ(commands,
              (std::vector<std::pair<int, std::vector<std::uint16_t>>>{{c.reg, {c.value}}}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QhResetCodes,
    ::testing::Values(ResetCase{QhResetButton::HourlyEnergy, 9, 8995 + 9, 2},
                      ResetCase{QhResetButton::Energy, 15, 8995 + 15, 1},
                      ResetCase{QhResetButton::VoltageMaxMin, 4, 8995, 16},
                      ResetCase{QhResetButton::CurrentMaxMin, 4, 8995 + 4, 32},
                      ResetCase{QhResetButton::PowerMaxMin, 4, 8995 + 4, 64},
                      ResetCase{QhResetButton::PowerFactorMaxMin, 4, 8995 + 4, 128},
                      ResetCase{QhResetButton::FrequencyMaxMin, 4, 8995, 256},
                      ResetCase{QhResetButton::CurrentDemand, 12, 8995 + 12, 4},
                      ResetCase{QhResetButton::PowerDemand, 12, 8995 + 12, 8},
                      ResetCase{QhResetButton::CurrentDemandMaxMin, 12, 8995 + 12, 512},
                      ResetCase{QhResetButton::PowerDemandMaxMin, 12, 8995 + 12, 1024}));

} // namespace
