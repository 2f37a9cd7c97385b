#include <gtest/gtest.h>

#include "SimulatedDevice.h"
#include "app/CPrivateException.h"
#include "config/DeviceRestart.h"
#include "device/ConnectedDevice.h"

namespace {

constexpr int kKtaGen2 = 70;
constexpr int kKtbLonWorks = 25;
constexpr int kQh = 64;
constexpr int kZmAo = 80;

using Words = std::vector<std::uint16_t>;

// The restart and identification steps of the main window's commands, as
// the widgets call them, against a simulated device.
class DeviceCommandsTest : public ::testing::Test {
protected:
    void Start(int typeId)
    {
        device_ = std::make_unique<SimulatedDevice>(DeviceOptions(typeId), SimTransport::Tcp);
    }
    bool Restart(std::uint16_t modelCode)
    {
        return RestartDevice(device_->Master(), modelCode,
                             [this](int ms) { waits_.push_back(ms); });
    }
    int Reads(int address, int count) const
    {
        int n = 0;
        for (const SimRequestRecord& r : device_->Requests())
            n += r.function == 4 && r.address == address && r.count == count;
        return n;
    }
    std::vector<std::pair<int, Words>> Writes() const
    {
        std::vector<std::pair<int, Words>> out;
        for (const SimRequestRecord& w : device_->Writes())
            out.emplace_back(w.address, w.values);
        return out;
    }

    std::unique_ptr<SimulatedDevice> device_;
    std::vector<int> waits_;
};

using W = std::pair<int, Words>;

TEST_F(DeviceCommandsTest, RestartTargetNamesTheModelFromTheIdentityRegisters)
{
    Start(kZmAo);
    const RestartTarget target = ReadRestartTarget(device_->Master());
    EXPECT_EQ(target.device.TypeId(), kZmAo);
    EXPECT_EQ(target.modelName, "ZMPW");
    EXPECT_FALSE(target.Refused());
    EXPECT_EQ(Reads(9597, 17), 1);
    EXPECT_EQ(Reads(9622, 5), 1);
    EXPECT_FALSE(device_->Master().IsOpen());
}

TEST_F(DeviceCommandsTest, LonWorksModelIsRefusedHavingOnlyRead)
{
    Start(kKtbLonWorks);
    const RestartTarget target = ReadRestartTarget(device_->Master());
    EXPECT_EQ(target.modelName, "KTBL");
    EXPECT_TRUE(target.Refused());
    EXPECT_TRUE(device_->Writes().empty());
    EXPECT_EQ(device_->Sim().Restarts(), 0);
}

TEST_F(DeviceCommandsTest, ZmWritesTheRestartPairAndDoesNotWait)
{
    Start(kZmAo);
    EXPECT_TRUE(Restart(4751));
    EXPECT_EQ(Writes(), (std::vector<W>{{9000, {3333, 4444}}}));
    EXPECT_EQ(device_->Sim().Restarts(), 1);
    EXPECT_TRUE(waits_.empty());
    EXPECT_FALSE(device_->Master().IsOpen());
}

// The device restarts without answering: one attempt, its time-out swallowed.
TEST_F(DeviceCommandsTest, KtaWritesTheRestartCodeOnceIgnoresTheSilenceAndWaits)
{
    Start(kKtaGen2);
    EXPECT_TRUE(Restart(4711));
    EXPECT_EQ(Writes(), (std::vector<W>{{5330, {10001}}}));
    EXPECT_EQ(device_->Sim().Restarts(), 1);
    EXPECT_EQ(waits_, std::vector<int>{3000});
    EXPECT_FALSE(device_->Master().IsOpen());
}

TEST_F(DeviceCommandsTest, ModelWithoutARestartCommandIsNotEvenConnected)
{
    Start(kZmAo);
    device_->StopServers();
    EXPECT_FALSE(Restart(4700));
    EXPECT_TRUE(waits_.empty());
}

// The retried restart pair reports a device that is gone.
TEST_F(DeviceCommandsTest, PairRestartToAnAbsentDeviceFailsAndLeavesTheConnectionClosed)
{
    Start(kZmAo);
    device_->StopServers();
    EXPECT_THROW(Restart(4751), CPrivateException);
    EXPECT_FALSE(device_->Master().IsOpen());
}

TEST_F(DeviceCommandsTest, IdentifyConnectedDeviceOpensAndClosesAroundTheIdentification)
{
    Start(kQh);
    const CDeviceType device = IdentifyConnectedDevice(device_->Master());
    EXPECT_EQ(device.TypeId(), kQh);
    EXPECT_EQ(device.modelCode, 4741);
    EXPECT_FALSE(device_->Master().IsOpen());
    EXPECT_TRUE(device_->Writes().empty());
}

} // namespace
