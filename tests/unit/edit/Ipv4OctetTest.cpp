#include <gtest/gtest.h>

#include "edit/Ipv4Octet.h"
#include "edit/ListToolId.h"

namespace {

TEST(Ipv4Octet, AcceptsZeroTo255)
{
    EXPECT_EQ(Ipv4OctetValue("0"), 0);
    EXPECT_EQ(Ipv4OctetValue("255"), 255);
    EXPECT_EQ(Ipv4OctetValue("007"), 7);
    EXPECT_EQ(Ipv4OctetValue(""), 0);
}

TEST(Ipv4Octet, RefusesValuesAbove255AndNonDigits)
{
    EXPECT_FALSE(Ipv4OctetValue("256"));
    EXPECT_FALSE(Ipv4OctetValue("300"));
    EXPECT_FALSE(Ipv4OctetValue("999"));
    EXPECT_FALSE(Ipv4OctetValue("1000"));
    EXPECT_FALSE(Ipv4OctetValue("-1"));
    EXPECT_FALSE(Ipv4OctetValue("1a"));
    EXPECT_FALSE(Ipv4OctetValue(" 1"));
}

TEST(Ipv4Octet, NormalisedText)
{
    EXPECT_EQ(Ipv4OctetText(*Ipv4OctetValue("010")), "10");
    EXPECT_EQ(Ipv4Text({192, 168, 0, 1}), "192.168.0.1");
}

TEST(Ipv4Octet, PackPutsTheFirstOctetHigh)
{
    EXPECT_EQ(Ipv4Pack({192, 168, 0, 1}), 0xC0A80001u);
    const std::array<std::uint8_t, 4> octets{10, 255, 0, 7};
    EXPECT_EQ(Ipv4Unpack(Ipv4Pack(octets)), octets);
}

TEST(ListToolId, RowTimes1024PlusColumnPlusOne)
{
    EXPECT_EQ(ListToolId(0, 0), 1);
    EXPECT_EQ(ListToolId(2, 5), 2 * 1024 + 5 + 1);
    // The column keeps 10 bits; a wider one wraps instead of spilling into the row.
    EXPECT_EQ(ListToolId(1, 1024 + 3), 1024 + 3 + 1);
}

TEST(ListToolId, RoundTripsAndZeroIsNoTool)
{
    for (int row : {0, 1, 18, 500})
        for (int column : {0, 1, 5, 1023})
            EXPECT_EQ(ListToolCell(ListToolId(row, column)), (CellPos{column, row}));
    EXPECT_FALSE(ListToolCell(0));
}

} // namespace
