#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "MonitorTestSupport.h"
#include "app/KeepAwake.h"
#include "background/CObserver.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorPollCommands.h"
#include "support/CatalogueIds.h"

namespace {
constexpr std::int32_t kUntouched = 0x7EADBEEF;

using Reads = std::vector<std::pair<int, int>>;

class CountingObserver : public CObserver {
public:
    void Update(CObservable*) override { ++updates; }
    std::atomic<int> updates{0};
};

// The poll commands run on the test thread against a simulated device over
// Modbus/TCP; the worker object only carries the flags and the channel.
class PollCommandsTest : public ::testing::Test {
protected:
    void Connect(SimOptions options)
    {
        worker.reset();
        commands.reset();
        device = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
        SetTransportFactory(&transports);
        commands = std::make_unique<CMonitorPollCommands>(image, device->Master());
        worker = std::make_unique<CBackThread>(*commands);
        worker->SetRunning(true);
        image.Detach(observer);
        image.Attach(observer);
    }
    void Connect(int typeId) { Connect(DeviceOptions(typeId)); }
    void TearDown() override { image.Detach(observer); }

    // Runs one command and returns the reads it made.
    Reads Run(PollCommand command, std::intptr_t argument = 0)
    {
        device->Sim().Log().Clear();
        commands->ExecuteCommand(*worker, CommandNumber(command), argument);
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
            image.SetItem(i, kUntouched);
    }
    bool Untouched(int first, int count) const
    {
        for (int i = first; i < first + count; ++i)
            if (image.Item(i) != kUntouched)
                return false;
        return true;
    }

    HookedTransports transports;
    std::unique_ptr<SimulatedDevice> device;
    CMeasurandsKTA image;
    CountingObserver observer;
    std::unique_ptr<CMonitorPollCommands> commands;
    std::unique_ptr<CBackThread> worker;
};

std::vector<bool> g_keepAwakeCalls;
std::thread::id g_keepAwakeThread;
void RecordKeepAwake(bool required)
{
    g_keepAwakeCalls.push_back(required);
    g_keepAwakeThread = std::this_thread::get_id();
}

} // namespace

TEST_F(PollCommandsTest, DeviceInformationReadsIdentityStateAndRatings)
{
    Connect(kKtaGen3Modbus);
    // "FEEDER-1", two characters to a register, the first in the high byte.
    Write(9606, {0x4645, 0x4544, 0x4552, 0x2D31, 0, 0, 0, 0});
    g_keepAwakeCalls.clear();
    InstallKeepAwake(RecordKeepAwake);
    const Reads reads = Run(PollCommand::DeviceInformation);
    InstallKeepAwake(nullptr);

    EXPECT_EQ(reads, (Reads{{9600, 1},
                            {9601, 1},
                            {9622, 1},
                            {9623, 5},
                            {5735, 1},
                            {5333, 2},
                            {9597, 17},
                            {9622, 5},
                            {5335, 1},
                            {30000, 6},
                            {5600, 1},
                            {6752, 1},
                            {6753, 2}}));
    EXPECT_FALSE(worker->HasError());
    EXPECT_EQ(observer.updates, 1);
    EXPECT_FALSE(device->Master().IsOpen());
    EXPECT_EQ(g_keepAwakeCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(g_keepAwakeThread, std::this_thread::get_id());

    EXPECT_EQ(commands->ConnectedDevice().TypeId(), kKtaGen3Modbus);
    EXPECT_EQ(image.modelCode, 0x1267);
    EXPECT_EQ(image.FormatItem(1873), "KTA");
    EXPECT_EQ(image.FormatItem(1878), "FEEDER-1");
    EXPECT_EQ(image.ioWords[0], 1);
    const auto rated = device->Sim().ReadRegisters(6752, 3);
    EXPECT_EQ(image.ratedCurrent, rated[0]);
    EXPECT_EQ(image.ratedVoltage, std::int32_t(rated[2] << 16 | rated[1]));
    EXPECT_EQ(image.wiringSystem, device->Sim().ReadRegisters(5600, 1)[0]);
    EXPECT_TRUE(std::any_of(image.angles.begin(), image.angles.begin() + 6,
                            [](std::uint16_t a) { return a != 0; }));
}

TEST_F(PollCommandsTest, QhDeviceIsOnlyIdentified)
{
    Connect(kQhModbus);
    EXPECT_EQ(Run(PollCommand::DeviceInformation).size(), 4u);
    EXPECT_TRUE(commands->ConnectedDevice().Has(CapQh));
    EXPECT_FALSE(worker->HasError());
    EXPECT_EQ(observer.updates, 1);
}

class WordOrderTest : public PollCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(WordOrderTest, PairsCombineByRegister5735)
{
    SimOptions options = DeviceOptions(kKtaGen3Modbus);
    options.wordOrder = GetParam();
    Connect(options);
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(commands->HighWordFirst(), GetParam() == 1);

    // In loop test the device holds the values written to its measured registers.
    Write(5335, {1});
    Write(0, {0x0001, 0x0002});
    Run(PollCommand::InstantaneousAndDemand);
    EXPECT_EQ(static_cast<std::uint32_t>(image.Item(0)),
              GetParam() == 1 ? 0x00010002u : 0x00020001u);
}

TEST_P(WordOrderTest, StoredPasscodeCombinesByWordOrder)
{
    SimOptions options = DeviceOptions(kKtaGen3Modbus);
    options.wordOrder = GetParam();
    options.passcode = 0x00010002;
    Connect(options);
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(image.storedPasscode, 0x00010002u);
    EXPECT_EQ(image.FormatItem(1877), "Protection enabled");
}

INSTANTIATE_TEST_SUITE_P(Orders, WordOrderTest, ::testing::Values(0, 1));

TEST_F(PollCommandsTest, ChannelTwoReadsItsOwnRegisters)
{
    Connect(kQgCcLinkInput2);
    worker->SetChannel(1);
    const Reads info = Run(PollCommand::DeviceInformation);
    ASSERT_FALSE(worker->HasError());
    EXPECT_EQ(Reads(info.begin() + 8, info.end()),
              (Reads{{5338, 1}, {30100, 6}, {5600, 1}, {5610, 1}, {5609, 1}, {5603, 2}}));

    const auto firsts = [](const Reads& r) {
        std::vector<int> a;
        for (const auto& [address, count] : r)
            a.push_back(address);
        return a;
    };
    EXPECT_EQ(
        firsts(Run(PollCommand::InstantaneousAndDemand)),
        (std::vector<int>{4000, 4032, 4256, 4272, 4288, 4304, 4320, 4512, 4528, 4544, 4560, 4576}));
    EXPECT_EQ(firsts(Run(PollCommand::Maximum)), (std::vector<int>{2768, 2800, 2896}));
    EXPECT_EQ(firsts(Run(PollCommand::Minimum)), (std::vector<int>{2928, 2960}));
    EXPECT_EQ(firsts(Run(PollCommand::EnergyHighTariff)), (std::vector<int>{4128, 4192}));
    EXPECT_EQ(firsts(Run(PollCommand::EnergyLowTariff)), (std::vector<int>{4160, 4224}));
    EXPECT_EQ(firsts(Run(PollCommand::Thd)), (std::vector<int>{8280, 2864}));
    EXPECT_EQ(Run(PollCommand::Spectrum, 2), (Reads{{8536 + 128, 30}}));
    EXPECT_FALSE(worker->HasError());
    EXPECT_EQ(observer.updates, 8);
}

// Channel 2 chosen on a two-input device stays selected when a one-input
// device takes its place: the identification reads channel 1 instead of
// failing on registers the device does not have, again and again.
TEST_F(PollCommandsTest, OneInputDeviceIsReadOnChannelOneWhateverWasSelected)
{
    Connect(kKtaGen3Modbus);
    const Reads first = Run(PollCommand::DeviceInformation);
    worker->SetChannel(1);
    const Reads second = Run(PollCommand::DeviceInformation);
    EXPECT_FALSE(worker->HasError());
    EXPECT_EQ(second, first);
}

TEST_F(PollCommandsTest, QgRatedCurrentFollowsTheSensorType)
{
    Connect(kQgCcLinkInput2);
    Write(5601, {1234, 3}); // primary current, sensor type
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(image.ratedCurrent, 200);

    Write(5602, {0});
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(image.ratedCurrent, 1234);

    // A type without a rating keeps what the image had; a zero current counts as 1.
    Write(5602, {7});
    image.ratedCurrent = 77;
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(image.ratedCurrent, 77);
    Write(5601, {0, 0});
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(image.ratedCurrent, 1);
    EXPECT_FALSE(worker->HasError());
}

TEST_F(PollCommandsTest, LoopTestZeroesRatingsAndAngles)
{
    Connect(kKtaGen3Modbus);
    Write(5335, {1});
    image.ratedCurrent = image.ratedVoltage = 5;
    image.angles.fill(9);
    const Reads reads = Run(PollCommand::DeviceInformation);
    EXPECT_EQ(image.loopTestWord, 1);
    EXPECT_EQ(image.ratedCurrent, 0);
    EXPECT_EQ(image.ratedVoltage, 0);
    EXPECT_TRUE(std::all_of(image.angles.begin(), image.angles.end(),
                            [](std::uint16_t a) { return a == 0; }));
    EXPECT_EQ(reads.back(), (std::pair<int, int>{5600, 1})); // no angles, no ratings
    EXPECT_EQ(std::count(reads.begin(), reads.end(), std::pair<int, int>{30000, 6}), 0);
}

TEST_F(PollCommandsTest, CountersAndOutputsAreReadOnlyWhenTheDeviceHasThem)
{
    Connect(kQgLonWorksCounter);
    Run(PollCommand::DeviceInformation);
    FillItems(390, 8);
    EXPECT_EQ(Run(PollCommand::Counters), (Reads{{3136, 16}}));
    EXPECT_FALSE(Untouched(390, 1));

    Connect(kKtaGen3Ao2);
    Run(PollCommand::DeviceInformation);
    EXPECT_EQ(Run(PollCommand::AnalogOutputs), (Reads{{3135, 5}}));
    EXPECT_EQ(image.outputType, 0); // option code 1: 0-20 mA whatever register 3135 says
    EXPECT_NE(image.FormatItem(1880), "");
    EXPECT_EQ(image.FormatItem(1881), ""); // two outputs only

    Connect(kZmAo);
    Run(PollCommand::DeviceInformation);
    ASSERT_TRUE(commands->ConnectedDevice().Has(CapZm));
    EXPECT_EQ(Run(PollCommand::AnalogOutputs), (Reads{{3135, 5}, {5339, 1}}));

    // Without them the command zeroes its fields and reads nothing.
    Connect(kKtaGen3Modbus);
    Run(PollCommand::DeviceInformation);
    FillItems(390, 8);
    image.outputValues.fill(5);
    image.outputType = image.fixedOutput = 2;
    EXPECT_TRUE(Run(PollCommand::Counters).empty());
    EXPECT_TRUE(Run(PollCommand::AnalogOutputs).empty());
    for (int i = 390; i < 398; ++i)
        EXPECT_EQ(image.Item(i), 0);
    EXPECT_EQ(image.outputValues, (std::array<std::int16_t, 4>{}));
    EXPECT_EQ(image.outputType + image.fixedOutput, 0);
    EXPECT_FALSE(worker->HasError());
}

TEST_F(PollCommandsTest, FailingReadSetsTheErrorFlagAndKeepsWhatWasRead)
{
    SimOptions options = DeviceOptions(kKtaGen3Modbus);
    options.faults.exceptionAddress = 32; // the second block of command 2
    Connect(options);
    FillItems(0, 33);
    FillItems(178, 40);
    Run(PollCommand::InstantaneousAndDemand);
    EXPECT_TRUE(worker->HasError());
    EXPECT_EQ(observer.updates, 1);
    EXPECT_FALSE(device->Master().IsOpen());
    EXPECT_FALSE(Untouched(0, 1));
    EXPECT_TRUE(Untouched(8, 25));
    EXPECT_TRUE(Untouched(178, 40));

    // The next command that completes clears the flag.
    Run(PollCommand::Maximum);
    EXPECT_FALSE(worker->HasError());
}

TEST_F(PollCommandsTest, ClearedRunningFlagSkipsTheRemainingReads)
{
    Connect(kKtaGen3Modbus);
    int requests = 0;
    transports.afterWrite = [&](const std::uint8_t*, std::size_t) {
        if (++requests == 1)
            worker->SetRunning(false);
    };
    FillItems(0, 33);
    const Reads reads = Run(PollCommand::InstantaneousAndDemand);
    EXPECT_EQ(reads, (Reads{{0, 16}}));
    EXPECT_FALSE(Untouched(0, 8));
    EXPECT_TRUE(Untouched(8, 25));
    EXPECT_FALSE(worker->HasError());
    EXPECT_EQ(observer.updates, 0); // the window is closing
    EXPECT_FALSE(device->Master().IsOpen());

    // A command that finds the flag cleared opens nothing.
    EXPECT_TRUE(Run(PollCommand::Maximum).empty());
    EXPECT_TRUE(device->Requests().empty());
}
