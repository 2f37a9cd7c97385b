#include "UtilityDevice.h"
#include "utility/EnergyPreset.h"
#include "utility/QhPreset.h"

namespace {

constexpr int kQgFourCounters = 33;
constexpr int kQgTwoInputs = 34;
constexpr int kQh = 52;
constexpr int kZnpw = 83;
constexpr int kActiveIn = 66;
constexpr int kCounter4 = 393;
constexpr std::uint32_t kFraction678 = 2911987827; // floor(678 x 2^32 / 1000) + 1

Words Low32(std::uint32_t v)
{
    return {static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(v >> 16)};
}

class PresetTest : public UtilityDeviceTest, public ::testing::WithParamInterface<Protection> {
protected:
    bool Granted() const { return GetParam() != Protection::WrongPasscode; }
    std::optional<PresetParts> Preset(int channel, int item, const std::string& text)
    {
        const ScaledInput input =
            EnergyPresetInput(*FindEnergyPresetRow(item), EnergyUnits::Tenths);
        return WriteEnergyPreset(Master(), channel, item, ReadScaledInput(text, input),
                                 EnergyUnits::Tenths);
    }
    // Write mode 2, the writes, and the full leave.
    WriteList Framed(const WriteList& body) const
    {
        WriteList w = Unlocking(GetParam());
        w.push_back({4944, {2}});
        if (!Granted())
            return w;
        w.insert(w.end(), body.begin(), body.end());
        w.insert(w.end(), {{4944, {0}}, {4942, {0, 0}}});
        return w;
    }
};

TEST_P(PresetTest, ActiveInKeepsEveryTypedDigitInItsIntegerAndFraction)
{
    Start(kQgTwoInputs, GetParam());
    const auto parts = Preset(0, kActiveIn, "1234.5678");
    EXPECT_EQ(parts.has_value(), Granted());
    EXPECT_EQ(Writes(), Framed({{128, Low32(12345)}, {192, Low32(kFraction678)}}));
    EXPECT_FALSE(Sim().Unlocked());
}

TEST_P(PresetTest, SecondInputPresetsLie4000RegistersHigher)
{
    Start(kQgTwoInputs, GetParam());
    Preset(1, kActiveIn, "1234.5678");
    EXPECT_EQ(Writes(), Framed({{4128, Low32(12345)}, {4192, Low32(kFraction678)}}));
}

TEST_P(PresetTest, CounterPresetNeedsNoUnlockAndLeaves4944Alone)
{
    Start(kQgFourCounters, GetParam());
    const auto parts = Preset(0, kCounter4, "4711");
    ASSERT_TRUE(parts);
    EXPECT_FALSE(parts->fraction);
    EXPECT_EQ(Writes(), (WriteList{{3142, Low32(4711)}}));
    EXPECT_EQ(device_->CountTouching(16, 4944) + device_->CountTouching(4, 4944), 0);
    EXPECT_EQ(prompts_.passcodeCount, 0);
}

TEST_P(PresetTest, QhEnergyPresetWritesTheChannelsRecordLowWordFirst)
{
    Start(kQh, GetParam());
    const QhPresetCell cell = *QhPresetCellOf(398 + 29 * 2, QhModule::Basic);
    EXPECT_EQ(WriteQhEnergyPreset(Master(), cell, 1234567), Granted());
    WriteList expected = Unlocking(GetParam(), 8976);
    expected.push_back({8978, {1}});
    if (Granted())
        expected.insert(expected.end(), {{4672, Low32(1234567)}, {8978, {0}}, {8976, {0, 0}}});
    EXPECT_EQ(Writes(), expected);
    EXPECT_FALSE(Sim().Unlocked());
}

INSTANTIATE_TEST_SUITE_P(Protections, PresetTest,
                         ::testing::Values(Protection::None, Protection::RightPasscode,
                                           Protection::WrongPasscode),
                         ProtectionName);

class PresetTargetTest : public UtilityDeviceTest {};

TEST_F(PresetTargetTest, ALinkLostBetweenIntegerAndFractionIsReportedAndWriteModeLeftFully)
{
    Start(kQgTwoInputs);
    // Requests: 5735, 5333, 4944 = 2, 5735, the integer part, then the fraction: lost.
    LoseLinkAt(6);
    const ScaledInput input =
        EnergyPresetInput(*FindEnergyPresetRow(kActiveIn), EnergyUnits::Tenths);
    EXPECT_THROW(WriteEnergyPreset(Master(), 0, kActiveIn, ReadScaledInput("1.5", input),
                                   EnergyUnits::Tenths),
                 CPrivateException);
    EXPECT_EQ(Writes(), (WriteList{{4944, {2}}, {128, Low32(15)}, {4944, {0}}, {4942, {0, 0}}}));
    EXPECT_EQ(Register(4944), 0);
}

TEST_F(PresetTargetTest, ZnSecondSystemCountsHundredths)
{
    Start(kZnpw);
    const ScaledInput input =
        EnergyPresetInput(*FindEnergyPresetRow(kActiveIn), EnergyUnits::Hundredths);
    ASSERT_TRUE(WriteEnergyPreset(Master(), 1, kActiveIn, ReadScaledInput("1234.5678", input),
                                  EnergyUnits::Hundredths));
    // floor(78 x 2^32 / 100) + 1
    EXPECT_EQ(CommandWrites(), (WriteList{{4128, Low32(123456)}, {4192, Low32(3350074491u)}}));
}

} // namespace
