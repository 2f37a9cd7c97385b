#include <gtest/gtest.h>

#include <map>

#include "app/CPrivateException.h"
#include "config/DisplayOptions.h"
#include "config/DisplaySettings.h"
#include "config/ZneDisplaySettings.h"
#include "device/CSettingsStocker.h"
#include "device/ParameterSet.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"
#include "text/CStringTable.h"

namespace {
std::vector<int> Codes(const std::vector<CodedEntry>& entries)
{
    std::vector<int> codes;
    for (const auto& e : entries)
        codes.push_back(e.code);
    return codes;
}

TEST(EnergyViewList, SecondGenerationsListPeakItemsByCode)
{
    const auto& entries = EnergyViewEntries(CapKtaGen2);
    const std::vector<int> expected = {0,  1,  2,  3,  4,  5,  6,  7,  8,  210, 211, 212, 213, 9,
                                       10, 11, 12, 13, 14, 15, 16, 17, 18, 310, 311, 312, 313, 19};
    EXPECT_EQ(Codes(entries), expected);
    EXPECT_EQ(entries[9].textId, 5210);
    EXPECT_EQ(entries[13].textId, 3709);
    EXPECT_EQ(entries[27].textId, 3719);
    EXPECT_EQ(LoadText(entries[26].textId), "L-EQA / Reactive energy, off peak");
    EXPECT_EQ(&EnergyViewEntries(CapKtbGen2), &entries);
}

TEST(EnergyViewList, FirstGenerationListsTwentyItemsByPosition)
{
    const auto& entries = EnergyViewEntries(CapKta);
    ASSERT_EQ(entries.size(), 20u);
    EXPECT_EQ(entries[19].textId, 3719);
    EXPECT_EQ(entries[19].code, 19);
}

TEST(EnergyViewList, IndexOfAStoredValue)
{
    EXPECT_EQ(EnergyViewIndex(CapKtaGen2, 212), 11);
    EXPECT_EQ(EnergyViewIndex(CapKtaGen2, 9), 13);
    EXPECT_EQ(EnergyViewIndex(CapKtaGen2, 99), 0); // unknown: the first entry
    EXPECT_EQ(EnergyViewIndex(CapKta, 7), 7);
    EXPECT_EQ(EnergyViewIndex(CapKta, 212), -1); // not a position: nothing selected
}

class DisplayFormTest : public ::testing::Test {
protected:
    ParameterSet set = SetOf(kKtaGen3Modbus);
    std::vector<int> focused;
    std::function<void(int)> focus = [this](int id) { focused.push_back(id); };
};

TEST_F(DisplayFormTest, OpeningShowsTheWords)
{
    set[DisplayWord::MyEnergyView] = 311;
    set[DisplayWord::UpdateRate] = 5;
    const DisplayForm form = DisplayFormOf(set);
    EXPECT_EQ(form.offTimer, "600");
    EXPECT_EQ(form.brightness, 2);
    EXPECT_EQ(form.myEnergyView, 24);
    EXPECT_EQ(form.updateRate, "5");
    EXPECT_FALSE(form.usePresetTimer);
    EXPECT_EQ(form.presetTimer, "1"); // a zero timer offers 1
    EXPECT_TRUE(DisplayFormOf(SetOf(kKtaGen1Modbus)).updateRate.empty());
}

TEST_F(DisplayFormTest, RoundTripKeepsEveryWord)
{
    set[DisplayWord::EnergyView] = 213;
    set[DisplayWord::DefaultTimer] = 30;
    set[DisplayWord::KeyLock] = 2;
    const ParameterSet before = set;
    ReadDisplayForm(DisplayFormOf(set), set, focus);
    EXPECT_EQ(set.words, before.words);
}

TEST_F(DisplayFormTest, OnAndOffDoNotReadTheOffTimer)
{
    for (BacklightMode mode : {BacklightMode::On, BacklightMode::Off}) {
        DisplayForm form = DisplayFormOf(set);
        form.backlightMode = static_cast<int>(mode);
        form.offTimer = "nonsense";
        ReadDisplayForm(form, set, focus);
        EXPECT_EQ(set[DisplayWord::BacklightMode], static_cast<std::uint16_t>(mode));
        EXPECT_EQ(set[DisplayWord::OffTimer], 600);
    }
    EXPECT_TRUE(focused.empty());
}

TEST_F(DisplayFormTest, AutoReadsTheOffTimerFirst)
{
    DisplayForm form = DisplayFormOf(set);
    form.offTimer = "1000";
    form.dataView = "bad";
    try {
        ReadDisplayForm(form, set, focus);
        FAIL();
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "You should input Off timer within the range of 1 - 999.");
    }
    EXPECT_EQ(focused, std::vector<int>{DisplayControl::OffTimer});
}

TEST_F(DisplayFormTest, UncheckedPresetTimerStoresZero)
{
    set[DisplayWord::DefaultTimer] = 120;
    DisplayForm form = DisplayFormOf(set);
    form.usePresetTimer = false;
    form.presetTimer = "x";
    ReadDisplayForm(form, set, focus);
    EXPECT_EQ(set[DisplayWord::DefaultTimer], 0);
}

TEST_F(DisplayFormTest, CheckedPresetTimerIsReadLast)
{
    DisplayForm form = DisplayFormOf(set);
    form.usePresetTimer = true;
    form.presetTimer = "0";
    form.myDataView = "12";
    EXPECT_THROW(ReadDisplayForm(form, set, focus), CPrivateException);
    EXPECT_EQ(focused, std::vector<int>{DisplayControl::PresetTimer});
    EXPECT_EQ(set[DisplayWord::MyDataView], 12); // read before the failure
}

TEST_F(DisplayFormTest, UpdateRateOnlyOnSecondGenerations)
{
    DisplayForm form = DisplayFormOf(set);
    form.updateRate = "61";
    EXPECT_THROW(ReadDisplayForm(form, set, focus), CPrivateException);
    EXPECT_EQ(focused, std::vector<int>{DisplayControl::UpdateRate});

    ParameterSet gen1 = SetOf(kKtaGen1Modbus);
    form = DisplayFormOf(gen1);
    form.updateRate = "61";
    ReadDisplayForm(form, gen1, focus);
    EXPECT_EQ(gen1[DisplayWord::UpdateRate], 0);
}

TEST_F(DisplayFormTest, ItemDataOrPositionIsStored)
{
    DisplayForm form = DisplayFormOf(set);
    form.energyView = 9;
    form.myEnergyView = 27;
    ReadDisplayForm(form, set, focus);
    EXPECT_EQ(set[DisplayWord::EnergyView], 210);
    EXPECT_EQ(set[DisplayWord::MyEnergyView], 19);

    ParameterSet gen1 = SetOf(kKtaGen1Modbus);
    form = DisplayFormOf(gen1);
    form.energyView = 9;
    ReadDisplayForm(form, gen1, focus);
    EXPECT_EQ(gen1[DisplayWord::EnergyView], 9);
}

TEST_F(DisplayFormTest, OutOfRangeChoicesAreKeptNotOverwritten)
{
    set[DisplayWord::BacklightMode] = 7;
    set[DisplayWord::KeyLock] = 9;
    set[DisplayWord::EnergyUnit] = 4;
    const DisplayForm form = DisplayFormOf(set);
    EXPECT_EQ(form.backlightMode, -1);
    ReadDisplayForm(form, set, focus);
    EXPECT_EQ(set[DisplayWord::BacklightMode], 7);
    EXPECT_EQ(set[DisplayWord::KeyLock], 9);
    EXPECT_EQ(set[DisplayWord::EnergyUnit], 4);
}

class ZneDisplayTest : public ::testing::Test {
protected:
    ParameterSet set = SetOf(kZnepw);
};

TEST_F(ZneDisplayTest, ValueMappedListsSelectByValue)
{
    set[ZneDisplayWord::AutoOff] = 3000;
    set[ZneDisplayWord::Brightness] = 10;
    const ZneDisplayForm form = ZneDisplayFormOf(set);
    EXPECT_EQ(form.autoOff, 2);
    EXPECT_EQ(form.brightness, 1);
    ReadZneDisplayForm(form, set);
    EXPECT_EQ(set[ZneDisplayWord::AutoOff], 3000);
    EXPECT_EQ(set[ZneDisplayWord::Brightness], 10);
}

TEST_F(ZneDisplayTest, UnknownAutoOffOpensAsOff)
{
    set[ZneDisplayWord::AutoOff] = 1234;
    const ZneDisplayForm form = ZneDisplayFormOf(set);
    EXPECT_EQ(form.autoOff, 0);
    EXPECT_EQ(LoadText(ZneAutoOffEntries()[0].textId), "Off");
    ReadZneDisplayForm(form, set);
    EXPECT_EQ(set[ZneDisplayWord::AutoOff], 0);
}

TEST_F(ZneDisplayTest, NothingSelectedStoresTheFallbacks)
{
    ZneDisplayForm form = ZneDisplayFormOf(set);
    form.autoOff = -1;
    form.brightness = -1;
    set[ZneDisplayWord::FirstFormat + 2] = 5;
    form.formats[2] = -1;
    ReadZneDisplayForm(form, set);
    EXPECT_EQ(set[ZneDisplayWord::AutoOff], 0);
    EXPECT_EQ(set[ZneDisplayWord::Brightness], 1);
    EXPECT_EQ(set[ZneDisplayWord::FirstFormat + 2], 5);
}

TEST_F(ZneDisplayTest, CircuitAIsAlwaysActive)
{
    set[ZneDisplayWord::Activation[0]] = 0;
    set[ZneDisplayWord::Activation[1]] = 0;
    set[ZneDisplayWord::Activation[2]] = 1;
    set[ZneDisplayWord::Activation[3]] = 2; // only 1 counts as active
    ZneDisplayForm form = ZneDisplayFormOf(set);
    EXPECT_TRUE(form.active[0]);
    EXPECT_FALSE(form.active[1]);
    EXPECT_TRUE(form.active[2]);
    EXPECT_FALSE(form.active[3]);
    form.active[1] = true;
    ReadZneDisplayForm(form, set);
    EXPECT_EQ(set[32], 1);
    EXPECT_EQ(set[46], 1);
    EXPECT_EQ(set[55], 1);
    EXPECT_EQ(set[64], 0);
}

TEST(ZneFormatLists, SizesAndTexts)
{
    const std::map<int, std::pair<size_t, std::string>> expected = {
        {0, {7, "0.0M"}}, {1, {10, "0.0M"}}, {2, {8, "0.0k"}},
        {3, {7, "0.0k"}}, {4, {2, "0.00"}},  {5, {2, "0.0"}}};
    for (const auto& [format, sizeAndLast] : expected) {
        const auto& entries = ZneFormatEntries(format);
        ASSERT_EQ(entries.size(), sizeAndLast.first) << format;
        EXPECT_EQ(LoadText(entries.back().textId), sizeAndLast.second) << format;
    }
}
TEST(DisplayOptionFormTest, PairsTheVariantLacksKeepTheirWords)
{
    using namespace DisplayOptionWord;
    ParameterSet gen1 = SetOf(kKtaGen1Modbus); // indication pairs, no power format
    ParameterSet zne = SetOf(kZnepw);          // neither
    for (ParameterSet* set : {&gen1, &zne}) {
        for (int word : {InputLine, PhaseDirection, PowerFormat})
            (*set)[word] = 5;
        ReadExpressionForm({true, false, false}, *set);
    }
    EXPECT_EQ(gen1[InputLine], 1);
    EXPECT_EQ(gen1[PhaseDirection], 0);
    EXPECT_EQ(gen1[PowerFormat], 5);
    for (int word : {InputLine, PhaseDirection, PowerFormat})
        EXPECT_EQ(zne[word], 5) << word;
    EXPECT_TRUE(ExpressionFormOf(gen1).rstLines);

    gen1[ClearAlarmShortCut] = 3;
    EXPECT_TRUE(ShortCutFormOf(gen1).clearAlarm);
    ReadShortCutForm({true}, gen1);
    EXPECT_EQ(gen1[ClearAlarmShortCut], 1);
}
} // namespace
