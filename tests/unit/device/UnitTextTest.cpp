#include <gtest/gtest.h>

#include "device/UnitText.h"

TEST(UnitText, ShortTextsAreLeftPaddedWithBlanks)
{
    ParameterSet set;
    SetUnitText(set, 44, "A");
    EXPECT_EQ(set[44], 0x2020);
    EXPECT_EQ(set[45], 0x2041);
    EXPECT_EQ(UnitText(set, 44), "   A");
}

TEST(UnitText, LongTextsAreCutWithoutSplittingACharacter)
{
    ParameterSet set;
    SetUnitText(set, 53, "m3/h");
    EXPECT_EQ(UnitText(set, 53), "m3/h");
    SetUnitText(set, 53, "kWh/d");
    EXPECT_EQ(UnitText(set, 53), "kWh/");
    SetUnitText(set, 53, "k\xC2\xB0\x43x"); // "k°C" fills the four bytes exactly
    EXPECT_EQ(UnitText(set, 53), "k\xC2\xB0\x43");
    SetUnitText(set, 53, "kg\xC2\xB0");
    EXPECT_EQ(UnitText(set, 53), "kg\xC2\xB0");
    SetUnitText(set, 53, "kgm\xC2\xB0");
    EXPECT_EQ(UnitText(set, 53), " kgm");
}

TEST(UnitText, AnUnsetUnitReadsEmpty)
{
    ParameterSet set;
    set[62] = 0;
    set[63] = 0;
    EXPECT_EQ(UnitText(set, 62), "");
}
