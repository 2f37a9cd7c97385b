#include <gtest/gtest.h>

#include <map>

#include "app/CPrivateException.h"
#include "config/MainWindowControls.h"
#include "config/ReadBack.h"
#include "device/DeviceTypeRecord.h"
#include "device/ParameterSet.h"
#include "text/CStringTable.h"

namespace {
using namespace MainControl;

class ReadBackTest : public ::testing::Test {
protected:
    std::map<int, std::string> texts = {{VtPrimary, "6600"},
                                        {VtSecondary, "110"},
                                        {CtPrimary, "400"},
                                        {CtSecondary, "5"},
                                        {BarVoltage, "7000"},
                                        {BarCurrent, "500"},
                                        {DemandCurrentInterval, "15"},
                                        {DemandPowerInterval, "20"}};
    std::vector<int> focused;
    ReadBackSource source;
    ParameterSet set;

    void SetUp() override
    {
        source.text = [this](int id) { return texts.at(id); };
        source.focus = [this](int id) { focused.push_back(id); };
    }

    static Capabilities Caps(int typeId) { return CatalogueRecordOfTypeId(typeId)->Caps(); }

    std::string FailureOf(int typeId)
    {
        try {
            ReadBackControls(set, Caps(typeId), source);
        } catch (const CPrivateException& e) {
            return e.Text();
        }
        return {};
    }
};

TEST_F(ReadBackTest, KtaReadsEveryEdit)
{
    ReadBackControls(set, Caps(70), source);
    EXPECT_EQ(set.Get32(36), 6600);
    EXPECT_EQ(set[38], 110);
    EXPECT_EQ(set[33], 400);
    EXPECT_EQ(set[34], 5);
    EXPECT_EQ(set.Get32(110), 7000);
    EXPECT_EQ(set[109], 500);
    EXPECT_EQ(set[167], 15);
    EXPECT_EQ(set[168], 20);
}

TEST_F(ReadBackTest, VtPrimaryLimitIsInclusive)
{
    texts[VtPrimary] = "400000";
    EXPECT_EQ(FailureOf(70), "");
    EXPECT_EQ(set.Get32(36), 400000);

    texts[VtPrimary] = "400001";
    EXPECT_EQ(FailureOf(70), "You should input Primary voltage within the range of 50 - 400000.");
    EXPECT_EQ(focused, std::vector{VtPrimary});
}

TEST_F(ReadBackTest, ExponentAndEmptyTextAreNotIntegers)
{
    const std::string expected = FormatText(11027, {"Primary voltage"});
    texts[VtPrimary] = "1e3";
    EXPECT_EQ(FailureOf(70), expected);
    texts[VtPrimary] = "";
    EXPECT_EQ(FailureOf(70), expected);
}

TEST_F(ReadBackTest, TheFirstInvalidFieldStopsTheRest)
{
    texts[CtPrimary] = "0";
    texts[DemandCurrentInterval] = "45";
    EXPECT_EQ(FailureOf(70), FormatText(11000, {"Primary current", "1", "20000"}));
    EXPECT_EQ(set.Get32(36), 6600); // read before the failure
    EXPECT_NE(set[167], 45);
    EXPECT_EQ(focused, std::vector{CtPrimary});
}

TEST_F(ReadBackTest, DiscreteInputKeepsTheIntervalAtZero)
{
    source.currentSourceCount = 2;
    source.currentSourceIndex = 0;
    source.powerSourceCount = 2;
    source.powerSourceIndex = 1;
    texts[DemandCurrentInterval] = "30";
    ReadBackControls(set, Caps(70), source);
    EXPECT_EQ(set[167], 0);
    EXPECT_EQ(set[168], 20);
}

TEST_F(ReadBackTest, ASingleTimerEntryReadsTheEdit)
{
    source.currentSourceCount = 1;
    source.currentSourceIndex = 0;
    texts[DemandCurrentInterval] = "61";
    EXPECT_EQ(FailureOf(71), FormatText(11000, {"Current interval", "1", "60"}));
}

TEST_F(ReadBackTest, KtbHasNoBarGraphEdits)
{
    texts[BarVoltage] = "not read";
    EXPECT_EQ(FailureOf(39), "");
}

TEST_F(ReadBackTest, InputPageFamiliesSkipTheCtEdits)
{
    texts[CtPrimary] = "x";
    texts[CtSecondary] = "x";
    EXPECT_EQ(FailureOf(64), "");
    EXPECT_EQ(set.Get32(36), 6600);
}

TEST_F(ReadBackTest, ZnSkipsTheDemandEdits)
{
    texts[DemandCurrentInterval] = "";
    texts[DemandPowerInterval] = "";
    set[167] = 7;
    EXPECT_EQ(FailureOf(84), "");
    EXPECT_EQ(set[167], 7);
}

} // namespace
