#include "UtilityDevice.h"
#include "utility/ClockCommands.h"

namespace {

constexpr int kQh = 52;
// Unix times whose seconds are 30 and 55 in every time zone.
constexpr std::int64_t kSafeSecond = 1700000010;
constexpr std::int64_t kUnsafeSecond = 1700000035;

// The device's clock stands still at the given moment (until written).
void StopTheDeviceClock(CDeviceSimulator& sim, std::int64_t unixTime)
{
    sim.SetTimeSources([] { return 100.0; }, [unixTime] { return unixTime; });
}

// A PC clock that moves only when waited on.
class FakeClock : public IClockSource {
public:
    FakeClock(DeviceDateTime start, int millisecond) : start_(start), startMs_(millisecond) {}
    LocalTime Now() override
    {
        DeviceDateTime t = start_;
        long ms = startMs_ + elapsed_.count();
        for (; ms >= 1000; ms -= 1000)
            t = AddOneSecond(t);
        return {t, static_cast<int>(ms)};
    }
    std::chrono::milliseconds Monotonic() override { return elapsed_; }
    void Sleep(std::chrono::milliseconds d) override { elapsed_ += d; }

private:
    DeviceDateTime start_;
    int startMs_;
    std::chrono::milliseconds elapsed_{0};
};

class ClockTest : public UtilityDeviceTest, public ::testing::WithParamInterface<Protection> {
protected:
    void SetUp() override
    {
        Start(kQh, GetParam());
        StopTheDeviceClock(Sim(), kSafeSecond);
    }
    bool Granted() const { return GetParam() != Protection::WrongPasscode; }
    WriteList Framed(const DeviceDateTime& t) const
    {
        WriteList w = Unlocking(GetParam(), 8976);
        w.push_back({8978, {1}});
        if (!Granted())
            return w;
        const ClockWords words = EncodeClock(t);
        w.insert(w.end(), {{9104, Words(words.begin(), words.end())}, {8978, {0}}, {8976, {0, 0}}});
        return w;
    }
};

TEST_P(ClockTest, SetWritesTheTimeInBcdBetweenUnlockAndLock)
{
    const DeviceDateTime t{2024, 2, 29, 23, 59, 30};
    EXPECT_EQ(SetDeviceClock(Master(), t), Granted());
    EXPECT_EQ(Writes(), Framed(t));
    if (Granted()) {
        EXPECT_EQ(ReadDeviceClock(Master()), t);
    }
    EXPECT_FALSE(Sim().Unlocked());
}

TEST_P(ClockTest, SyncWritesThePcTimeOneSecondAheadAtMillisecond950)
{
    // The device stands at a safe second; the PC starts in the last 50 ms of
    // a second: the wait runs into the next second and on to its 950th ms.
    FakeClock pc({2024, 12, 31, 10, 15, 58}, 990);
    EXPECT_EQ(SyncDeviceClock(Master(), pc), Granted());
    EXPECT_EQ(Writes(), Framed({2024, 12, 31, 10, 16, 0}));
}

INSTANTIATE_TEST_SUITE_P(Protections, ClockTest,
                         ::testing::Values(Protection::None, Protection::RightPasscode,
                                           Protection::WrongPasscode),
                         ProtectionName);

class ClockLimitTest : public UtilityDeviceTest {};

TEST_F(ClockLimitTest, SyncGivesUpWhenTheDeviceNeverReachesASafeSecond)
{
    Start(kQh);
    StopTheDeviceClock(Sim(), kUnsafeSecond);
    FakeClock pc({2024, 1, 1, 0, 0, 0}, 0);
    try {
        SyncDeviceClock(Master(), pc);
        FAIL() << "no error";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), LoadText(25000));
    }
    EXPECT_GE(pc.Monotonic(), kSyncLimit);
    EXPECT_EQ(device_->CountTouching(16, 9104), 0);
    EXPECT_EQ(Writes().back(), (Write{8976, {0, 0}}));
    EXPECT_FALSE(Sim().Unlocked());
}

} // namespace
