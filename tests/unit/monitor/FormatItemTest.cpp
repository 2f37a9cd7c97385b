#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorPollCommands.h"
#include "monitor/FormatKinds.h"
#include "monitor/ModelCodes.h"

namespace {

constexpr int kEnergyItem = 66; // active energy in, high tariff
constexpr int kFraction = 56;   // its fraction lies this far above it
constexpr int kOutput1 = 1879;

CMeasurandsKTA ImageOf(std::uint16_t modelCode)
{
    CMeasurandsKTA image;
    image.modelCode = modelCode;
    return image;
}

std::string Render(CMeasurandsKTA image, int item, std::int32_t value)
{
    image.SetItem(item, value);
    return image.FormatItem(item);
}

} // namespace

// One item of each kind, on a KTA and on a ZN device where the kind scales differently.
struct KindCase {
    const char* name;
    int item;
    std::int32_t value;
    const char* kta;
    const char* zn;
};

class FormatKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(FormatKindTest, RendersByKindAndModel)
{
    const KindCase& c = GetParam();
    EXPECT_EQ(Render(ImageOf(ModelCode::kKta), c.item, c.value), c.kta);
    EXPECT_EQ(Render(ImageOf(ModelCode::kZnpw), c.item, c.value), c.zn);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormatKindTest,
    ::testing::Values(
        KindCase{"Current", 8, -12345, "-12.345", "-12.345"},
        KindCase{"Voltage", 15, 23012, "230.12", "230.12"},
        KindCase{"ActivePower", 18, 12345, "12345", "1234.5"},
        KindCase{"ReactivePower", 21, -7, "-7", "-0.7"},
        KindCase{"ApparentPower", 1014, 250, "250", "25.0"},
        KindCase{"PowerFactor", 5, -9876, "-0.9876", "-0.9876"},
        KindCase{"Frequency", 6, 5001, "50.01", "50.01"},
        KindCase{"LeadLag", 30, 1, "lead", "lead"},
        KindCase{"OperatingTimer", 75, 12345, "1234.5", "123.45"},
        KindCase{"Thd", 366, 123, "12.3", "12.3"},
        KindCase{"Count", 390, 4000000, "4000000", "4000000"},
        KindCase{"Tenths", 398, 15, "1.5", "1.5"}, KindCase{"PulseCount", 630, -2, "-2", "-2"},
        KindCase{"CircuitWiring", 386, 2, "1-3", "1-3"},
        KindCase{"SecondSystemPower", 51, 12345, "12345", "1234.5"},
        KindCase{"EnergyFraction", 122, 5, "", ""}, KindCase{"GapInMaximum", 225, 5, "", ""},
        KindCase{"PastTheTable", 1883, 5, "", ""}, KindCase{"FarPastTheTable", 32767, 5, "", ""},
        KindCase{"Negative", -1, 5, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatItem, LeadLagAndWiringTexts)
{
    const CMeasurandsKTA image;
    EXPECT_EQ(Render(image, 7, 0), "lag");
    EXPECT_EQ(Render(image, 7, -1), "lead");
    EXPECT_EQ(Render(image, 386, 0), "1-N");
    EXPECT_EQ(Render(image, 387, 1), "3-N");
    // A wiring code outside the texts shows nothing, not a neighbouring text.
    EXPECT_EQ(Render(image, 388, 3), "");
    EXPECT_EQ(Render(image, 389, -1), "");
}

TEST(FormatItem, ZeroImageShowsZeroRenderingsAndBoundsItems)
{
    CMeasurandsKTA image;
    EXPECT_EQ(image.FormatItem(0) + image.FormatItem(1) + image.FormatItem(2), "0.0000.000");
    EXPECT_EQ(image.FormatItem(kEnergyItem), "0.0000");
    image.SetItem(CMeasurandsKTA::kItemCount, 5);
    EXPECT_EQ(image.Item(CMeasurandsKTA::kItemCount), 0);
    EXPECT_EQ(image.Item(-1), 0);
}

// The energy rule: integer part plus the fraction of the item 56 higher,
// truncated by integer division to ten-thousandths of a unit.
struct EnergyCase {
    const char* name;
    std::uint16_t model;
    std::int32_t integer;
    std::uint32_t fraction;
    const char* text;
};

class EnergyFormatTest : public ::testing::TestWithParam<EnergyCase> {};

TEST_P(EnergyFormatTest, FractionDecidesTheLastDigits)
{
    const EnergyCase& c = GetParam();
    CMeasurandsKTA image = ImageOf(c.model);
    image.SetItem(kEnergyItem, c.integer);
    image.SetItem(kEnergyItem + kFraction, static_cast<std::int32_t>(c.fraction));
    EXPECT_EQ(image.FormatItem(kEnergyItem), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Fractions, EnergyFormatTest,
    ::testing::Values(
        EnergyCase{"KtaHalf", ModelCode::kKta, 12345, 0x80000000u, "1234.5500"},
        EnergyCase{"KtaNone", ModelCode::kKta, 12345, 0, "1234.5000"},
        EnergyCase{"KtaJustBelowOneStep", ModelCode::kKta, 12345, 4294966u, "1234.5000"},
        EnergyCase{"KtaOneStep", ModelCode::kKta, 12345, 4294967u, "1234.5001"},
        // 2^32 / 1000 would round 999 up; the division by 4294967 reaches 1000.
        EnergyCase{"KtaFullFraction", ModelCode::kKta, 12345, 0xFFFFFFFFu, "1234.6000"},
        EnergyCase{"KtaLastStep", ModelCode::kKta, 12345, 4294967u * 1000u, "1234.6000"},
        EnergyCase{"KtaBelowLastStep", ModelCode::kKta, 12345, 4294967u * 1000u - 1u, "1234.5999"},
        EnergyCase{"ZnFullFraction", ModelCode::kZnpw, 12345, 0xFFFFFFFFu, "123.4600"},
        EnergyCase{"ZnJustBelowOneStep", ModelCode::kZnepw, 12345, 42949671u, "123.4500"},
        EnergyCase{"ZnOneStep", ModelCode::kZnepw, 12345, 42949672u, "123.4501"},
        EnergyCase{"ZnHalf", ModelCode::kZnpw, 12345, 0x80000000u, "123.4550"},
        EnergyCase{"OtherModelsAsKta", ModelCode::kQg, 12345, 0x80000000u, "1234.5500"},
        EnergyCase{"NegativeNet", ModelCode::kKta, -12345, 0x80000000u, "-1234.4500"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatItem, EnergyOfTheSecondSystemUsesItsOwnFraction)
{
    CMeasurandsKTA image = ImageOf(ModelCode::kZnpw);
    image.SetItem(94, 100);
    image.SetItem(150, static_cast<std::int32_t>(0x80000000u));
    image.SetItem(kEnergyItem + kFraction, 0); // the first system's fraction
    EXPECT_EQ(image.FormatItem(94), "1.0050");
}

TEST(FormatItem, BcdDateAndTheTimeThatFollowsIt)
{
    CMeasurandsKTA image;
    image.SetItem(1870, 0x15062401);
    image.SetItem(1871, 0x00003059);
    EXPECT_EQ(image.FormatItem(1870), "2024/01/15");
    EXPECT_EQ(image.FormatItem(1871), "06:30:59");
    image.SetItem(1870, static_cast<std::int32_t>(0x31232412u));
    EXPECT_EQ(image.FormatItem(1870), "2024/12/31");
    EXPECT_EQ(image.FormatItem(1871), "23:30:59");
}

// The output rule: the count is I/O word 3, a KTB reporting 0 has four.
TEST(FormatItem, AnalogOutputsUpToTheOutputCount)
{
    CMeasurandsKTA image = ImageOf(ModelCode::kKta);
    image.outputValues = {1234, -500, 3, 4};
    image.ioWords[2] = 1;
    EXPECT_EQ(image.FormatItem(kOutput1), "12.34");
    EXPECT_EQ(image.FormatItem(kOutput1 + 1), "");
    image.ioWords[2] = 0;
    EXPECT_EQ(image.FormatItem(kOutput1), "");

    image.modelCode = ModelCode::kKtb;
    EXPECT_EQ(image.FormatItem(kOutput1 + 1), "-5.00");
    EXPECT_EQ(image.FormatItem(kOutput1 + 3), "0.04");
    image.outputType = 1; // -5 - +5 V: thousandths
    EXPECT_EQ(image.FormatItem(kOutput1), "1.234");
    image.outputType = 2;
    EXPECT_EQ(image.FormatItem(kOutput1), "12.34");
}

// Model names by model code and option bits, the first matching bit winning.
struct ModelCase {
    std::uint16_t model;
    std::uint16_t option;
    const char* name;
};

class ModelNameTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelNameTest, NamesTheVariant)
{
    CMeasurandsKTA image = ImageOf(GetParam().model);
    image.optionCode = GetParam().option;
    EXPECT_EQ(image.FormatItem(1873), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Models, ModelNameTest,
    ::testing::Values(ModelCase{0x1267, 0xFFFF, "KTA"}, ModelCase{0x1271, 0x0180, "KTBL"},
                      ModelCase{0x1271, 0x0100, "KTBC"}, ModelCase{0x1271, 0x0002, "KTB"},
                      ModelCase{0x127B, 0x0580, "QGLPW"}, ModelCase{0x127B, 0x0500, "QGCPW"},
                      ModelCase{0x127B, 0x0400, "QGEPW"}, ModelCase{0x127B, 0x0012, "QGMPW"},
                      ModelCase{0x1268, 0, "LKTA"}, ModelCase{0x1269, 0, "LKTAS"},
                      ModelCase{0x1285, 0x0080, "QHLPW"}, ModelCase{0x1285, 0x0100, "QHCPW"},
                      ModelCase{0x1285, 0x0400, "QHEPW"}, ModelCase{0x1285, 0, "QHMPW"},
                      ModelCase{0x128F, 0x0802, "ZMPV"}, ModelCase{0x128F, 0x0005, "ZMPW"},
                      ModelCase{0x1299, 0x1002, "ZNPW-U"}, ModelCase{0x1299, 0x0002, "ZNPW"},
                      ModelCase{0x129A, 0x1002, "ZNEPW"}, ModelCase{0x1234, 0, ""}));

TEST(FormatItem, FirmwareVersionFromTheTripleOrTheVersionWord)
{
    CMeasurandsKTA image;
    image.firmwareVersion = 105;
    EXPECT_EQ(image.FormatItem(1874), "1.05");
    image.versionTriple = {2, 10, 3};
    EXPECT_EQ(image.FormatItem(1874), "2.10.3");
}

TEST(FormatItem, SerialAndTagStopAtZeroOrTheFieldEnd)
{
    CMeasurandsKTA image = ImageOf(ModelCode::kKtb);
    std::memcpy(image.serial.data(), "AB123456", 8);
    std::memcpy(image.tag.data(), "FEEDER-1\0garbage", 16);
    EXPECT_EQ(image.FormatItem(1875), "AB123456");
    EXPECT_EQ(image.FormatItem(1878), "FEEDER-1");
    std::memcpy(image.tag.data(), "0123456789ABCDEF", 16);
    EXPECT_EQ(image.FormatItem(1878), "0123456789ABCDEF");

    // UTF-8 text stays as it is; other bytes are read one character each.
    std::memcpy(image.tag.data(), "caf\xC3\xA9\0", 6);
    EXPECT_EQ(image.FormatItem(1878), "caf\xC3\xA9");
    std::memcpy(image.tag.data(), "\xB5V\xFF\0", 4);
    EXPECT_EQ(image.FormatItem(1878), "\xC2\xB5V\xC3\xBF");
}

TEST(FormatItem, SerialIsNotSupportedOnZmAndZn)
{
    for (std::uint16_t model : {ModelCode::kZm, ModelCode::kZnpw, ModelCode::kZnepw}) {
        CMeasurandsKTA image = ImageOf(model);
        std::memcpy(image.serial.data(), "AB123456", 8);
        EXPECT_EQ(image.FormatItem(1875), "Not supported") << model;
    }
}

TEST(FormatItem, PasscodeStateAndSupportInformation)
{
    CMeasurandsKTA image = ImageOf(ModelCode::kQg);
    image.storedPasscode = 0xFFFFFFFFu;
    EXPECT_EQ(image.FormatItem(1876), "4294967295");
    EXPECT_EQ(image.FormatItem(1877), "Protection enabled");
    image.storedPasscode = 0;
    EXPECT_EQ(image.FormatItem(1877), "Protection disabled");

    image.modelCode = ModelCode::kKta;
    image.firmwareVersion = 100;
    EXPECT_EQ(image.FormatItem(1877), "Not supported");
    image.firmwareVersion = 101;
    EXPECT_EQ(image.FormatItem(1877), "Protection disabled");
    image.modelCode = ModelCode::kZm;
    EXPECT_EQ(image.FormatItem(1877), "Not supported");
}

// Cross-checks of the kind table against the design decisions and the poll blocks.
TEST(FormatKinds, SecondSystemRepeatsTheFirst)
{
    const std::pair<int, int> pairs[] = {{33, 0},    {94, 66},   {248, 218},
                                         {337, 308}, {376, 366}, {288, 278}};
    const int lengths[] = {33, 28, 30, 29, 10, 10};
    for (std::size_t p = 0; p < std::size(pairs); ++p)
        for (int k = 0; k < lengths[p]; ++k)
            EXPECT_EQ(FormatKindOf(pairs[p].first + k), FormatKindOf(pairs[p].second + k))
                << pairs[p].first + k;
}

TEST(FormatKinds, EveryPolledItemHasAKindAndFractionsHaveNone)
{
    for (const PollCommand c :
         {PollCommand::InstantaneousAndDemand, PollCommand::Maximum, PollCommand::Minimum,
          PollCommand::EnergyHighTariff, PollCommand::EnergyLowTariff, PollCommand::Thd,
          PollCommand::Counters}) {
        for (const PollBlock& b : PollBlocksOf(c)) {
            for (int item = b.firstItem; item < b.firstItem + b.values; ++item) {
                const bool fraction = item >= 122 && item <= 149;
                EXPECT_EQ(FormatKindOf(item) == FormatKind::None, fraction) << item;
            }
            EXPECT_LE(b.values, 25) << "at most 50 registers per request";
        }
    }
}
