#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "device/ParameterDescriptor.h"
#include "text/CStringTable.h"

namespace {

const ParameterDescriptor& D(int word)
{
    return GetParameterDescriptor(word);
}

bool AppliesTo(int word, int typeId)
{
    CDeviceType t;
    t.SelectById(typeId);
    return DescriptorApplies(word, t);
}

} // namespace

TEST(DescriptorTable, RowsTileTheSetAndSecondWordsRepeatTheirFirst)
{
    int word = 0;
    while (word < kParameterWords) {
        const ParameterDescriptor& first = D(word);
        ASSERT_FALSE(first.secondWord) << word;
        if (ValueWordCount(first.type) == 2) {
            ASSERT_LT(word + 1, kParameterWords);
            const ParameterDescriptor& second = D(word + 1);
            EXPECT_TRUE(second.secondWord) << word;
            EXPECT_EQ(second.groupId, first.groupId) << word;
            EXPECT_EQ(second.nameId, first.nameId) << word;
            EXPECT_EQ(second.type, first.type) << word;
            EXPECT_EQ(second.scale, first.scale) << word;
            EXPECT_EQ(second.Mask(), first.Mask()) << word;
            EXPECT_EQ(second.mainRegister, first.mainRegister < 0 ? -1 : first.mainRegister + 1);
            EXPECT_EQ(second.qhRegister, first.qhRegister < 0 ? -1 : first.qhRegister + 1);
        }
        word += ValueWordCount(first.type);
    }
    EXPECT_EQ(word, kParameterWords) << "the last row must end at word 474";
}

TEST(DescriptorTable, TextIdsLieInTheirRangesAndHaveEnglishTexts)
{
    for (int w = 0; w < kParameterWords; ++w) {
        const ParameterDescriptor& d = D(w);
        EXPECT_TRUE(d.groupId >= 16000 && d.groupId <= 16060) << w;
        EXPECT_TRUE((d.nameId >= 15000 && d.nameId <= 15702) ||
                    (d.nameId >= 3849 && d.nameId <= 3877))
            << w;
        EXPECT_FALSE(LoadText(d.groupId).empty()) << w;
        EXPECT_FALSE(LoadText(d.nameId).empty()) << w;
    }
    // The report replaces these four group texts on ZN variants by their ids.
    EXPECT_EQ(D(31).groupId, 16003);
    EXPECT_EQ(D(47).groupId, 16046);
    EXPECT_EQ(D(56).groupId, 16047);
    EXPECT_EQ(D(65).groupId, 16048);
    EXPECT_EQ(LoadText(D(156).nameId), "IP address");
    EXPECT_EQ(LoadText(D(146).nameId), "Phase dif 0%");
    EXPECT_EQ(LoadText(D(474).nameId), "Table Y[9]");
    EXPECT_EQ(LoadText(D(474).groupId), "Ao4");
    EXPECT_EQ(LoadText(D(358).groupId), "Alarm UT12-31");
}

TEST(DescriptorTable, EveryGroupIdIsUsedAndGroupsAreContiguous)
{
    std::set<int> used;
    for (int w = 0; w < kParameterWords; ++w) {
        if (w > 0 && D(w).groupId != D(w - 1).groupId) {
            EXPECT_FALSE(used.count(D(w).groupId)) << "group split at word " << w;
        }
        used.insert(D(w).groupId);
    }
    EXPECT_EQ(used.size(), 61u);
    EXPECT_EQ(*used.begin(), 16000);
    EXPECT_EQ(*used.rbegin(), 16060);
}

TEST(DescriptorTable, NamesSharedByRepeatedBlocksUseOneText)
{
    // The editing dialogs name these fields by the same ids as the table.
    std::vector<int> primaries = {33, 47, 56, 65};
    for (int k = 5; k <= 16; ++k)
        primaries.push_back(73 + 3 * (k - 5));
    for (int w : primaries) {
        EXPECT_EQ(D(w).nameId, 15151) << w;
        EXPECT_EQ(D(w + 1).nameId, 15152) << w;
    }
    for (int b = 0; b < 19; ++b) {
        EXPECT_EQ(D(226 + 7 * b).nameId, 15502);
        EXPECT_EQ(D(228 + 7 * b).nameId, 15503);
        EXPECT_EQ(D(231 + 7 * b).nameId, 15505);
        EXPECT_EQ(D(232 + 7 * b).nameId, 15506);
    }
    for (int a = 0; a < 4; ++a)
        for (int i = 0; i < 29; ++i)
            EXPECT_EQ(D(359 + 29 * a + i).nameId, 3849 + i);
    EXPECT_EQ(D(29).nameId, 15654);
    EXPECT_EQ(D(42).nameId, 15700);
}

TEST(DescriptorTable, ScalesFitTheirTypes)
{
    const std::set<int> divisors = {1, 10, 100, 1000, 10000};
    for (int w = 0; w < kParameterWords; ++w) {
        const ParameterDescriptor& d = D(w);
        if (d.type == ValueType::Num16 || d.type == ValueType::Num32 ||
            d.type == ValueType::AoValue) {
            EXPECT_TRUE(divisors.count(d.scale)) << w;
        }
    }
    EXPECT_EQ(D(199).type, ValueType::Num16xFactor);
    EXPECT_EQ(D(199).scale, 100);
    EXPECT_EQ(D(200).type, ValueType::BitSet);
    EXPECT_EQ(D(29).type, ValueType::Passcode);
}

TEST(DescriptorTable, OnlyTheOutputTypesOfAo2ToAo4ApplyToNothing)
{
    for (int w = 0; w < kParameterWords; ++w) {
        const bool none = w == 388 || w == 417 || w == 446;
        EXPECT_EQ(D(w).Mask() == 0, none) << w;
        if (none) {
            EXPECT_TRUE(D(w).mainRegister < 0 && D(w).qhRegister < 0) << w;
        }
    }
    EXPECT_FALSE(DescriptorApplies(D(388), ~Capabilities(0)));
    EXPECT_FALSE(DescriptorApplies(GetParameterDescriptor(-1), ~Capabilities(0)));
    EXPECT_FALSE(DescriptorApplies(GetParameterDescriptor(kParameterWords), ~Capabilities(0)));
}

struct ChoiceList {
    int base;
    std::vector<int> words;
};

void PrintTo(const ChoiceList& l, std::ostream* os)
{
    *os << "text base " << l.base;
}

class ChoiceWords : public ::testing::TestWithParam<ChoiceList> {};

TEST_P(ChoiceWords, UseTheirList)
{
    for (int w : GetParam().words) {
        EXPECT_EQ(D(w).type, ValueType::Choice) << w;
        EXPECT_EQ(D(w).scale, GetParam().base) << w;
    }
}

// Text bases and the words that show them.
INSTANTIATE_TEST_SUITE_P(Lists, ChoiceWords,
                         ::testing::ValuesIn(std::vector<ChoiceList>{
                             {1600, {31}},
                             {1700, {188}},
                             {1800, {186, 190, 192, 194}},
                             {1850, {215}},
                             {1900, {149}},
                             {1950, {150}},
                             {2000, {151}},
                             {2150, {39}},
                             {2400,
                              {230, 237, 244, 251, 258, 265, 272, 279, 286, 293, 300, 307, 314, 321,
                               328, 335, 342, 349, 356}},
                             {2500, {187, 189, 191, 193, 195}},
                             {2600, {3, 222}},
                             {2650, {0}},
                             {2750, {180}},
                             {2800, {169}},
                             {2850, {170}},
                             {2900, {181}},
                             {3000, {182}},
                             {3050, {183}},
                             {3100, {201, 223, 225}},
                             {3150, {154}},
                             {3200, {28}},
                             {3600, {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  15,  16,  17,
                                     18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 360, 389, 418, 447}},
                             {3700, {2, 196, 202, 207, 211, 221}},
                             {3900, {363, 392, 421, 450}},
                             {4200, {171}},
                             {4500, {184}},
                             {4600, {359, 388, 417, 446}},
                             {5400, {166}},
                             {5650, {155}},
                             {5700, {30}},
                             {6100, {35, 49, 58, 67}},
                             {6200, {172}},
                             {6300, {173}},
                             {6400, {174}},
                             {6500, {175}},
                             {6600, {176}},
                             {6608, {177}},
                             {6700, {178}},
                             {6800, {179}},
                             {6900, {32, 46, 55, 64}},
                             // Current sensor names of Input2 to Input16.
                             {5600,
                              {48, 57, 66, 74, 77, 80, 83, 86, 89, 92, 95, 98, 101, 104, 107}},
                         }));

TEST(DescriptorTable, EveryChoiceWordUsesAKnownList)
{
    const std::set<int> bases = {1600, 1700, 1800, 1850, 1900, 1950, 2000, 2150, 2400, 2500, 2600,
                                 2650, 2750, 2800, 2850, 2900, 3000, 3050, 3100, 3150, 3200, 3600,
                                 3700, 3900, 4200, 4500, 4600, 5400, 5600, 5650, 5700, 6100, 6200,
                                 6300, 6400, 6500, 6600, 6608, 6700, 6800, 6900};
    for (int w = 0; w < kParameterWords; ++w) {
        if (D(w).type == ValueType::Choice) {
            EXPECT_TRUE(bases.count(D(w).scale)) << w;
        }
    }
}

TEST(DescriptorTable, RepeatedInputBlocksFollowTheQhLayout)
{
    for (int k = 5; k <= 16; ++k) {
        const int w = 73 + 3 * (k - 5);
        const int reg = 9408 + 4 * (k - 5);
        const std::uint32_t high = k <= 8 ? 0x400000 : 0x800000;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(D(w + i).qhRegister, reg + i) << k;
            EXPECT_EQ(D(w + i).mainRegister, -1) << k;
            EXPECT_EQ(D(w + i).Mask(), CapMask(0, high)) << k;
            EXPECT_EQ(LoadText(D(w + i).groupId), "Input" + std::to_string(k));
        }
        EXPECT_EQ(D(w + 1).scale, 5600);
        EXPECT_EQ(D(w + 2).scale, 10);
    }
}

TEST(DescriptorTable, AlarmBlocksSitEightRegistersApart)
{
    for (int k = 1; k <= 19; ++k) {
        const int w = 226 + 7 * (k - 1);
        const int reg = 6370 + 8 * (k - 1);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(D(w + i).mainRegister, reg + i) << k;
        EXPECT_EQ(D(w).type, ValueType::Num32);
        EXPECT_EQ(D(w + 2).type, ValueType::Num32);
        EXPECT_EQ(D(w + 4).scale, 2400);
        EXPECT_EQ(D(w + 5).scale, 10);
        EXPECT_EQ(D(w + 6).scale, 1);
    }
    EXPECT_EQ(D(233).Mask(), CapMask(0x20100000, 0x4021)); // Alarm IN
    EXPECT_EQ(D(275).scale, 10000);                        // Alarm PF setpoint
    EXPECT_EQ(D(352).Mask(), CapMask(0, 0x26));            // Alarm UT12-31
}

TEST(DescriptorTable, AnalogOutputBlocksShareOneLayout)
{
    const int firstRegister[] = {7007, 7037, 7067, 7097};
    for (int a = 0; a < 4; ++a) {
        for (int i = 1; i < 29; ++i) {
            const ParameterDescriptor& d = D(359 + 29 * a + i);
            const ParameterDescriptor& ao1 = D(359 + i);
            EXPECT_EQ(d.mainRegister, firstRegister[a] + i);
            EXPECT_EQ(d.type, ao1.type);
            EXPECT_EQ(d.scale, ao1.scale);
            EXPECT_EQ(d.defaultWord, ao1.defaultWord);
            EXPECT_EQ(d.Mask(), CapMask(0x10u << a, 0));
        }
    }
    EXPECT_EQ(D(359).mainRegister, 7007);
    EXPECT_EQ(D(359).Mask(), CapZmAo);
}

struct VariantWords {
    int typeId;
    std::vector<int> applies;
    std::vector<int> absent;
};

void PrintTo(const VariantWords& v, std::ostream* os)
{
    *os << "type id " << v.typeId;
}

class ApplicabilityByVariant : public ::testing::TestWithParam<VariantWords> {};

TEST_P(ApplicabilityByVariant, FollowsTheMasks)
{
    for (int w : GetParam().applies)
        EXPECT_TRUE(AppliesTo(w, GetParam().typeId)) << "word " << w;
    for (int w : GetParam().absent)
        EXPECT_FALSE(AppliesTo(w, GetParam().typeId)) << "word " << w;
}

INSTANTIATE_TEST_SUITE_P(
    Families, ApplicabilityByVariant,
    ::testing::Values(
        // KTA first generation: its own bargraph, Modbus, no IPv4, no Ao.
        VariantWords{0, {0, 29, 31, 109, 110, 148, 186, 188, 233}, {7, 112, 156, 359, 360, 47}},
        // KTB second generation with four 4-20 mA outputs.
        VariantWords{14, {7, 112, 146, 360, 389, 418, 447, 171}, {109, 359, 388, 148, 190}},
        // QH Modbus/TCP with eight inputs: IPv4, Input5-8, not Input9.
        VariantWords{61, {31, 73, 84, 156, 161, 164, 167}, {0, 85, 108, 148, 29}},
        // QH with the extension: all sixteen inputs.
        VariantWords{67, {85, 108, 73}, {0, 360}},
        // ZM with one analog output: Output type and Ao1 only.
        VariantWords{80, {359, 360, 387, 31}, {389, 0, 388}},
        // ZNPW: conversion values, pulse circuits, CT locations, no OLED options.
        VariantWords{83, {42, 51, 200, 206, 35, 148, 184}, {0, 32, 172, 73, 109, 359}},
        // ZNEPW: OLED options, activate display and unit texts on top.
        VariantWords{84, {32, 44, 64, 71, 172, 179, 42, 148}, {0, 109, 73}}));
