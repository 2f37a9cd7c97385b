#include "UtilityDevice.h"
#include "monitor/CMeasurandsKTA.h"
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

namespace {

class PresetPageTest : public UtilityDeviceTest {};

TEST_F(PresetPageTest, PageReadsTheTabsBlocksWithFractionsInTheDevicesWordOrder)
{
    Start(kQgTwoInputs, Protection::None, 1);
    const ScaledInput input =
        EnergyPresetInput(*FindEnergyPresetRow(kActiveIn), EnergyUnits::Tenths);
    ASSERT_TRUE(WriteEnergyPreset(Master(), 1, kActiveIn, ReadScaledInput("1234.5678", input),
                                  EnergyUnits::Tenths));
    ClearLog();
    const auto image = std::make_unique<CMeasurandsKTA>();
    ReadPresetTab(Master(), 1, 0, 0, *image);
    // The device counts on: the preset value or a little more.
    EXPECT_GE(image->items[66], 12345);
    EXPECT_LT(image->items[66], 12355);
    EXPECT_EQ(image->modelCode, Sim().Identity().modelCode);
    EXPECT_EQ(device_->CountTouching(4, 4128), 1);
    EXPECT_EQ(device_->CountTouching(4, 4192), 1);
    EXPECT_EQ(device_->CountTouching(4, 128), 0);
    EXPECT_FALSE(Master().IsOpen());
}

TEST_F(PresetPageTest, CounterTabOfADeviceWithoutCountersReadsNothingAndShowsZeros)
{
    Start(kQgTwoInputs);
    const auto image = std::make_unique<CMeasurandsKTA>();
    image->items[393] = 77;
    ReadPresetTab(Master(), 0, 4, 0, *image);
    EXPECT_EQ(image->items[393], 0);
    EXPECT_EQ(device_->CountTouching(4, 3136), 0);
}

TEST_F(PresetPageTest, CounterTabReadsThePresetCounters)
{
    Start(kQgFourCounters);
    const auto image = std::make_unique<CMeasurandsKTA>();
    ASSERT_TRUE(WriteEnergyPreset(Master(), 0, kCounter4, 4711, EnergyUnits::Tenths));
    ReadPresetTab(Master(), 0, 4, 4, *image);
    EXPECT_GE(image->items[kCounter4], 4711);
}

TEST_F(PresetPageTest, QhPageReadsTheModulesRecordsAndTheClock)
{
    Start(kQh);
    const QhPresetCell cell = *QhPresetCellOf(399 + 29 * 3, QhModule::Basic);
    ASSERT_TRUE(WriteQhEnergyPreset(Master(), cell, 54321));
    const auto image = std::make_unique<CMeasurandsKTA>();
    ReadQhPresetPage(Master(), QhModule::Basic, *image);
    EXPECT_GE(image->items[399 + 29 * 3], 54321);
    EXPECT_LT(image->items[399 + 29 * 3], 54331);
    const auto clock = Sim().ReadRegisters(9104, 3);
    EXPECT_EQ(static_cast<std::uint32_t>(image->items[1870]),
              std::uint32_t(clock[0]) | std::uint32_t(clock[1]) << 16);
    EXPECT_EQ(image->FormatItem(1870).size(), std::string("2024/01/15").size());
}

} // namespace
