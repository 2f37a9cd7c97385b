#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "config/AlarmSettings.h"
#include "config/TariffSetting.h"
#include "device/DeviceTypeRecord.h"
#include "device/ParameterDescriptor.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"
#include "text/CStringTable.h"

namespace {
constexpr int kRowIn = 1;
constexpr int kRowP = 4;
constexpr int kRowPf = 7;
constexpr int kRowF = 8;
constexpr int kRowThdIn = 15;
constexpr int kRowUt = 18;

Capabilities CapsOf(int typeId)
{
    return CatalogueRecordOfTypeId(typeId)->Caps();
}

std::string FailureOf(ParameterSet& set, int row, AlarmColumn column, const std::string& text)
{
    try {
        StoreAlarmValue(set, row, column, text);
    } catch (const CPrivateException& e) {
        return e.Text();
    }
    return {};
}

TEST(TariffSettingTest, FormStoresTheTariffCode)
{
    ParameterSet set = ZeroedSetOf(kKtaGen3Modbus);
    set[TariffWord::Tariff] = 7;
    EXPECT_EQ(TariffFormOf(set).tariff, Tariff::Low);
    ReadTariffForm({Tariff::Low}, set);
    EXPECT_EQ(set[TariffWord::Tariff], 1);
    ReadTariffForm({Tariff::High}, set);
    EXPECT_EQ(set[TariffWord::Tariff], 0);
}

TEST(AlarmFormTest, RefusedPowerOnDelayStoresNoLatching)
{
    ParameterSet set = ZeroedSetOf(kKtaGen3Modbus);
    set[AlarmWord::PowerOnDelay] = 12;
    set[AlarmWord::Latching] = 0;
    EXPECT_THROW(ReadAlarmForm({"1000", true}, set), CPrivateException);
    EXPECT_EQ(set[AlarmWord::PowerOnDelay], 12);
    EXPECT_EQ(set[AlarmWord::Latching], 0);
    ReadAlarmForm({"999", true}, set);
    EXPECT_EQ(set[AlarmWord::PowerOnDelay], 999);
    EXPECT_EQ(set[AlarmWord::Latching], 1);
}
} // namespace

TEST(AlarmRowTableTest, ScalesAgreeWithTheDescriptorsOfTheSetpointWords)
{
    for (int row = 0; row < kAlarmRowCount; ++row) {
        const ParameterDescriptor& d = GetParameterDescriptor(AlarmItemWord(row, 0));
        EXPECT_EQ(d.type, ValueType::Num32) << row;
        EXPECT_EQ(d.scale, AlarmRowAt(row).scale) << row;
        EXPECT_EQ(GetParameterDescriptor(AlarmItemWord(row, AlarmWord::Output)).scale, 2400) << row;
    }
    EXPECT_EQ(AlarmItemWord(kAlarmRowCount - 1, AlarmWord::OnDelay), 358);
}

struct OutputListCase {
    int typeId;
    std::uint16_t stored;
    std::vector<std::uint16_t> codes;
    std::string storedText;
    int storedIndex;
};

class AlarmOutputListTest : public ::testing::TestWithParam<OutputListCase> {};

TEST_P(AlarmOutputListTest, ListsThePresentOutputsAndTheStoredCode)
{
    const OutputListCase& c = GetParam();
    const Capabilities caps = CapsOf(c.typeId);
    EXPECT_EQ(AlarmOutputCodes(caps, c.stored), c.codes);
    EXPECT_EQ(AlarmOutputText(caps, c.stored), c.storedText);
    EXPECT_EQ(AlarmOutputIndex(caps, c.stored), c.storedIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, AlarmOutputListTest,
    ::testing::Values(OutputListCase{kKtaGen1Modbus, 0, {0, 1, 2}, "Disable", 0},
                      OutputListCase{kKtaGen1Modbus, 2, {0, 1, 2}, "Display + Do1", 2},
                      // One Do, but a stored Do4 stays listed and named.
                      OutputListCase{kKtaGen1Modbus, 5, {0, 1, 2, 3, 4, 5}, "Display + Do4", 5},
                      OutputListCase{kKtaGen2Do4, 1, {0, 1, 2, 3, 4, 5}, "Display", 1},
                      OutputListCase{kLktaAo2, 1, {0, 1, 2}, "Comm", 1},
                      OutputListCase{kLktaAo2, 4, {0, 1, 2, 3, 4}, "Comm + Do3", 4},
                      OutputListCase{kZmDo, 2, {0, 2}, "Do1", 1},
                      OutputListCase{kZmDo, 0, {0, 2}, "DIsable", 0},
                      // Codes without a text: shown as the number, not another list's text.
                      OutputListCase{kZmDo, 1, {0, 2}, "1", -1},
                      OutputListCase{kKtaGen1Modbus, 20, {0, 1, 2, 3, 4, 5}, "20", -1},
                      OutputListCase{kKtaGen1Modbus, 65535, {0, 1, 2, 3, 4, 5}, "65535", -1}));

TEST(AlarmOutputStoreTest, ZmSecondEntryIsStoredAsCode2)
{
    ParameterSet set = ZeroedSetOf(kZmDo);
    const int word = AlarmItemWord(kRowP, AlarmWord::Output);
    StoreAlarmOutput(set, kRowP, 1);
    EXPECT_EQ(set[word], 2);
    StoreAlarmOutput(set, kRowP, 0);
    EXPECT_EQ(set[word], 0);
    StoreAlarmOutput(set, kRowP, 2); // not in the list
    EXPECT_EQ(set[word], 0);
}

TEST(AlarmOutputStoreTest, EntryIndexIsTheCodeElsewhere)
{
    ParameterSet set = ZeroedSetOf(kKtaGen1Modbus);
    set[AlarmItemWord(0, AlarmWord::Output)] = 5;
    StoreAlarmOutput(set, 0, 3);
    EXPECT_EQ(set[AlarmItemWord(0, AlarmWord::Output)], 3);
}

struct ApplyCase {
    int typeId;
    int row;
    bool applies;
};

class AlarmRowApplyTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(AlarmRowApplyTest, FollowsTheRowMask)
{
    const ApplyCase& c = GetParam();
    EXPECT_EQ(AlarmRowApplies(c.row, CapsOf(c.typeId)), c.applies);
    const ParameterSet set = ZeroedSetOf(c.typeId);
    const std::string high = AlarmCellText(set, c.row, AlarmColumn::HighSetpoint);
    EXPECT_EQ(high.empty(), !c.applies);
    EXPECT_EQ(AlarmCellText(set, c.row, AlarmColumn::Output).empty(), !c.applies);
    EXPECT_FALSE(AlarmCellText(set, c.row, AlarmColumn::Name).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Variants, AlarmRowApplyTest,
    ::testing::Values(ApplyCase{kKtaGen1Modbus, kRowUt, false}, // main KTA without 0xA6 bits
                      ApplyCase{kKtaGen3Modbus, kRowUt, true}, ApplyCase{kLktaAo2, kRowUt, true},
                      ApplyCase{kZmDo, kRowUt, false},
                      ApplyCase{kKtaGen1Modbus, kRowIn, true}, // CapKta
                      ApplyCase{kKtbGen2Modbus, kRowIn, false},
                      ApplyCase{kKtbGen2Modbus, kRowThdIn, false},
                      ApplyCase{kKtb3P4WModbus, kRowThdIn, true}, ApplyCase{kZmDo, kRowF, true},
                      ApplyCase{kQgModbusCounter, kRowP, false}));

class AlarmCellTest : public ::testing::Test {
protected:
    ParameterSet set_ = ZeroedSetOf(kKtaGen3Modbus);
};

TEST_F(AlarmCellTest, NumbersCarryTheRowScaleAndUnit)
{
    set_.Set32(AlarmItemWord(0, AlarmWord::HighSetpoint), 5000);
    set_.Set32(AlarmItemWord(kRowP, AlarmWord::LowSetpoint), -1500000);
    set_.Set32(AlarmItemWord(kRowPf, AlarmWord::HighSetpoint), -9500);
    set_[AlarmItemWord(kRowF, AlarmWord::Hysteresis)] = 15;
    set_[AlarmItemWord(kRowF, AlarmWord::OnDelay)] = 7;
    EXPECT_EQ(AlarmCellText(set_, 0, AlarmColumn::HighSetpoint), "5.000 (A)");
    EXPECT_EQ(AlarmCellText(set_, kRowP, AlarmColumn::LowSetpoint), "-1500000 (W)");
    EXPECT_EQ(AlarmCellText(set_, kRowPf, AlarmColumn::HighSetpoint), "-0.9500 (cosfi)");
    EXPECT_EQ(AlarmCellText(set_, kRowF, AlarmColumn::Hysteresis), "1.5 (%)");
    EXPECT_EQ(AlarmCellText(set_, kRowF, AlarmColumn::OnDelay), "7 (sec)");
    EXPECT_EQ(AlarmCellText(set_, kRowUt, AlarmColumn::HighSetpoint), "0 (Deg)");
    EXPECT_EQ(AlarmEditText(set_, kRowPf, AlarmColumn::HighSetpoint), "-0.9500");
    EXPECT_EQ(AlarmEditText(set_, kRowF, AlarmColumn::Hysteresis), "1.5");
}

TEST_F(AlarmCellTest, FrequencyLimitsAre45To65Hz)
{
    const int high = AlarmItemWord(kRowF, AlarmWord::HighSetpoint);
    StoreAlarmValue(set_, kRowF, AlarmColumn::HighSetpoint, "65.00");
    EXPECT_EQ(set_.Get32(high), 6500);
    StoreAlarmValue(set_, kRowF, AlarmColumn::LowSetpoint, "45");
    EXPECT_EQ(set_.Get32(AlarmItemWord(kRowF, AlarmWord::LowSetpoint)), 4500);
    EXPECT_EQ(FailureOf(set_, kRowF, AlarmColumn::HighSetpoint, "44.99"),
              FormatText(11000, {"High setpoint", "45.00", "65.00"}));
    EXPECT_EQ(FailureOf(set_, kRowF, AlarmColumn::LowSetpoint, "65.01"),
              FormatText(11000, {"Low setpoint", "45.00", "65.00"}));
    EXPECT_EQ(set_.Get32(high), 6500); // a refused value changes nothing
}

TEST_F(AlarmCellTest, PowerFactorLimitsAreMinusOneToOne)
{
    StoreAlarmValue(set_, kRowPf, AlarmColumn::LowSetpoint, "-1.0000");
    EXPECT_EQ(set_.Get32(AlarmItemWord(kRowPf, AlarmWord::LowSetpoint)), -10000);
    EXPECT_EQ(FailureOf(set_, kRowPf, AlarmColumn::HighSetpoint, "1.0001"),
              FormatText(11000, {"High setpoint", "-1.0000", "1.0000"}));
}

TEST_F(AlarmCellTest, WideSetpointsKeepTheirSign)
{
    StoreAlarmValue(set_, kRowP, AlarmColumn::LowSetpoint, "-2000000000");
    EXPECT_EQ(set_.Get32(AlarmItemWord(kRowP, AlarmWord::LowSetpoint)), -2000000000);
    EXPECT_FALSE(FailureOf(set_, kRowP, AlarmColumn::HighSetpoint, "2000000001").empty());
}

TEST_F(AlarmCellTest, HysteresisAndOnDelayRanges)
{
    StoreAlarmValue(set_, 0, AlarmColumn::Hysteresis, "99.9");
    EXPECT_EQ(set_[AlarmItemWord(0, AlarmWord::Hysteresis)], 999);
    EXPECT_EQ(FailureOf(set_, 0, AlarmColumn::Hysteresis, "100"),
              FormatText(11000, {"Hysteresis", "0.0", "99.9"}));
    StoreAlarmValue(set_, 0, AlarmColumn::OnDelay, "999");
    EXPECT_EQ(set_[AlarmItemWord(0, AlarmWord::OnDelay)], 999);
    EXPECT_EQ(FailureOf(set_, 0, AlarmColumn::OnDelay, "1.5"), FormatText(11027, {"ON delay"}));
    EXPECT_EQ(FailureOf(set_, 0, AlarmColumn::Hysteresis, "x"), FormatText(11026, {"Hysteresis"}));
}

TEST(AlarmPowerOnDelayTest, ZeroTo999Seconds)
{
    ParameterSet set;
    StorePowerOnDelay(set, "999");
    EXPECT_EQ(set[AlarmWord::PowerOnDelay], 999);
    EXPECT_THROW(StorePowerOnDelay(set, "1000"), CPrivateException);
    try {
        StorePowerOnDelay(set, "-1");
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), FormatText(11000, {"Power ON delay", "0", "999"}));
    }
    EXPECT_EQ(set[AlarmWord::PowerOnDelay], 999);
}

struct MoveCase {
    int typeId;
    int row;
    int column;
    EditMove move;
    std::optional<CellPos> next;
};

class AlarmMoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(AlarmMoveTest, MovesOverEditableCells)
{
    const MoveCase& c = GetParam();
    EXPECT_EQ(AlarmNeighbourCell(CapsOf(c.typeId), c.row, c.column, c.move), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, AlarmMoveTest,
    ::testing::Values(
        MoveCase{kKtaGen3Modbus, 0, 1, EditMove::Down, CellPos{1, 1}},
        MoveCase{kKtbGen2Modbus, 0, 3, EditMove::Down, CellPos{3, 2}}, // skips the grey IN row
        MoveCase{kKtbGen2Modbus, 2, 3, EditMove::Up, CellPos{3, 0}},
        MoveCase{kKtaGen3Modbus, 0, 2, EditMove::Up, std::nullopt},
        MoveCase{kKtaGen3Modbus, kRowUt, 2, EditMove::Down, std::nullopt},
        MoveCase{kKtaGen1Modbus, 17, 2, EditMove::Down, std::nullopt}, // UT row is grey
        MoveCase{kKtaGen3Modbus, 3, 1, EditMove::Left, std::nullopt},  // not onto the name
        MoveCase{kKtaGen3Modbus, 3, 4, EditMove::Right, CellPos{5, 3}},
        MoveCase{kKtaGen3Modbus, 3, 5, EditMove::Right, std::nullopt},
        MoveCase{kKtaGen3Modbus, 3, 5, EditMove::Left, CellPos{4, 3}}));

TEST(TariffSettingTest, NonZeroIsTheLowTariff)
{
    EXPECT_EQ(TariffOfWord(0), Tariff::High);
    EXPECT_EQ(TariffOfWord(1), Tariff::Low);
    EXPECT_EQ(TariffOfWord(7), Tariff::Low);
}

TEST(TariffSettingTest, NoteIsLeftOutOnQg)
{
    EXPECT_FALSE(TariffNoteVisible(CapsOf(kQgModbusCounter)));
    EXPECT_TRUE(TariffNoteVisible(CapsOf(kKtaGen3Modbus)));
    EXPECT_TRUE(TariffNoteVisible(CapsOf(kLktaAo2)));
}
