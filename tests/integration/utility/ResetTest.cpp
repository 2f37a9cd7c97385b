#include "UtilityDevice.h"
#include "utility/DeviceReset.h"

namespace {

constexpr int kKtb = 1;
constexpr int kQgFourCounters = 33;
constexpr int kQgTwoInputs = 34;
constexpr int kZnpw = 83;
constexpr int kQh = 52;

// A command between the handshake and the lock step: what the device sees in
// order, given how it is protected.
WriteList Framed(Protection p, const Write& command)
{
    WriteList w = Unlocking(p);
    w.push_back({4944, {1}}); // the unlock check
    if (p == Protection::WrongPasscode)
        return w;
    w.push_back({4944, {1}});
    w.push_back(command);
    w.push_back({4944, {0}});
    if (p == Protection::RightPasscode)
        w.push_back({4942, {0, 0}});
    return w;
}

class ResetTest : public UtilityDeviceTest, public ::testing::WithParamInterface<Protection> {
protected:
    bool Granted() const { return GetParam() != Protection::WrongPasscode; }
};

TEST_P(ResetTest, EnergyResetWritesOneToTheResetRegister)
{
    Start(kKtb, GetParam());
    EXPECT_EQ(RunResetCommand(Master(), *PlainResetRequest(ResetKind::Energy, {}, false)),
              Granted());
    EXPECT_EQ(Writes(), Framed(GetParam(), {5329, {1}}));
    EXPECT_FALSE(Sim().Unlocked());
    EXPECT_FALSE(Master().IsOpen());
}

TEST_P(ResetTest, FourCountersAreResetWithFifteenAtTheAlternativeRegister)
{
    Start(kQgFourCounters, GetParam());
    CDeviceType qg;
    qg.SelectById(kQgFourCounters);
    const auto request = PlainResetRequest(ResetKind::Counter, qg, false);
    ASSERT_TRUE(request);
    EXPECT_EQ(RunResetCommand(Master(), *request), Granted());
    EXPECT_EQ(Writes(), Framed(GetParam(), {5337, {15}}));
}

TEST_P(ResetTest, ClearAlarmWritesOneTo5204)
{
    Start(kKtb, GetParam());
    EXPECT_EQ(ClearAlarm(Master()), Granted());
    EXPECT_EQ(Writes(), Framed(GetParam(), {5204, {1}}));
    EXPECT_FALSE(Sim().Unlocked());
}

TEST_P(ResetTest, QhChannelResetUsesTheQhRegistersOnly)
{
    Start(kQh, GetParam());
    EXPECT_EQ(RunQhReset(Master(), QhResetFor(QhResetButton::Energy, 2)), Granted());
    WriteList expected = Unlocking(GetParam(), 8976);
    expected.push_back({8978, {1}});
    if (Granted())
        expected.insert(expected.end(), {{8997, {1}}, {8978, {0}}, {8976, {0, 0}}});
    EXPECT_EQ(Writes(), expected);
    EXPECT_FALSE(Sim().Unlocked());
}

INSTANTIATE_TEST_SUITE_P(Protections, ResetTest,
                         ::testing::Values(Protection::None, Protection::RightPasscode,
                                           Protection::WrongPasscode),
                         ProtectionName);

class ResetTargetTest : public UtilityDeviceTest {};

TEST_F(ResetTargetTest, ZnpwEnergyResetOfCircuitsBAndDWritesTen)
{
    Start(kZnpw);
    const CircuitChooserSetup setup = CircuitChooserFor(ResetKind::Energy);
    const auto request =
        CircuitResetRequest(CircuitChooserResult(setup, false, {false, true, false, true, false}));
    ASSERT_TRUE(request);
    ASSERT_TRUE(RunResetCommand(Master(), *request));
    EXPECT_EQ(CommandWrites(), (WriteList{{5329, {10}}}));
}

TEST_F(ResetTargetTest, EightCountersAreResetWith255At5339)
{
    SimOptions options = DeviceOptions(kQgTwoInputs);
    options.alternativeIo = true; // I/O words 0, 0, 0, 2, 8
    Start(options);
    CDeviceType qg;
    qg.SelectById(kQgTwoInputs);
    qg.ioWords = {0, 0, 0, 2, 8};
    ASSERT_TRUE(RunResetCommand(Master(), *PlainResetRequest(ResetKind::Counter, qg, false)));
    EXPECT_EQ(CommandWrites(), (WriteList{{5339, {255}}}));
}

TEST_F(ResetTargetTest, SecondInputResetsGoToTheAlternativeRegister)
{
    Start(kQgTwoInputs);
    CDeviceType qg;
    qg.SelectById(kQgTwoInputs);
    ASSERT_TRUE(RunResetCommand(Master(), *PlainResetRequest(ResetKind::MaxMin, qg, true)));
    EXPECT_EQ(CommandWrites(), (WriteList{{5337, {2}}}));
}

} // namespace
