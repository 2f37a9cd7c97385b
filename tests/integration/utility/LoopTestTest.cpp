#include "UtilityDevice.h"
#include "monitor/CMeasurandsKTA.h"
#include "utility/AnalogLoopBack.h"
#include "utility/MeasuredLoopTest.h"

namespace {

constexpr int kQg = 37;
constexpr int kQgTwoInputs = 34;
constexpr int kZnpw = 83;
constexpr int kLkta4to20mA = 50;

// A write-mode sequence as the device sees it: handshake, the mode, the
// sequence's own writes, the leave step.
WriteList InWriteMode(Protection p, std::uint16_t mode, const WriteList& body,
                      bool highFirst = false)
{
    WriteList w = Unlocking(p, 4942, highFirst);
    w.push_back({4944, {mode}});
    if (p == Protection::WrongPasscode)
        return w;
    w.insert(w.end(), body.begin(), body.end());
    w.push_back({4944, {0}});
    if (p == Protection::RightPasscode)
        w.push_back({4942, {0, 0}});
    return w;
}

std::vector<std::int32_t> Ramp(int n)
{
    std::vector<std::int32_t> values;
    for (int i = 0; i < n; ++i)
        values.push_back(0x00010000 * i + 100 + i);
    return values;
}

// Register words of values from item first, n of them.
Words WordsOf(const std::vector<std::int32_t>& values, int first, int n, bool highFirst)
{
    Words w;
    for (int i = first; i < first + n; ++i) {
        const auto v = static_cast<std::uint32_t>(values[std::size_t(i)]);
        const auto high = static_cast<std::uint16_t>(v >> 16), low = static_cast<std::uint16_t>(v);
        const Words pair = highFirst ? Words{high, low} : Words{low, high};
        w.insert(w.end(), pair.begin(), pair.end());
    }
    return w;
}

class LoopTestTest : public UtilityDeviceTest, public ::testing::WithParamInterface<Protection> {
protected:
    void StartProtected(int typeId, int wordOrder = 0)
    {
        Start(typeId, GetParam(), wordOrder);
        // Two sequences may each ask.
        if (!prompts_.passcodes.empty())
            prompts_.passcodes.push_back(prompts_.passcodes.front());
    }
    bool Granted() const { return GetParam() != Protection::WrongPasscode; }
};

TEST_P(LoopTestTest, SwitchingUsesWriteModeOneAndReportsTheModeTheDeviceIsIn)
{
    StartProtected(kQg);
    const ModeSwitchResult on = SwitchMeasuredLoopTest(Master(), MeasuredLoopTest::Channel1, true);
    EXPECT_EQ(on.switched, Granted());
    EXPECT_EQ(on.deviceMode, std::optional<bool>(Granted()));
    EXPECT_FALSE(on.error);
    EXPECT_EQ(Writes(), InWriteMode(GetParam(), 1, {{5335, {1}}}));
    EXPECT_EQ(Register(5335), Granted() ? 1 : 0);
    EXPECT_FALSE(Sim().Unlocked());
    if (!Granted()) {
        EXPECT_EQ(prompts_.Texts(), std::vector<std::string>{LoadText(11019)});
    }
}

TEST_P(LoopTestTest, ValuesAreWrittenInWriteModeTwoInTheDevicesWordOrder)
{
    StartProtected(kQg, 1);
    ASSERT_EQ(SwitchMeasuredLoopTest(Master(), MeasuredLoopTest::Channel1, true).switched,
              Granted());
    ClearLog();
    const auto values = Ramp(33);
    EXPECT_EQ(WriteMeasuredLoopTestValues(Master(), MeasuredLoopTest::Channel1, values), Granted());
    const WriteList blocks = {{0, WordsOf(values, 0, 8, true)}, {32, WordsOf(values, 8, 25, true)}};
    EXPECT_EQ(CommandWrites(), Granted() ? blocks : WriteList{});
    EXPECT_EQ(Writes(), InWriteMode(GetParam(), 2, CommandWrites(), true));
    if (Granted()) {
        EXPECT_EQ(ReadMeasuredLoopTest(Master(), MeasuredLoopTest::Channel1).values, values);
    }
}

TEST_P(LoopTestTest, LoopBackFixesTheOutputsAndWritesTheValuesInWriteModeOne)
{
    StartProtected(kLkta4to20mA);
    ASSERT_EQ(SwitchFixedOutputs(Master(), true).switched, Granted());
    const std::array<std::int16_t, 4> values = {160, 1200, 2000, 2240};
    const WriteList switching = Writes();
    ClearLog();
    EXPECT_EQ(WriteFixedOutputValues(Master(), values), Granted());
    EXPECT_EQ(switching, InWriteMode(GetParam(), 1, {{5339, {1}}}));
    EXPECT_EQ(Writes(), InWriteMode(GetParam(), 1, {{3136, {160, 1200, 2000, 2240}}}));

    const auto image = std::make_unique<CMeasurandsKTA>();
    ReadLoopBackState(Master(), *image);
    EXPECT_EQ(image->fixedOutput != 0, Granted());
    EXPECT_EQ(image->outputType, 0); // 4-20 mA outputs
    EXPECT_EQ(image->ioWords[2], 4);
}

INSTANTIATE_TEST_SUITE_P(Protections, LoopTestTest,
                         ::testing::Values(Protection::None, Protection::RightPasscode,
                                           Protection::WrongPasscode),
                         ProtectionName);

class LoopTestTargetTest : public UtilityDeviceTest {};

TEST_F(LoopTestTargetTest, SecondInputHasItsOwnModeAndValueRegisters)
{
    Start(kQgTwoInputs);
    ASSERT_TRUE(SwitchMeasuredLoopTest(Master(), MeasuredLoopTest::Channel2, true).switched);
    const auto values = Ramp(33);
    ASSERT_TRUE(WriteMeasuredLoopTestValues(Master(), MeasuredLoopTest::Channel2, values));
    EXPECT_EQ(CommandWrites(), (WriteList{{5338, {1}},
                                          {4000, WordsOf(values, 0, 8, false)},
                                          {4032, WordsOf(values, 8, 25, false)}}));
    EXPECT_EQ(Register(5335), 0);
}

TEST_F(LoopTestTargetTest, ZnWritesBothSystemsUnderOneMode)
{
    Start(kZnpw);
    ASSERT_TRUE(SwitchMeasuredLoopTest(Master(), MeasuredLoopTest::ZnBothSystems, true).switched);
    const auto values = Ramp(66);
    ASSERT_TRUE(WriteMeasuredLoopTestValues(Master(), MeasuredLoopTest::ZnBothSystems, values));
    EXPECT_EQ(CommandWrites(), (WriteList{{5335, {1}},
                                          {0, WordsOf(values, 0, 8, false)},
                                          {32, WordsOf(values, 8, 25, false)},
                                          {4000, WordsOf(values, 33, 8, false)},
                                          {4032, WordsOf(values, 41, 25, false)}}));
    const MeasuredLoopTestState state =
        ReadMeasuredLoopTest(Master(), MeasuredLoopTest::ZnBothSystems);
    EXPECT_TRUE(state.loopTest);
    EXPECT_EQ(state.values, values);
}

TEST_F(LoopTestTargetTest, ALinkLostWhileWritingValuesIsReportedAndWriteModeIsLeft)
{
    Start(kQg);
    ASSERT_TRUE(SwitchMeasuredLoopTest(Master(), MeasuredLoopTest::Channel1, true).switched);
    ClearLog();
    // Requests: 5735, 5333, 4944 = 2, 5735, then the first block: lost.
    LoseLinkAt(5);
    EXPECT_THROW(WriteMeasuredLoopTestValues(Master(), MeasuredLoopTest::Channel1, Ramp(33)),
                 CPrivateException);
    EXPECT_TRUE(loss_->Happened());
    EXPECT_EQ(Writes(), (WriteList{{4944, {2}}, {4944, {0}}}));
    EXPECT_EQ(Register(4944), 0);
    EXPECT_FALSE(Master().IsOpen());
}

TEST_F(LoopTestTargetTest, ASwitchThatFailsReportsTheErrorAndTheModeReadBack)
{
    Start(kQg);
    LoseLinkAt(4); // the write of 1 to 5335
    const ModeSwitchResult r = SwitchMeasuredLoopTest(Master(), MeasuredLoopTest::Channel1, true);
    EXPECT_FALSE(r.switched);
    ASSERT_TRUE(r.error);
    EXPECT_FALSE(r.error->Text().empty());
    EXPECT_EQ(r.deviceMode, std::optional<bool>(false));
    EXPECT_EQ(Register(4944), 0);
}

} // namespace
