#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CPrivateException.h"
#include "config/AdvancedSettings.h"
#include "config/ConversionSettings.h"
#include "config/PulseSettings.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "device/ParameterSet.h"
#include "device/UnitText.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"
#include "text/CStringTable.h"

namespace {
Capabilities Caps(int typeId)
{
    return CatalogueRecordOfTypeId(typeId)->Caps();
}

template <typename F> std::string FailureOf(F&& f)
{
    try {
        f();
    } catch (const CPrivateException& e) {
        return e.Text();
    }
    return {};
}

std::string RangeMessage(int nameId, const char* lo, const char* hi)
{
    return FormatText(11000, {LoadText(nameId), lo, hi});
}

// --- Other Setting ---------------------------------------------------------

struct FrequencyCase {
    int typeId;
    std::vector<FrequencyInput> entries;
    std::uint16_t stored;
    int shownIndex;
    int storedBackAs; // -1: the stored code is kept
};

class FrequencyInputTest : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyInputTest, ListAndIndexCodeMapping)
{
    const auto& c = GetParam();
    const AdvancedLayout layout = AdvancedLayoutFor(Caps(c.typeId));
    EXPECT_EQ(layout.frequencyEntries, c.entries);
    EXPECT_EQ(FrequencyListIndex(Caps(c.typeId), c.stored), c.shownIndex);

    ParameterSet set = SetOf(c.typeId);
    set[AdvancedWord::FrequencyInput] = c.stored;
    AdvancedControls controls = AdvancedControlsOf(set);
    EXPECT_EQ(controls.frequencyIndex, c.shownIndex);
    ApplyAdvancedControls(controls, set, {});
    const int expected = c.storedBackAs < 0 ? c.stored : c.storedBackAs;
    EXPECT_EQ(set[AdvancedWord::FrequencyInput], expected);
}

using F = FrequencyInput;
INSTANTIATE_TEST_SUITE_P(
    Variants, FrequencyInputTest,
    ::testing::Values(
        // ZNPW offers no I1: a stored I1 shows as U1N and is saved back as U1N.
        FrequencyCase{kZnpw, {F::U1N, F::Fix50Hz, F::Fix60Hz}, 1, 0, 0},
        FrequencyCase{kZnpw, {F::U1N, F::Fix50Hz, F::Fix60Hz}, 0, 0, 0},
        FrequencyCase{kZnpw, {F::U1N, F::Fix50Hz, F::Fix60Hz}, 2, 1, 2},
        FrequencyCase{kZnepw, {F::U1N, F::Fix50Hz, F::Fix60Hz}, 3, 2, 3},
        FrequencyCase{kZmAo, {F::U1N, F::Fix50Hz, F::Fix60Hz}, 3, 2, 3},
        FrequencyCase{kZnpw, {F::U1N, F::Fix50Hz, F::Fix60Hz}, 7, -1, -1},
        // QH has no list and always stores 0.
        FrequencyCase{kQhModbusEx8, {}, 3, -1, 0}, FrequencyCase{kQhModbus, {}, 0, -1, 0},
        FrequencyCase{kKtaGen3Modbus, {F::U1N, F::I1, F::Fix50Hz, F::Fix60Hz}, 3, 3, 3},
        FrequencyCase{kKtaGen2Modbus, {F::U1N, F::I1}, 1, 1, 1},
        // A code the short list lacks selects nothing and is kept.
        FrequencyCase{kKtaGen2Modbus, {F::U1N, F::I1}, 3, -1, -1},
        FrequencyCase{kQgModbusCounter, {F::U1N, F::I1}, 0, 0, 0}));

TEST(AdvancedLayoutTest, EnableRulesByFamily)
{
    const auto kta = AdvancedLayoutFor(Caps(kKtaGen3Modbus));
    EXPECT_TRUE(kta.voltageEnabled && kta.frequencyEnabled && kta.tariffEnabled);
    EXPECT_FALSE(kta.channelGrid || kta.secondInput);
    EXPECT_EQ(kta.calculation, CalculationScheme::MethodsOnly);
    EXPECT_TRUE(AdvancedLayoutFor(Caps(kLktaAo2)).tariffEnabled);

    for (int id : {kQgModbusCounter, kQhModbusEx8, 68, kZmAo, kZnpw, kZnepw})
        EXPECT_FALSE(AdvancedLayoutFor(Caps(id)).tariffEnabled) << id;
    EXPECT_TRUE(AdvancedLayoutFor(Caps(kQgModbusInput2)).secondInput);
    EXPECT_FALSE(AdvancedLayoutFor(Caps(kQgModbusCounter)).secondInput);

    const auto qh = AdvancedLayoutFor(Caps(kQhModbus));
    EXPECT_TRUE(qh.channelGrid && qh.voltageEnabled);
    EXPECT_FALSE(qh.frequencyEnabled);

    EXPECT_FALSE(AdvancedLayoutFor(Caps(kZmAo)).voltageEnabled);
    EXPECT_FALSE(AdvancedLayoutFor(Caps(kZnepw)).voltageEnabled);
    EXPECT_TRUE(AdvancedLayoutFor(Caps(kZnpw)).voltageEnabled);
    EXPECT_EQ(AdvancedLayoutFor(Caps(kZmAo)).calculation, CalculationScheme::Zm);
    EXPECT_EQ(AdvancedLayoutFor(Caps(kZnepw)).calculation, CalculationScheme::Zn);
}

TEST(CutoutGridTest, ChannelAndCircuitLayouts)
{
    const auto ext = CutoutGridFor(Caps(kQhModbusEx8));
    ASSERT_EQ(ext.cells.size(), 16u);
    EXPECT_EQ(ext.columns, 4);
    EXPECT_EQ(ext.rows, 8);
    const std::vector<int> words = {40, 50, 59, 68, 75, 78,  81,  84,
                                    87, 90, 93, 96, 99, 102, 105, 108};
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(ext.cells[i].word, words[i]);
        EXPECT_EQ(ext.cells[i].column, i < 8 ? 1 : 3);
        EXPECT_EQ(ext.cells[i].row, int(i % 8));
        EXPECT_EQ(ext.labels[i].textId, 5500 + int(i));
        EXPECT_EQ(ext.labels[i].column, i < 8 ? 0 : 2);
    }
    const auto base = CutoutGridFor(Caps(kQhModbus));
    EXPECT_EQ(base.cells.size(), 8u);
    EXPECT_EQ(base.columns, 2);
    const auto zn = CutoutGridFor(Caps(kZnepw));
    ASSERT_EQ(zn.cells.size(), 4u);
    EXPECT_EQ(zn.labels.front().textId, 6000);
    EXPECT_EQ(zn.cells.back().word, 68);
    EXPECT_TRUE(CutoutGridFor(Caps(kKtaGen3Modbus)).Empty());
}

class CutoutLimitTest : public ::testing::Test {
protected:
    ParameterSet set = SetOf(kQgModbusInput2);
    AdvancedControls controls = AdvancedControlsOf(set);
    std::vector<int> focused;

    std::string Apply()
    {
        return FailureOf(
            [&] { ApplyAdvancedControls(controls, set, [&](int id) { focused.push_back(id); }); });
    }
};

TEST_F(CutoutLimitTest, HundredAndRoundedUpValuesAreRefused)
{
    for (const char* text : {"100", "99.95"}) {
        controls.cutoutVoltage = text;
        focused.clear();
        EXPECT_EQ(Apply(), RangeMessage(15157, "0.0", "99.9")) << text;
        EXPECT_EQ(focused, std::vector<int>{AdvancedControl::CutoutVoltage});
    }
    controls.cutoutVoltage = "99.94";
    EXPECT_EQ(Apply(), "");
    EXPECT_EQ(set[AdvancedWord::CutoutVoltage], 999);
}

TEST_F(CutoutLimitTest, SecondInputIsReadAfterTheFirstWithTheSameName)
{
    controls.cutoutCurrent1 = "12.3";
    controls.cutoutCurrent2 = "abc";
    EXPECT_EQ(Apply(), FormatText(11026, {LoadText(15156)}));
    EXPECT_EQ(focused, std::vector<int>{AdvancedControl::CutoutCurrent2});
    EXPECT_EQ(set[AdvancedWord::CutoutCurrent1], 123); // read before the failure
}

TEST(CutoutCellTest, GridCellsUseTheCurrentCutoutLimits)
{
    ParameterSet set = SetOf(kQhModbusEx8);
    const CutoutCell cell = CutoutGridFor(Caps(kQhModbusEx8)).cells[15];
    ApplyCutoutCell(cell, "2.5", set);
    EXPECT_EQ(set[108], 25);
    EXPECT_EQ(CutoutCellText(cell, set), "2.5");
    EXPECT_EQ(FailureOf([&] { ApplyCutoutCell(cell, "100", set); }),
              RangeMessage(15156, "0.0", "99.9"));
    EXPECT_EQ(set[108], 25);
}

TEST(AdvancedApplyTest, ZmFixesTheMethodsAndReadsThePowerFactor)
{
    ParameterSet set = SetOf(kZmAo);
    set[AdvancedWord::PhaseReactiveMethod] = 0;
    set[AdvancedWord::ApparentPowerMethod] = 1;
    AdvancedControls c = AdvancedControlsOf(set);
    EXPECT_TRUE(c.cutoutVoltage.empty());
    c.simpleMeasurement = true;
    c.simplePowerFactor = "0.85";
    ApplyAdvancedControls(c, set, {});
    EXPECT_EQ(set[AdvancedWord::PhaseReactiveMethod], 1);
    EXPECT_EQ(set[AdvancedWord::ApparentPowerMethod], 0);
    EXPECT_EQ(set[AdvancedWord::MeasurementMode], 1);
    EXPECT_EQ(set[AdvancedWord::SimplePowerFactor], 8500);

    c.simplePowerFactor = "1.00005";
    EXPECT_EQ(FailureOf([&] { ApplyAdvancedControls(c, set, {}); }),
              RangeMessage(15356, "0.0000", "1.0000"));
}

TEST(AdvancedApplyTest, MethodsOnlyLeavesTheMeasurementModeAlone)
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[AdvancedWord::MeasurementMode] = 1;
    AdvancedControls c = AdvancedControlsOf(set);
    EXPECT_TRUE(c.simplePowerFactor.empty());
    c.qnSigmaUi = true;
    c.sSum = true;
    c.powerFactorIeee = true;
    c.tariffEnabled = true;
    ApplyAdvancedControls(c, set, {});
    EXPECT_EQ(set[AdvancedWord::MeasurementMode], 1);
    EXPECT_EQ(set[AdvancedWord::PhaseReactiveMethod], 1);
    EXPECT_EQ(set[AdvancedWord::ApparentPowerMethod], 1);
    EXPECT_EQ(set[AdvancedWord::PowerFactorSign], 1);
    EXPECT_EQ(set[AdvancedWord::TariffFunction], 1);
    EXPECT_FALSE(SimplePowerFactorEnabled(CalculationScheme::MethodsOnly, true));
    EXPECT_TRUE(SimplePowerFactorEnabled(CalculationScheme::Zn, true));
}

TEST(AdvancedApplyTest, DisabledTariffButtonsKeepTheStoredTariffFunction)
{
    for (int id : {kZmAo, kZnpw, 68}) {
        ParameterSet set = SetOf(id);
        for (std::uint16_t stored : {0, 1}) {
            set[AdvancedWord::TariffFunction] = stored;
            AdvancedControls c = AdvancedControlsOf(set);
            EXPECT_FALSE(c.tariffEnabled);
            ApplyAdvancedControls(c, set, {});
            EXPECT_EQ(set[AdvancedWord::TariffFunction], stored) << id;
        }
    }
}

// --- Energy Setting --------------------------------------------------------

TEST(EnergyCountListTest, ListsAndCodesByFamily)
{
    const auto zn = EnergyCountEntriesFor(Caps(kZnpw));
    ASSERT_EQ(zn.size(), 12u);
    EXPECT_EQ(zn[0].code, 200);
    EXPECT_EQ(zn[9].code, 210);
    EXPECT_EQ(zn[11].code, 213);
    EXPECT_EQ(zn[11].textId, 5913);
    EXPECT_EQ(EnergyCountEntriesFor(Caps(kZmAo)).size(), 12u);

    const auto tariff = EnergyCountEntriesFor(Caps(kKtaGen3Modbus));
    ASSERT_EQ(tariff.size(), 36u);
    const std::vector<int> codes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 13};
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(tariff[i].code, codes[i]);
        EXPECT_EQ(tariff[i].textId, 5000 + codes[i]);
        EXPECT_EQ(tariff[12 + i].code, 200 + codes[i]);
        EXPECT_EQ(tariff[12 + i].textId, 5200 + codes[i]);
        EXPECT_EQ(tariff[24 + i].code, 300 + codes[i]);
        EXPECT_EQ(tariff[24 + i].textId, 5300 + codes[i]);
    }
    for (int id : {kKtbGen3Modbus, kLktaAo2, 68})
        EXPECT_EQ(EnergyCountEntriesFor(Caps(id)).size(), 36u) << id;

    const auto first = EnergyCountEntriesFor(Caps(kKtbGen1Modbus));
    ASSERT_EQ(first.size(), 9u);
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(first[i].code, i);
    EXPECT_EQ(first[8].textId, 5908);
}

TEST(EnergyCountListTest, StoredCodeSelectsItsEntryElseTheFirst)
{
    const auto tariff = EnergyCountEntriesFor(Caps(kKtaGen3Modbus));
    EXPECT_EQ(EnergyCountIndex(tariff, 311), 34);
    EXPECT_EQ(EnergyCountIndex(tariff, 9), 0);
    EXPECT_EQ(EnergyCountIndex(EnergyCountEntriesFor(Caps(kZnpw)), 0), 0);
}

TEST(EnergyCountListTest, UnitLabelByIndexModuloTwelve)
{
    const std::vector<int> expected = {2200, 2201, 2202, 2200, 2201, 2201,
                                       2201, 2201, 2201, 2201, 2201, 2201};
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(PulseUnitTextId(i), expected[size_t(i % 12)]) << i;
    EXPECT_EQ(LoadText(PulseUnitTextId(26)), "kVAh/pulse");
}

TEST(PulseOutputTest, WordsOfTheFourOutputs)
{
    EXPECT_EQ(PulseOutputWordsOf(1)->circuits, 200);
    EXPECT_EQ(PulseOutputWordsOf(2)->pulseRate, 203);
    EXPECT_FALSE(PulseOutputWordsOf(3)->circuits.has_value());
    EXPECT_EQ(PulseOutputWordsOf(4)->pulseDuration, 214);
    EXPECT_FALSE(PulseOutputWordsOf(0));
    EXPECT_FALSE(PulseOutputWordsOf(5));
    EXPECT_TRUE(PulseCircuitsUsed(Caps(kZnepw), 2));
    EXPECT_FALSE(PulseCircuitsUsed(Caps(kZnepw), 3));
    EXPECT_FALSE(PulseCircuitsUsed(Caps(kKtaGen3Modbus), 1));
}

class PulseWeightTest : public ::testing::Test {
protected:
    std::string Apply(ParameterSet& set, const std::string& weight, int output = 1)
    {
        PulseControls c = PulseControlsOf(set, output);
        c.pulseWeight = weight;
        return FailureOf([&] { ApplyPulseControls(c, output, set, {}); });
    }
};

TEST_F(PulseWeightTest, RoundsToTheScaleBeforeTheRangeCheck)
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    EXPECT_EQ(Apply(set, "0.05"), "");
    EXPECT_EQ(set.Get32(197), 1);
    EXPECT_EQ(Apply(set, "0.04"), RangeMessage(15451, "0.1", "10000.0"));
    EXPECT_EQ(set.Get32(197), 1);
    EXPECT_EQ(Apply(set, "10000.0", 4), "");
    EXPECT_EQ(set.Get32(212), 100000);
}

TEST_F(PulseWeightTest, ZnKeepsHundredths)
{
    ParameterSet set = SetOf(kZnpw);
    EXPECT_EQ(PulseControlsOf(set, 1).pulseWeight, FormatScaledValue(set.Get32(197), 100));
    EXPECT_EQ(Apply(set, "0.01"), "");
    EXPECT_EQ(set.Get32(197), 1);
    EXPECT_EQ(Apply(set, "1000.01"), RangeMessage(15451, "0.01", "1000.00"));
}

TEST(PulseApplyTest, DurationCircuitsAndEnergyCode)
{
    ParameterSet set = SetOf(kZnepw);
    PulseControls c = PulseControlsOf(set, 2);
    c.energyIndex = 9;
    c.durationIndex = 19;
    c.circuits = {true, false, true, false};
    ApplyPulseControls(c, 2, set, {});
    EXPECT_EQ(set[202], 210);
    EXPECT_EQ(set[205], 20);
    EXPECT_EQ(set[206], 0b0101);
    const PulseControls back = PulseControlsOf(set, 2);
    EXPECT_EQ(back.energyIndex, 9);
    EXPECT_EQ(back.durationIndex, 19);
    EXPECT_EQ(back.circuits, c.circuits);
}

TEST(PulseApplyTest, DurationOutsideTheListIsKept)
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[199] = 25;
    const PulseControls c = PulseControlsOf(set, 1);
    EXPECT_EQ(c.durationIndex, -1);
    ApplyPulseControls(c, 1, set, {});
    EXPECT_EQ(set[199], 25);
}

// --- Conversion Value Settings -----------------------------------------------

struct UnitCase {
    const char* text;
    int error;
    const char* stored; // when accepted
};

class ConversionUnitTest : public ::testing::TestWithParam<UnitCase> {};

TEST_P(ConversionUnitTest, RulesInTheirOrder)
{
    const auto& c = GetParam();
    EXPECT_EQ(ConversionUnitError(c.text), c.error);
    ParameterSet set = SetOf(kZnepw);
    const ConversionCell cell = *ConversionGridFor(Caps(kZnepw)).CellAt(3, 2);
    EXPECT_EQ(cell.word, 62);
    SetUnitText(set, 62, "  kG");
    const std::string failure = FailureOf([&] { ApplyConversionCell(cell, c.text, set); });
    if (c.error) {
        EXPECT_EQ(failure, LoadText(c.error));
        EXPECT_EQ(UnitText(set, 62), "  kG");
    } else {
        EXPECT_EQ(failure, "");
        EXPECT_EQ(UnitText(set, 62), c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(Units, ConversionUnitTest,
                         ::testing::Values(UnitCase{"kW", 0, "  kW"}, UnitCase{"kVAR", 0, "kVAR"},
                                           UnitCase{"M3/H", 11042, ""}, UnitCase{"ABCD", 11042, ""},
                                           UnitCase{"k", 11048, ""}, UnitCase{"A ", 11048, ""},
                                           UnitCase{"m3", 11043, ""}, UnitCase{"kWHx", 11043, ""},
                                           UnitCase{"kWHZ1", 11041, ""}, UnitCase{"kkW", 11044, ""},
                                           UnitCase{"", 11047, ""}, UnitCase{"    ", 11047, ""},
                                           UnitCase{"[A]", 0, " [A]"}, UnitCase{"+-/9", 11042, ""},
                                           // A multibyte character counts once and is then refused.
                                           UnitCase{"\xC2\xB0"
                                                    "C",
                                                    11043, ""}));

TEST(ConversionGridTest, UnitRowOnlyOnZnepw)
{
    const auto znpw = ConversionGridFor(Caps(kZnpw));
    EXPECT_EQ(znpw.cells.size(), 4u);
    EXPECT_EQ(znpw.headers.size(), 6u);
    const auto znepw = ConversionGridFor(Caps(kZnepw));
    EXPECT_EQ(znepw.cells.size(), 8u);
    EXPECT_EQ(znepw.headers.back().textId, 22102);
    EXPECT_EQ(znepw.CellAt(4, 1)->word, 69);
    EXPECT_EQ(znepw.CellAt(1, 2)->word, 44);
}

TEST(ConversionGridTest, CoefficientThreeDecimalsWithinRange)
{
    ParameterSet set = SetOf(kZnepw);
    const ConversionCell cell = *ConversionGridFor(Caps(kZnepw)).CellAt(2, 1);
    ApplyConversionCell(cell, "99.999", set);
    EXPECT_EQ(set.Get32(51), 99999);
    EXPECT_EQ(ConversionCellText(cell, set), "99.999");
    EXPECT_EQ(FailureOf([&] { ApplyConversionCell(cell, "100", set); }),
              RangeMessage(15700, "0.000", "99.999"));
    EXPECT_EQ(set.Get32(51), 99999);
}
} // namespace
