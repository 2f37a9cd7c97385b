#include <gtest/gtest.h>

#include <algorithm>

#include "MonitorTestSupport.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/ZnMonitorCells.h"
#include "monitor/ZnMonitorJobs.h"
#include "support/CatalogueIds.h"

namespace {
constexpr std::int32_t kUntouched = 0x7EADBEEF;

using Reads = std::vector<std::pair<int, int>>;

// The ZN monitor's jobs on the test thread against a simulated ZN device
// over Modbus/TCP.
class ZnMonitorJobsTest : public ::testing::Test {
protected:
    void Connect(SimOptions options)
    {
        jobs.reset();
        device = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
        SetTransportFactory(&transports);
        jobs = std::make_unique<CZnMonitorJobs>(*image, device->Master());
    }
    void Connect(int typeId, int wiring = -1)
    {
        SimOptions options = DeviceOptions(typeId);
        options.scenario.wiring = wiring;
        Connect(options);
    }
    // Runs one job and returns the reads it made.
    Reads Run(ZnJob job, ZnJobSelections s = {})
    {
        device->Sim().Log().Clear();
        lastCompleted = jobs->Run(job, s);
        return ReadRequests(device->Requests());
    }
    void Write(int reg, std::vector<std::uint16_t> values)
    {
        CModbusInterface& master = device->Master();
        master.Open();
        master.WriteMultipleRegisters(reg, static_cast<int>(values.size()), values.data());
        master.Close();
    }
    void FillItems(int first, int count)
    {
        for (int i = first; i < first + count; ++i)
            image->SetItem(i, kUntouched);
    }
    bool Untouched(int first, int count) const
    {
        for (int i = first; i < first + count; ++i)
            if (image->Item(i) != kUntouched)
                return false;
        return true;
    }
    static std::vector<int> Starts(const Reads& reads)
    {
        std::vector<int> starts;
        for (const auto& r : reads)
            starts.push_back(r.first);
        return starts;
    }

    HookedTransports transports;
    std::unique_ptr<SimulatedDevice> device;
    std::unique_ptr<CMeasurandsKTA> image = std::make_unique<CMeasurandsKTA>();
    std::unique_ptr<CZnMonitorJobs> jobs;
    bool lastCompleted = false;
};

TEST_F(ZnMonitorJobsTest, DeviceInformationReadsIdentityAnglesOfBothSystemsAndRatings)
{
    SimOptions options = DeviceOptions(kZnepw);
    options.scenario.wiring = 17;
    options.scenario.primaryCurrent = 150;
    options.scenario.primaryVoltage = 110000; // beyond 16 bits: the high word matters
    Connect(options);
    const Reads reads = Run(ZnJob::DeviceInformation);
    ASSERT_TRUE(lastCompleted) << jobs->LastError();

    // After the identification: word order, passcode, identity, I/O, loop
    // test, angles of both systems, simple measurement, wiring, ratings and
    // the wiring of the four circuits.
    const auto first = std::find(reads.begin(), reads.end(), std::pair{5735, 1});
    ASSERT_NE(first, reads.end());
    EXPECT_EQ(Reads(first, reads.end()), (Reads{{5735, 1},
                                                {5333, 2},
                                                {9597, 17},
                                                {9622, 5},
                                                {5335, 1},
                                                {30000, 6},
                                                {30100, 6},
                                                {5991, 2},
                                                {5600, 1},
                                                {5601, 16},
                                                {5696, 4}}));
    EXPECT_TRUE(jobs->IsZnDevice());
    EXPECT_FALSE(device->Master().IsOpen());
    EXPECT_EQ(image->modelCode, 0x129A);
    EXPECT_EQ(image->FormatItem(1873), "ZNEPW");
    EXPECT_EQ(image->FormatItem(1875), "Not supported");
    EXPECT_EQ(image->wiringSystem, 17);
    EXPECT_EQ(image->ratedVoltage, 110000);
    EXPECT_EQ(image->circuitRatings, (std::array<std::int32_t, 4>{150, 150, 150, 150}));
    EXPECT_TRUE(std::any_of(image->angles.begin() + 6, image->angles.end(),
                            [](std::uint16_t a) { return a != 0; }));
    for (int c = 0; c < 4; ++c) {
        const std::string wiring = image->FormatItem(ZnMonitorCells::kCircuitWiringItem + c);
        EXPECT_TRUE(wiring == "1-N" || wiring == "3-N" || wiring == "1-3") << wiring;
    }
}

TEST_F(ZnMonitorJobsTest, CircuitRatingsFollowTheSensorTypes)
{
    Connect(kZnpw, 0);
    Write(5601, {1234, 3}); // circuit A: sensor type 3 whatever the primary
    Write(5609, {250, 0});  // circuit B: the primary current
    Write(5612, {400, 9});  // circuit C: a type without a rating
    Write(5615, {100, 5});  // circuit D: 600 A
    image->circuitRatings[2] = 77;
    Run(ZnJob::DeviceInformation);
    ASSERT_TRUE(lastCompleted) << jobs->LastError();
    EXPECT_EQ(image->circuitRatings, (std::array<std::int32_t, 4>{200, 250, 77, 600}));
}

TEST_F(ZnMonitorJobsTest, LoopTestZeroesRatingsAndAnglesWithoutReadingThem)
{
    Connect(kZnpw, 3);
    Run(ZnJob::DeviceInformation);
    Write(5335, {1});
    const Reads reads = Run(ZnJob::DeviceInformation);
    ASSERT_TRUE(lastCompleted) << jobs->LastError();
    const std::vector<int> starts = Starts(reads);
    for (int skipped : {30000, 30100, 5991, 5601})
        EXPECT_EQ(std::count(starts.begin(), starts.end(), skipped), 0) << skipped;
    EXPECT_EQ(image->ratedCurrent, 0);
    EXPECT_EQ(image->ratedVoltage, 0);
    EXPECT_TRUE(std::all_of(image->angles.begin(), image->angles.end(),
                            [](std::uint16_t a) { return a == 0; }));
    EXPECT_EQ(starts.back(), 5696);
}

TEST_F(ZnMonitorJobsTest, ADeviceOfAnotherFamilyIsOnlyIdentified)
{
    Connect(kKtaGen3Modbus);
    const Reads reads = Run(ZnJob::DeviceInformation);
    EXPECT_TRUE(lastCompleted);
    EXPECT_FALSE(jobs->IsZnDevice());
    EXPECT_EQ(jobs->ConnectedDevice().TypeId(), kKtaGen3Modbus);
    const std::vector<int> starts = Starts(reads);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), 5735), 0);
}

// Trend reads the circuits' wiring and the instantaneous values of both
// systems; the other modes add their blocks.
TEST_F(ZnMonitorJobsTest, PageJobReadsTheBlocksOfItsMode)
{
    Connect(kZnpw, 1);
    Run(ZnJob::DeviceInformation);
    const std::vector<int> instantaneous = {5696, 0, 32, 4000, 4032};
    auto with = [&](std::vector<int> extra) {
        std::vector<int> all = instantaneous;
        all.insert(all.end(), extra.begin(), extra.end());
        return all;
    };
    EXPECT_EQ(Starts(Run(ZnJob::PageValues, {ZnMonitorCells::kTrend})), instantaneous);
    EXPECT_EQ(Starts(Run(ZnJob::PageValues, {ZnMonitorCells::kMax})), with({768, 800, 2768, 2800}));
    EXPECT_EQ(Starts(Run(ZnJob::PageValues, {ZnMonitorCells::kMin})), with({928, 960, 2928, 2960}));
    const Reads energy = Run(ZnJob::PageValues, {ZnMonitorCells::kEnergy});
    EXPECT_EQ(Starts(energy), with({128, 192, 160, 224, 4128, 4192, 4160, 4224}));
    EXPECT_EQ(energy.back(), (std::pair{4224, 28}));
    ASSERT_TRUE(lastCompleted) << jobs->LastError();

    // Both systems measure: voltages of system 1 and 2, energy in hundredths.
    EXPECT_NE(image->FormatItem(15), "0.00");
    EXPECT_NE(image->FormatItem(48), "0.00");
    EXPECT_NE(image->Item(94), 0);
    EXPECT_EQ(image->FormatItem(35).find('.'), image->FormatItem(35).size() - 2); // 0.1 W
}

TEST_F(ZnMonitorJobsTest, ThdAndSpectrumOfEachSystem)
{
    Connect(kZnpw, 3);
    Run(ZnJob::DeviceInformation);
    EXPECT_EQ(Starts(Run(ZnJob::Thd)), (std::vector<int>{1280, 864, 8280, 2864}));
    ASSERT_TRUE(lastCompleted);

    // THD maximum of U3N on system 1: row 9; current 1 of system 2: row 10.
    EXPECT_EQ(Run(ZnJob::Spectrum, {0, 287}), (Reads{{1536 + 9 * 64, 30}}));
    EXPECT_EQ(Run(ZnJob::Spectrum, {0, 376}), (Reads{{8536, 30}}));
    const auto registers = device->Sim().ReadRegisters(8536, 30);
    EXPECT_TRUE(std::equal(registers.begin(), registers.end(), image->spectrum[10].begin()));
    // An item without a spectrum reads nothing.
    EXPECT_TRUE(Run(ZnJob::Spectrum, {0, 15}).empty());
}

// No ZN variant lacks harmonics, but the paths test the capability all the same.
TEST_F(ZnMonitorJobsTest, WithoutHarmonicsThdAndSpectrumAreZeroAndNothingIsRead)
{
    Connect(kZmpvModbus);
    Run(ZnJob::DeviceInformation);
    ASSERT_TRUE(jobs->ConnectedDevice().Has(CapZmpv));
    FillItems(366, 20);
    FillItems(278, 20);
    image->spectrum[12].fill(7);
    EXPECT_TRUE(Run(ZnJob::Thd).empty());
    EXPECT_TRUE(Run(ZnJob::Spectrum, {0, 378}).empty());
    EXPECT_TRUE(lastCompleted);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(image->Item(366 + i), 0);
        EXPECT_EQ(image->Item(278 + i), 0);
    }
    EXPECT_TRUE(std::all_of(image->spectrum[12].begin(), image->spectrum[12].end(),
                            [](std::uint16_t v) { return v == 0; }));
}

TEST_F(ZnMonitorJobsTest, AFailedReadEndsTheJobAndKeepsWhatWasRead)
{
    SimOptions options = DeviceOptions(kZnpw);
    options.faults.exceptionAddress = 4000;
    Connect(options);
    Run(ZnJob::DeviceInformation);
    FillItems(0, 66);
    const Reads reads = Run(ZnJob::PageValues, {ZnMonitorCells::kEnergy});
    EXPECT_FALSE(lastCompleted);
    EXPECT_NE(jobs->LastError().find("Modbus command failed."), std::string::npos);
    // The master's attempts at 4000, then nothing more of the job.
    std::vector<int> starts = Starts(reads);
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    EXPECT_EQ(starts, (std::vector<int>{5696, 0, 32, 4000}));
    EXPECT_FALSE(Untouched(0, 33));
    EXPECT_TRUE(Untouched(33, 33));
    EXPECT_FALSE(device->Master().IsOpen());
    // The next job that completes clears the error.
    Run(ZnJob::Thd);
    EXPECT_TRUE(lastCompleted);
    EXPECT_EQ(jobs->LastError(), "");
}

TEST_F(ZnMonitorJobsTest, StopCutsTheRunningJobShortAndEndsTheChain)
{
    int requests = 0;
    transports.afterWrite = [&](const std::uint8_t*, std::size_t) {
        if (++requests == 2)
            jobs->Stop();
    };
    Connect(kZnpw, 0);
    FillItems(0, 66);
    const Reads reads = Run(ZnJob::PageValues, {ZnMonitorCells::kMax});
    EXPECT_FALSE(lastCompleted);
    EXPECT_LE(reads.size(), 2u);
    EXPECT_TRUE(Untouched(8, 58));
    EXPECT_EQ(jobs->LastError(), ""); // a stop is no communication error
    EXPECT_FALSE(device->Master().IsOpen());
    EXPECT_TRUE(Run(ZnJob::DeviceInformation).empty());
    EXPECT_FALSE(lastCompleted);
}

} // namespace
