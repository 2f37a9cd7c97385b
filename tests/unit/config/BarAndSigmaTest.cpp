#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "config/BarQuantities.h"
#include "config/SigmaDisplay.h"
#include "device/ParameterDescriptor.h"
#include "device/ParameterSet.h"
#include "text/CStringTable.h"

namespace {
const BarQuantity& Quantity(const std::string& name)
{
    for (const auto& q : BarQuantities())
        if (LoadText(q.nameId) == name)
            return q;
    throw std::runtime_error("no quantity " + name);
}

// The table's words must be the bar-graph words of the same scale.
TEST(BarQuantities, WordsMatchTheDescriptorTable)
{
    for (const auto& q : BarQuantities()) {
        for (BarEnd end : {BarEnd::Full, BarEnd::Zero}) {
            const ParameterDescriptor& d = GetParameterDescriptor(BarWord(q, end));
            EXPECT_EQ(d.type, ValueType::Num32) << LoadText(q.nameId);
            EXPECT_EQ(d.scale, q.scale) << LoadText(q.nameId);
            EXPECT_FALSE(d.secondWord);
        }
    }
    EXPECT_EQ(Quantity("PHASE DIF").zeroWord, 146);
}

TEST(BarQuantities, CellTextHasScaleDecimalsAndUnit)
{
    const ParameterSet set;
    EXPECT_EQ(BarCellText(Quantity("I"), set, BarEnd::Full), "5.000 (A)");
    EXPECT_EQ(BarCellText(Quantity("PF"), set, BarEnd::Full), "1.0000 (cosfi)");
    EXPECT_EQ(BarCellText(Quantity("PHASE DIF"), set, BarEnd::Zero), "-180 (Deg)");
    EXPECT_EQ(BarCellText(Quantity("THD"), set, BarEnd::Full), "100.0 (%)");
}

TEST(BarQuantities, PowerFactorLimits)
{
    ParameterSet set;
    StoreBarValue(Quantity("PF"), BarEnd::Zero, "-0.5", set);
    EXPECT_EQ(set.Get32(134), -5000);
    try {
        StoreBarValue(Quantity("PF"), BarEnd::Zero, "-1.0001", set);
        FAIL();
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "You should input PF within the range of -1.0000 - 1.0000.");
    }
    EXPECT_EQ(set.Get32(134), -5000);
}

TEST(BarQuantities, WideLimitsAndIntegerFields)
{
    ParameterSet set;
    StoreBarValue(Quantity("P"), BarEnd::Zero, "-2000000000", set);
    EXPECT_EQ(set.Get32(122), -2000000000);
    EXPECT_THROW(StoreBarValue(Quantity("S"), BarEnd::Full, "-1", set), CPrivateException);
    EXPECT_THROW(StoreBarValue(Quantity("F"), BarEnd::Full, "44.99", set), CPrivateException);
    StoreBarValue(Quantity("U"), BarEnd::Full, "400000", set);
    EXPECT_EQ(set.Get32(116), 40000000);
    try {
        StoreBarValue(Quantity("PHASE DIF"), BarEnd::Full, "1.5", set);
        FAIL();
    } catch (const CPrivateException& e) {
        EXPECT_NE(e.Text().find("PHASE DIF"), std::string::npos);
    }
}

TEST(SigmaRows, CountAndEditability)
{
    const Capabilities ktaGen2 = CapKta | CapKtaGen2;
    EXPECT_EQ(SigmaRowCount(ktaGen2), 16);
    EXPECT_EQ(SigmaRowCount(CapKtb), 24);
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(SigmaRowEditable(ktaGen2, row), row % 4 != 3) << row;
    for (int row = 0; row < 24; ++row)
        EXPECT_TRUE(SigmaRowEditable(CapKtb, row)) << row;
    EXPECT_EQ(SigmaRowWord(23), 27);
    EXPECT_EQ(LoadText(SigmaRowNameId(23)), "Sigma6 line4");
}

TEST(SigmaRows, MasksMatchTheDescriptorTable)
{
    for (int row = 0; row < kSigmaRowsMax; ++row)
        EXPECT_EQ(SigmaRowMask(row), GetParameterDescriptor(SigmaRowWord(row)).Mask()) << row;
}

TEST(SigmaItems, KtbMeasuredListDependsOnTheNeutral)
{
    const SigmaItemList plain = SigmaItemsFor(CapKtb, 0);
    EXPECT_EQ(plain.codes.size(), 41u);
    EXPECT_EQ(plain.measuredCount, 41);
    EXPECT_EQ(SigmaListPosition(plain, 11), -1);
    EXPECT_EQ(SigmaListPosition(plain, 12), 11);
    EXPECT_EQ(SigmaListPosition(plain, 34), 32);
    for (Capabilities neutral : {Cap3P4W, CapKtbV3}) {
        const SigmaItemList full = SigmaItemsFor(CapKtb | neutral, 0);
        EXPECT_EQ(full.codes.size(), 43u);
        EXPECT_EQ(SigmaListPosition(full, 33), 33);
    }
}

TEST(SigmaItems, LineFourAddsEnergyItems)
{
    const SigmaItemList gen1 = SigmaItemsFor(CapKtb, 3);
    EXPECT_EQ(gen1.codes.size(), 61u);
    EXPECT_EQ(SigmaListPosition(gen1, 100), 41);
    EXPECT_EQ(SigmaListPosition(gen1, 119), 60);
    EXPECT_EQ(SigmaListPosition(gen1, 210), -1);

    const SigmaItemList gen2 = SigmaItemsFor(CapKtb | CapKtbGen2 | Cap3P4W, 7);
    EXPECT_EQ(gen2.codes.size(), 71u);
    EXPECT_EQ(SigmaListPosition(gen2, 210), 63);
    EXPECT_EQ(SigmaListPosition(gen2, 213), 66);
    EXPECT_EQ(SigmaListPosition(gen2, 310), 67);
    EXPECT_EQ(SigmaListPosition(gen2, 313), 70);
    EXPECT_EQ(SigmaCodeAt(gen2, 70), 313);
    // Codes between the ranges do not land on a neighbouring item.
    EXPECT_EQ(SigmaListPosition(gen2, 120), -1);
    EXPECT_EQ(SigmaListPosition(gen2, 214), -1);
    EXPECT_EQ(SigmaListPosition(gen2, 314), -1);
}

TEST(SigmaItems, EveryListedCodeRoundTrips)
{
    for (Capabilities caps : {CapKtb, CapKtb | CapKtbGen2 | Cap3P4W, CapKta | CapKtaGen2}) {
        for (int row = 0; row < SigmaRowCount(caps); ++row) {
            const SigmaItemList list = SigmaItemsFor(caps, row);
            for (int i = 0; i < static_cast<int>(list.codes.size()); ++i) {
                EXPECT_EQ(SigmaListPosition(list, list.codes[static_cast<size_t>(i)]), i);
                EXPECT_FALSE(LoadText(SigmaItemTextId(list.codes[static_cast<size_t>(i)])).empty());
            }
        }
    }
}

TEST(SigmaItems, ShortListsWithoutKtb)
{
    const Capabilities caps = CapKta | CapKtaGen2;
    EXPECT_EQ(SigmaItemsFor(caps, 4).codes, (std::vector<int>{0, 1}));
    EXPECT_EQ(SigmaItemsFor(caps, 5).codes, (std::vector<int>{0, 3, 4, 5}));
    EXPECT_EQ(SigmaItemsFor(caps, 6).codes, (std::vector<int>{0, 2, 6, 7}));
    EXPECT_EQ(SigmaListPosition(SigmaItemsFor(caps, 6), 6), 2);
    EXPECT_EQ(SigmaListPosition(SigmaItemsFor(caps, 6), 3), -1);
}

TEST(SigmaItems, TextsOfTheCodeRanges)
{
    EXPECT_EQ(LoadText(SigmaItemTextId(0)), "(NULL)");
    EXPECT_EQ(LoadText(SigmaItemTextId(42)), "UT31 / Phase 3-1 voltage phase dif.");
    EXPECT_EQ(LoadText(SigmaItemTextId(100)), "EP / Active energy, incoming");
    EXPECT_EQ(LoadText(SigmaItemTextId(212)), "EPA / Active energy, peak");
    EXPECT_EQ(LoadText(SigmaItemTextId(313)), "L-EQA / Reactive energy, off peak");
    EXPECT_EQ(SigmaItemTextId(500), 0);
}

TEST(SigmaStore, StoresTheCodeOfTheEntryOnEditableRowsOnly)
{
    ParameterSet ktb;
    ktb.type.SelectById(13); // KTB without a neutral: no code 11 in the list
    EXPECT_TRUE(StoreSigmaChoice(ktb, 0, 11));
    EXPECT_EQ(ktb[SigmaRowWord(0)], 12);
    EXPECT_FALSE(StoreSigmaChoice(ktb, 0, 41)) << "past the list";
    EXPECT_FALSE(StoreSigmaChoice(ktb, 24, 0)) << "past the rows";
    EXPECT_EQ(ktb[SigmaRowWord(0)], 12);

    ParameterSet ktaGen2;
    ktaGen2.type.SelectById(70);
    const std::uint16_t line4 = ktaGen2[SigmaRowWord(3)];
    EXPECT_FALSE(StoreSigmaChoice(ktaGen2, 3, 0)) << "line 4 belongs to KTB";
    EXPECT_EQ(ktaGen2[SigmaRowWord(3)], line4);
}
} // namespace
