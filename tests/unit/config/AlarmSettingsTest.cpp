#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "config/AlarmSettings.h"
#include "config/TariffSetting.h"
#include "device/DeviceTypeRecord.h"
#include "device/ParameterDescriptor.h"
#include "text/CStringTable.h"

namespace {

constexpr int kTypeKtaOneDo = 0;   // KTA main, Do1 only
constexpr int kTypeKtaFourDo = 12; // KTA main, Do1-Do4
constexpr int kTypeKtbNoIn = 13;   // KTB without neutral measurement
constexpr int kTypeKtb3P4W = 19;
constexpr int kTypeQg = 37;
constexpr int kTypeLkta = 53;
constexpr int kTypeKtaGen2 = 70;
constexpr int kTypeZmDo = 81;

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

ParameterSet SetOf(int typeId)
{
    ParameterSet set;
    set.type.SelectById(typeId);
    return set;
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
    ParameterSet set = SetOf(kTypeKtaGen2);
    set[TariffWord::Tariff] = 7;
    EXPECT_EQ(TariffFormOf(set).tariff, Tariff::Low);
    ReadTariffForm({Tariff::Low}, set);
    EXPECT_EQ(set[TariffWord::Tariff], 1);
    ReadTariffForm({Tariff::High}, set);
    EXPECT_EQ(set[TariffWord::Tariff], 0);
}

TEST(AlarmFormTest, RefusedPowerOnDelayStoresNoLatching)
{
    ParameterSet set = SetOf(kTypeKtaGen2);
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
    ::testing::Values(OutputListCase{kTypeKtaOneDo, 0, {0, 1, 2}, "Disable", 0},
                      OutputListCase{kTypeKtaOneDo, 2, {0, 1, 2}, "Display + Do1", 2},
                      // One Do, but a stored Do4 stays listed and named.
                      OutputListCase{kTypeKtaOneDo, 5, {0, 1, 2, 3, 4, 5}, "Display + Do4", 5},
                      OutputListCase{kTypeKtaFourDo, 1, {0, 1, 2, 3, 4, 5}, "Display", 1},
                      OutputListCase{kTypeLkta, 1, {0, 1, 2}, "Comm", 1},
                      OutputListCase{kTypeLkta, 4, {0, 1, 2, 3, 4}, "Comm + Do3", 4},
                      OutputListCase{kTypeZmDo, 2, {0, 2}, "Do1", 1},
                      OutputListCase{kTypeZmDo, 0, {0, 2}, "DIsable", 0},
                      // Codes without a text: shown as the number, not another list's text.
                      OutputListCase{kTypeZmDo, 1, {0, 2}, "1", -1},
                      OutputListCase{kTypeKtaOneDo, 20, {0, 1, 2, 3, 4, 5}, "20", -1},
                      OutputListCase{kTypeKtaOneDo, 65535, {0, 1, 2, 3, 4, 5}, "65535", -1}));

TEST(AlarmOutputStoreTest, ZmSecondEntryIsStoredAsCode2)
{
    ParameterSet set = SetOf(kTypeZmDo);
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
    ParameterSet set = SetOf(kTypeKtaOneDo);
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
    const ParameterSet set = SetOf(c.typeId);
    const std::string high = AlarmCellText(set, c.row, AlarmColumn::HighSetpoint);
    EXPECT_EQ(high.empty(), !c.applies);
    EXPECT_EQ(AlarmCellText(set, c.row, AlarmColumn::Output).empty(), !c.applies);
    EXPECT_FALSE(AlarmCellText(set, c.row, AlarmColumn::Name).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Variants, AlarmRowApplyTest,
    ::testing::Values(ApplyCase{kTypeKtaOneDo, kRowUt, false}, // main KTA without 0xA6 bits
                      ApplyCase{kTypeKtaGen2, kRowUt, true}, ApplyCase{kTypeLkta, kRowUt, true},
                      ApplyCase{kTypeZmDo, kRowUt, false},
                      ApplyCase{kTypeKtaOneDo, kRowIn, true}, // CapKta
                      ApplyCase{kTypeKtbNoIn, kRowIn, false},
                      ApplyCase{kTypeKtbNoIn, kRowThdIn, false},
                      ApplyCase{kTypeKtb3P4W, kRowThdIn, true}, ApplyCase{kTypeZmDo, kRowF, true},
                      ApplyCase{kTypeQg, kRowP, false}));

class AlarmCellTest : public ::testing::Test {
protected:
    ParameterSet set_ = SetOf(kTypeKtaGen2);
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
        MoveCase{kTypeKtaGen2, 0, 1, EditMove::Down, CellPos{1, 1}},
        MoveCase{kTypeKtbNoIn, 0, 3, EditMove::Down, CellPos{3, 2}}, // skips the grey IN row
        MoveCase{kTypeKtbNoIn, 2, 3, EditMove::Up, CellPos{3, 0}},
        MoveCase{kTypeKtaGen2, 0, 2, EditMove::Up, std::nullopt},
        MoveCase{kTypeKtaGen2, kRowUt, 2, EditMove::Down, std::nullopt},
        MoveCase{kTypeKtaOneDo, 17, 2, EditMove::Down, std::nullopt}, // UT row is grey
        MoveCase{kTypeKtaGen2, 3, 1, EditMove::Left, std::nullopt},   // not onto the name
        MoveCase{kTypeKtaGen2, 3, 4, EditMove::Right, CellPos{5, 3}},
        MoveCase{kTypeKtaGen2, 3, 5, EditMove::Right, std::nullopt},
        MoveCase{kTypeKtaGen2, 3, 5, EditMove::Left, CellPos{4, 3}}));

TEST(TariffSettingTest, NonZeroIsTheLowTariff)
{
    EXPECT_EQ(TariffOfWord(0), Tariff::High);
    EXPECT_EQ(TariffOfWord(1), Tariff::Low);
    EXPECT_EQ(TariffOfWord(7), Tariff::Low);
}

TEST(TariffSettingTest, NoteIsLeftOutOnQg)
{
    EXPECT_FALSE(TariffNoteVisible(CapsOf(kTypeQg)));
    EXPECT_TRUE(TariffNoteVisible(CapsOf(kTypeKtaGen2)));
    EXPECT_TRUE(TariffNoteVisible(CapsOf(kTypeLkta)));
}
