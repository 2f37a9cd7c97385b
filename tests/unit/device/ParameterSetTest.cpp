#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "device/ParameterDescriptor.h"
#include "device/ParameterSet.h"

TEST(ParameterSetDefaults, FreshSetHoldsTheDocumentedDefaults)
{
    const ParameterSet set;
    EXPECT_EQ(set.type.TypeId(), 0);
    EXPECT_EQ(set[31], 5);         // System
    EXPECT_EQ(set[33], 5);         // Primary current
    EXPECT_EQ(set[34], 5);         // Secondary current
    EXPECT_EQ(set.Get32(36), 110); // Primary voltage
    EXPECT_EQ(set[38], 110);       // Secondary voltage
    EXPECT_EQ(set[148], 1);        // Modbus device address
    EXPECT_EQ(set[149], 5);        // transfer rate choice
    EXPECT_EQ(set[150], 1);        // parity choice
    EXPECT_EQ(set[152], 15);       // t1.5 = 1.5
    EXPECT_EQ(set[153], 35);       // t3.5 = 3.5
    EXPECT_EQ(set.GetIpv4(156), (std::array<std::uint8_t, 4>{192, 168, 0, 1}));
    EXPECT_EQ(set.GetIpv4(158), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    EXPECT_EQ(set.GetIpv4(160), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(set[162], 502); // port
    EXPECT_EQ(set[163], 600); // connection timeout 60.0
    EXPECT_EQ(set[29], 0);    // passcode
}

TEST(ParameterSetDefaults, NegativeThirtyTwoBitDefaultIsTwoWordsLowFirst)
{
    const ParameterSet set;
    EXPECT_EQ(set[146], 0xFF4C);
    EXPECT_EQ(set[147], 0xFFFF);
    EXPECT_EQ(set.Get32(146), -180);
    EXPECT_EQ(set.Get32(144), 180);
    EXPECT_EQ(set[156], 0xC0A8);
    EXPECT_EQ(set[157], 0x0001);
}

TEST(ParameterSetDefaults, DisplayAndBargraphDefaults)
{
    const ParameterSet set;
    const int sigma[24] = {1, 3, 6, 100, 1, 3, 2, 100, 1, 4,  2,  100,
                           1, 5, 7, 100, 3, 8, 9, 10,  3, 12, 13, 14};
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(set[4 + i], sigma[i]) << "word " << 4 + i;
    EXPECT_EQ(set[109], 5);
    EXPECT_EQ(set.Get32(110), 300);
    EXPECT_EQ(set.Get32(112), 5000);
    EXPECT_EQ(set.Get32(116), 30000);
    EXPECT_EQ(set.Get32(132), 10000);
    EXPECT_EQ(set.Get32(136), 6500);
    EXPECT_EQ(set.Get32(138), 4500);
    EXPECT_EQ(set.Get32(140), 1000);
    EXPECT_EQ(set[216], 600); // backlight off timer
    EXPECT_EQ(set[223], 1);   // short cut: clear alarm enabled
    EXPECT_EQ(set[185], 10000);
    EXPECT_EQ(set[197], 10); // pulse rate 1.0
    EXPECT_EQ(set[199], 1);  // pulse duration
    EXPECT_EQ(set[166], 4);  // CC-Link 10 Mbps
}

TEST(ParameterSetDefaults, AllSixteenInputBlocksStartAlike)
{
    const ParameterSet set;
    std::vector<int> primaries = {33, 47, 56, 65};
    for (int k = 5; k <= 16; ++k)
        primaries.push_back(73 + 3 * (k - 5));
    for (int w : primaries)
        EXPECT_EQ(set[w], 5) << "word " << w;
    // The sensor word of Input is a plain number; the others pick a sensor from a list.
    for (size_t i = 1; i < primaries.size(); ++i) {
        EXPECT_EQ(set[primaries[i] + 1], 0) << "word " << primaries[i] + 1;
        const int cutout = primaries[i] + (i < 4 ? 3 : 2); // CT Location sits between
        EXPECT_EQ(set[cutout], 10) << "word " << cutout;
    }
    EXPECT_EQ(set[40], 10);
    EXPECT_EQ(set[41], 10);
}

TEST(ParameterSetDefaults, AlarmBlocksAreZero)
{
    const ParameterSet set;
    for (int w = 224; w <= 358; ++w)
        EXPECT_EQ(set[w], 0) << "word " << w;
}

TEST(ParameterSetDefaults, AnalogOutputBlocksHoldFourToTwentyMilliampere)
{
    const ParameterSet set;
    for (int a = 0; a < 4; ++a) {
        const int b = 359 + 29 * a;
        EXPECT_EQ(set[b], 0);     // Output type
        EXPECT_EQ(set[b + 1], 0); // Input
        EXPECT_EQ(set[b + 2], 0); // Adjust zero
        EXPECT_EQ(set[b + 3], 10000);
        EXPECT_EQ(set[b + 4], 0); // Linearizer
        EXPECT_EQ(set[b + 5], 0); // Input 0%
        EXPECT_EQ(set[b + 6], 400);
        EXPECT_EQ(set[b + 7], 10000);
        EXPECT_EQ(set[b + 8], 2000);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(set[b + 9 + 2 * i], 0) << "X[" << i << "] of Ao" << a + 1;
            EXPECT_EQ(set[b + 10 + 2 * i], 400) << "Y[" << i << "] of Ao" << a + 1;
        }
    }
}

TEST(ParameterSetDefaults, InitDefaultsRestoresAnEditedSetOfAnotherVariant)
{
    ParameterSet set;
    const ParameterSet fresh;
    set.type.SelectById(84);
    set.words.fill(0xABCD);
    set.InitDefaults();
    EXPECT_EQ(set.type.TypeId(), 0);
    EXPECT_TRUE(set.type.SameIdentity(fresh.type));
    EXPECT_EQ(set.words, fresh.words);
}

TEST(ParameterSetDefaults, DescriptorsCarryTheSameDefaults)
{
    const ParameterSet set;
    for (int w = 0; w < kParameterWords; ++w)
        EXPECT_EQ(set[w], GetParameterDescriptor(w).defaultWord) << "word " << w;
}

TEST(ParameterSet, CopiesAreIndependent)
{
    ParameterSet a;
    ParameterSet b = a;
    b[31] = 3;
    b.type.SelectById(61);
    EXPECT_EQ(a[31], 5);
    EXPECT_EQ(a.type.TypeId(), 0);
    EXPECT_EQ(b.type.TypeId(), 61);
}

class ThirtyTwoBitRoundTrip : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(ThirtyTwoBitRoundTrip, LowWordFirst)
{
    ParameterSet set;
    const std::int32_t v = GetParam();
    set.Set32(226, v);
    EXPECT_EQ(set[226], std::uint32_t(v) & 0xFFFF);
    EXPECT_EQ(set[227], std::uint32_t(v) >> 16);
    EXPECT_EQ(set.Get32(226), v);
    EXPECT_EQ(set[225], 0); // neighbours untouched
    EXPECT_EQ(set[228], 0);
}

INSTANTIATE_TEST_SUITE_P(Values, ThirtyTwoBitRoundTrip,
                         ::testing::Values(0, 1, -1, -180, 65535, 65536, 400000, -65536, INT_MAX,
                                           INT_MIN));

TEST(ParameterSet, Ipv4WordsHoldTwoOctetsEach)
{
    ParameterSet set;
    set.SetIpv4(158, {10, 0, 255, 254});
    EXPECT_EQ(set[158], 0x0A00);
    EXPECT_EQ(set[159], 0xFFFE);
    EXPECT_EQ(set.GetIpv4(158), (std::array<std::uint8_t, 4>{10, 0, 255, 254}));
    set[160] = 0xAC10;
    set[161] = 0x0102;
    EXPECT_EQ(set.GetIpv4(160), (std::array<std::uint8_t, 4>{172, 16, 1, 2}));
}

TEST(ParameterSet, AppliesFollowsTheSetsVariant)
{
    ParameterSet set;
    EXPECT_TRUE(set.Applies(109)); // KTA bargraph
    EXPECT_FALSE(set.Applies(156));
    set.type.SelectById(61); // QH Modbus/TCP
    EXPECT_FALSE(set.Applies(109));
    EXPECT_TRUE(set.Applies(156));
    EXPECT_FALSE(set.Applies(-1));
    EXPECT_FALSE(set.Applies(kParameterWords));
}
