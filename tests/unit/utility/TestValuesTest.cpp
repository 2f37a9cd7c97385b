#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "monitor/CMeasurandsKTA.h"
#include "text/CStringTable.h"
#include "utility/EnergyPreset.h"
#include "utility/QhPreset.h"
#include "utility/TestInputs.h"

namespace {

std::string ErrorOf(const std::string& text, const ScaledInput& input)
{
    try {
        ReadScaledInput(text, input);
    } catch (const CPrivateException& e) {
        return e.Text();
    }
    return {};
}

TEST(ScaledDecimalTest, DecimalTextIsScaledExactly)
{
    EXPECT_EQ(ParseScaledDecimal("1234.5678", 10000), 12345678);
    EXPECT_EQ(ParseScaledDecimal("99999999.9999", 10000), 999999999999);
    EXPECT_EQ(ParseScaledDecimal("-99999999.9", 10000), -999999999000);
    EXPECT_EQ(ParseScaledDecimal(" 50 ", 100), 5000);
    EXPECT_EQ(ParseScaledDecimal("1.5e3", 1), 1500);
    EXPECT_EQ(ParseScaledDecimal(".25", 100), 25);
    EXPECT_EQ(ParseScaledDecimal("0.125", 100), 13); // half away from zero
    EXPECT_EQ(ParseScaledDecimal("-0.125", 100), -13);
    EXPECT_EQ(ParseScaledDecimal("0.124", 100), 12);
    EXPECT_EQ(ParseScaledDecimal("1e30", 1), 1000000000000000000);
    for (const char* bad : {"", " ", "-", ".", "1.2.3", "12a", "1e", "0x10"})
        EXPECT_FALSE(ParseScaledDecimal(bad, 10)) << bad;
    EXPECT_EQ(FormatScaledDecimal(-999999999000, 10000), "-99999999.9000");
    EXPECT_EQ(FormatScaledDecimal(5, 100), "0.05");
    EXPECT_EQ(FormatScaledDecimal(7, 1), "7");
}

TEST(TestInputsTest, FrequencyTakesZeroOrItsRange)
{
    const ScaledInput f = *MeasuredLoopTestInput(6, false);
    EXPECT_EQ(ReadScaledInput("50", f), 5000);
    EXPECT_EQ(ReadScaledInput("0", f), 0);
    EXPECT_EQ(ErrorOf("44.99", f), FormatText(11035, {LoadText(1006), "45.00", "65.00", "0.00"}));
    EXPECT_EQ(*QhLoopTestInput(869), f);
}

TEST(TestInputsTest, EditableLoopTestCells)
{
    EXPECT_FALSE(MeasuredLoopTestInput(7, false));
    EXPECT_FALSE(MeasuredLoopTestInput(31, false));
    EXPECT_FALSE(MeasuredLoopTestInput(33, false));
    EXPECT_EQ(MeasuredLoopTestInput(11, false)->nameId, 1007);
    EXPECT_EQ(MeasuredLoopTestInput(20, false)->scale, 1);
    // The ZN family counts power in 0.1 W; its second system repeats the first.
    EXPECT_EQ(MeasuredLoopTestInput(20, true)->scale, 10);
    EXPECT_EQ(MeasuredLoopTestInput(33 + 20, true), MeasuredLoopTestInput(20, true));
    EXPECT_FALSE(MeasuredLoopTestInput(33 + 7, true));
    EXPECT_EQ(QhLoopTestInput(889)->nameId, 1007);
    EXPECT_FALSE(QhLoopTestInput(891));
}

TEST(TestInputsTest, AnalogOutputRangesByOptionCodeAndType)
{
    const ScaledInput mA = AnalogOutputInput(0x0001, 0, 1);
    EXPECT_EQ(mA.nameId, 3802);
    EXPECT_EQ(ReadScaledInput("1.60", mA), 160);
    EXPECT_EQ(ReadScaledInput("22.4", mA), 2240);
    EXPECT_EQ(ErrorOf("1.59", mA), FormatText(11000, {"Ao2", "1.60", "22.40"}));
    EXPECT_EQ(AnalogOutputInput(0x0005, 1, 0).minimum, -5750);
    EXPECT_EQ(AnalogOutputInput(0x0005, 2, 0).scale, 100);
    EXPECT_EQ(AnalogOutputInput(0x0005, 0, 0).maximum, 2300);
    EXPECT_EQ(AnalogOutputInput(0x0004, 0, 0).minimum, 400);
}

TEST(EnergyPresetTest, TableAgreesWithTheEnergyBlocksOfThePollCommands)
{
    int counters = 0;
    for (const EnergyPresetRow& row : EnergyPresetTable()) {
        EXPECT_EQ(FindEnergyPresetRow(row.item), &row);
        if (row.kind == PresetKind::Counter) {
            EXPECT_EQ(row.reg, 3136 + 2 * (row.item - 390));
            EXPECT_EQ(row.nameId, 4300 + (row.item - 390));
            ++counters;
            continue;
        }
        // (128, 14, 66) and (160, 14, 80): two registers per item.
        const int first = row.item < 80 ? 66 : 80;
        EXPECT_EQ(row.reg, (first == 66 ? 128 : 160) + 2 * (row.item - first)) << row.item;
        const int offset = row.item - first;
        EXPECT_EQ(row.kind, offset == 9    ? PresetKind::Timer
                            : offset == 12 ? PresetKind::NetEnergy
                                           : PresetKind::Energy)
            << row.item;
    }
    EXPECT_EQ(EnergyPresetTable().size(), 36u);
    EXPECT_EQ(counters, 8);
    EXPECT_FALSE(FindEnergyPresetRow(94));
}

// The image's energy rule for 0.1 units: v / 10 + floor(f / 4294967) / 10000,
// in 0.0001 units.
std::int64_t ReadBack(const PresetParts& p)
{
    return std::int64_t(p.integer) * 1000 + *p.fraction / 4294967;
}

TEST(EnergyPresetTest, SplitGivesTheTypedDigitsBack)
{
    const PresetParts p = SplitPresetValue(PresetKind::Energy, 12345678, EnergyUnits::Tenths);
    EXPECT_EQ(p.integer, 12345);
    EXPECT_EQ(*p.fraction, 2911987827u);
    for (std::int64_t m : {0LL, 1LL, 999LL, 1000LL, 12345678LL, 999999999999LL, -1LL, -999LL,
                           -1000LL, -12345LL, -999999999000LL})
        EXPECT_EQ(ReadBack(SplitPresetValue(PresetKind::NetEnergy, m, EnergyUnits::Tenths)), m)
            << m;
    // Negative net energy: mathematical floor, remainder 0-999.
    const PresetParts n = SplitPresetValue(PresetKind::NetEnergy, -12345, EnergyUnits::Tenths);
    EXPECT_EQ(n.integer, -13);
    const PresetParts zn = SplitPresetValue(PresetKind::Energy, 12345699, EnergyUnits::Hundredths);
    EXPECT_EQ(zn.integer, 123456);
    EXPECT_EQ(*zn.fraction / 42949672, 99u);
    const PresetParts timer = SplitPresetValue(PresetKind::Timer, 55, EnergyUnits::Tenths);
    EXPECT_EQ(timer.fraction, std::optional<std::uint32_t>(0));
    EXPECT_FALSE(SplitPresetValue(PresetKind::Counter, 7, EnergyUnits::Tenths).fraction);
}

TEST(EnergyPresetTest, RangesKeepTheIntegerPartInItsRegister)
{
    for (const EnergyPresetRow& row : EnergyPresetTable())
        for (EnergyUnits u : {EnergyUnits::Tenths, EnergyUnits::Hundredths}) {
            const ScaledInput in = EnergyPresetInput(row, u);
            for (std::int64_t m : {in.minimum, in.maximum}) {
                const std::int64_t integer = SplitPresetValue(row.kind, m, u).integer;
                EXPECT_EQ(integer >= -999999999 && integer <= 999999999, true) << row.item;
            }
        }
    const ScaledInput net = EnergyPresetInput(*FindEnergyPresetRow(78), EnergyUnits::Tenths);
    EXPECT_EQ(net.minimum, -999999999000);
    EXPECT_EQ(net.maximum, 999999999999);
}

TEST(EnergyPresetTest, StoredPartsLandOnTheItemAndItsFraction)
{
    const auto image = std::make_unique<CMeasurandsKTA>();
    StorePreset(*image, 66, {12345, 77u});
    EXPECT_EQ(image->items[66], 12345);
    EXPECT_EQ(image->items[122], 77);
}

TEST(QhPresetTest, CellsAreTheFirstTwoValuesOfEachRecord)
{
    EXPECT_EQ(QhPresetCellOf(398, QhModule::Basic)->channel, 0);
    EXPECT_EQ(QhPresetCellOf(399 + 29 * 7, QhModule::Extension)->channel, 15);
    EXPECT_EQ(QhPresetCellOf(399, QhModule::Basic)->quantity, QhEnergy::ReactiveLag);
    EXPECT_FALSE(QhPresetCellOf(400, QhModule::Basic));
    EXPECT_FALSE(QhPresetCellOf(398 + 29 * 8, QhModule::Basic));
    EXPECT_EQ(QhPresetItem(*QhPresetCellOf(428, QhModule::Extension)), 428);
    EXPECT_EQ(QhEnergyRecordRegister(8), 5440);
    EXPECT_EQ(QhPresetInput(QhEnergy::ReactiveLag).nameId, 1403);
}

} // namespace
