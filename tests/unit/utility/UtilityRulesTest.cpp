#include <gtest/gtest.h>

#include "utility/UtilityRules.h"

namespace {

CDeviceType TypeOf(int typeId)
{
    CDeviceType t;
    t.SelectById(typeId);
    return t;
}

struct ButtonCase {
    int typeId;
    bool loopTest, demand, counter, clearAlarm;
};

class UtilityButtonsTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(UtilityButtonsTest, FollowCapabilitiesModelCodeAndCounterWord)
{
    const ButtonCase c = GetParam();
    const UtilityButtons b = UtilityWindowButtons(TypeOf(c.typeId));
    EXPECT_EQ(b.loopTest, c.loopTest);
    EXPECT_EQ(b.demand, c.demand);
    EXPECT_EQ(b.counter, c.counter);
    EXPECT_EQ(b.clearAlarm, c.clearAlarm);
    EXPECT_TRUE(b.energy && b.maxMin && b.tagNo && b.preset);
}

INSTANTIATE_TEST_SUITE_P(Variants, UtilityButtonsTest,
                         ::testing::Values(ButtonCase{0, false, true, false, true},  // KTA
                                           ButtonCase{50, false, true, false, true}, // LKTA
                                           ButtonCase{33, true, true, true,
                                                      false}, // QG, 4 counters
                                           ButtonCase{34, true, true, false, false}, // QG, 2 inputs
                                           ButtonCase{80, true, true, false, false}, // ZM, no Do
                                           ButtonCase{81, true, true, false, true},  // ZM with Do1
                                           ButtonCase{83, true, false, false, false},   // ZNPW
                                           ButtonCase{84, true, false, false, false})); // ZNEPW

TEST(QhMonitorButtonsTest, FirmwareDecidesLoopTestAndPreset)
{
    for (auto [version, loopTest, preset] : {std::tuple{129, false, false},
                                             {130, false, true},
                                             {139, false, true},
                                             {140, true, true},
                                             {999, true, true},
                                             {1000, false, true},
                                             {1039, false, true},
                                             {1040, true, true}}) {
        const QhTestButtons b = QhMonitorTestButtons(static_cast<std::uint16_t>(version));
        EXPECT_EQ(b.loopTest, loopTest) << version;
        EXPECT_EQ(b.preset, preset) << version;
    }
}

TEST(ResetRequestTest, ValuesAndRegistersOfThePlainButtons)
{
    const CDeviceType kta = TypeOf(0);
    const CDeviceType qg4 = TypeOf(33);
    CDeviceType qg8 = TypeOf(34);
    qg8.ioWords = {0, 0, 0, 2, 8}; // the variant's alternative I/O words
    EXPECT_EQ(PlainResetRequest(ResetKind::Energy, kta, false)->value, 1);
    EXPECT_EQ(PlainResetRequest(ResetKind::MaxMin, kta, false)->value, 2);
    EXPECT_EQ(PlainResetRequest(ResetKind::Demand, kta, false)->value, 3);
    EXPECT_FALSE(PlainResetRequest(ResetKind::Counter, kta, false));

    const auto energy = *PlainResetRequest(ResetKind::Energy, kta, false);
    EXPECT_EQ(ResetCommandRegister(energy, kta), 5329);
    const auto second = *PlainResetRequest(ResetKind::Demand, qg4, true);
    EXPECT_EQ(ResetCommandRegister(second, qg4), 5337);
    const auto four = *PlainResetRequest(ResetKind::Counter, qg4, false);
    EXPECT_EQ(four.value, 15);
    EXPECT_EQ(ResetCommandRegister(four, qg4), 5337);
    const auto eight = *PlainResetRequest(ResetKind::Counter, qg8, false);
    EXPECT_EQ(eight.value, 255);
    EXPECT_EQ(ResetCommandRegister(eight, qg8), 5339);
}

TEST(CircuitChooserTest, ResultIsTheBitOrOfTheCheckedBoxes)
{
    const CircuitChooserSetup energy = CircuitChooserFor(ResetKind::Energy);
    const CircuitChooserSetup maxMin = CircuitChooserFor(ResetKind::MaxMin);
    EXPECT_EQ(energy.messageId, 11038);
    EXPECT_EQ(maxMin.messageId, 11039);
    EXPECT_EQ(energy.values[4], 0); // "Circuit Common" hidden
    EXPECT_EQ(CircuitChooserResult(energy, false, {false, true, false, true, false}), 10);
    EXPECT_EQ(CircuitChooserResult(energy, true, {}), 15);
    EXPECT_EQ(CircuitChooserResult(maxMin, true, {}), 16 + 32 + 64 + 128 + 256);
    EXPECT_EQ(CircuitChooserResult(maxMin, false, {false, false, false, false, true}), 256);
    // Nothing checked: the chooser stays open.
    EXPECT_EQ(CircuitChooserResult(energy, false, {}), 0);
    EXPECT_FALSE(CircuitResetRequest(0));
    EXPECT_EQ(CircuitResetRequest(10)->selector, 0);
    EXPECT_TRUE(UsesCircuitChooser(ResetKind::MaxMin, TypeOf(84)));
    EXPECT_FALSE(UsesCircuitChooser(ResetKind::Demand, TypeOf(84)));
    EXPECT_FALSE(UsesCircuitChooser(ResetKind::Energy, TypeOf(33)));
}

TEST(QhResetTest, CommonMaxMinGoToTheFirstChannel)
{
    EXPECT_EQ(QhResetFor(QhResetButton::HourlyEnergy, 9).code, 2);
    EXPECT_EQ(QhResetFor(QhResetButton::Energy, 9).channel, 9);
    EXPECT_EQ(QhResetFor(QhResetButton::VoltageMaxMin, 9).channel, 0);
    EXPECT_EQ(QhResetFor(QhResetButton::FrequencyMaxMin, 9).code, 256);
    EXPECT_EQ(QhResetFor(QhResetButton::PowerDemandMaxMin, 5).code, 1024);
    EXPECT_EQ(QhResetFor(QhResetButton::PowerDemandMaxMin, 5).channel, 5);
}

} // namespace
