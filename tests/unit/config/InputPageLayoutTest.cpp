#include <gtest/gtest.h>

#include <algorithm>

#include "app/CPrivateException.h"
#include "config/InputPageLayout.h"
#include "device/ParameterSet.h"
#include "text/CStringTable.h"

namespace {

std::vector<int> WordsOfColumn(const InputPageLayout& layout, int column)
{
    std::vector<std::pair<int, int>> rows;
    for (const auto& c : layout.cells)
        if (c.column == column)
            rows.push_back({c.row, c.word});
    std::sort(rows.begin(), rows.end());
    std::vector<int> words;
    int expectedRow = 1;
    for (const auto& [row, word] : rows) {
        EXPECT_EQ(row, expectedRow++);
        words.push_back(word);
    }
    return words;
}

std::optional<int> HeaderAt(const InputPageLayout& layout, int column, int row)
{
    for (const auto& h : layout.headers)
        if (h.column == column && h.row == row)
            return h.textId;
    return std::nullopt;
}

TEST(InputPageLayoutTest, TwoChannels)
{
    const InputPageLayout l = InputPageLayoutFor(2);
    EXPECT_EQ(WordsOfColumn(l, 1), (std::vector{34, 48}));
    EXPECT_EQ(WordsOfColumn(l, 2), (std::vector{33, 47}));
    EXPECT_EQ(HeaderAt(l, 0, 2), 5501);
    EXPECT_EQ(HeaderAt(l, 0, 0), 999);
    EXPECT_EQ(HeaderAt(l, 3, 0), std::nullopt);
    EXPECT_FALSE(l.fourCircuits);
}

TEST(InputPageLayoutTest, FourCircuitsWithLocations)
{
    const InputPageLayout l = InputPageLayoutFor(4);
    EXPECT_EQ(WordsOfColumn(l, 1), (std::vector{34, 48, 57, 66}));
    EXPECT_EQ(WordsOfColumn(l, 2), (std::vector{33, 47, 56, 65}));
    EXPECT_EQ(WordsOfColumn(l, 3), (std::vector{35, 49, 58, 67}));
    EXPECT_EQ(HeaderAt(l, 3, 0), 5552);
    EXPECT_EQ(HeaderAt(l, 0, 1), 6000);
    EXPECT_EQ(HeaderAt(l, 0, 4), 6003);
    EXPECT_EQ(l.CellAt(3, 2)->kind, ChannelCellKind::Location);
}

TEST(InputPageLayoutTest, EightChannels)
{
    const InputPageLayout l = InputPageLayoutFor(8);
    EXPECT_EQ(WordsOfColumn(l, 1), (std::vector{34, 48, 57, 66, 74, 77, 80, 83}));
    EXPECT_EQ(WordsOfColumn(l, 2), (std::vector{33, 47, 56, 65, 73, 76, 79, 82}));
    EXPECT_EQ(HeaderAt(l, 0, 8), 5507);
    EXPECT_TRUE(WordsOfColumn(l, 3).empty());
}

TEST(InputPageLayoutTest, SixteenChannelsInTwoBlocks)
{
    const InputPageLayout l = InputPageLayoutFor(16);
    EXPECT_EQ(WordsOfColumn(l, 1), (std::vector{34, 48, 57, 66, 74, 77, 80, 83}));
    EXPECT_EQ(WordsOfColumn(l, 4), (std::vector{86, 89, 92, 95, 98, 101, 104, 107}));
    EXPECT_EQ(WordsOfColumn(l, 5), (std::vector{85, 88, 91, 94, 97, 100, 103, 106}));
    EXPECT_EQ(HeaderAt(l, 3, 0), 999);
    EXPECT_EQ(HeaderAt(l, 3, 1), 5508);
    EXPECT_EQ(HeaderAt(l, 3, 8), 5515);
    EXPECT_EQ(HeaderAt(l, 4, 0), 5550);
    EXPECT_EQ(HeaderAt(l, 5, 0), 5551);
    EXPECT_EQ(l.cells.size(), 32u);
}

TEST(InputPageLayoutTest, AnyOtherCountShowsOneChannel)
{
    for (std::uint16_t n : {0, 1, 3, 17}) {
        const InputPageLayout l = InputPageLayoutFor(n);
        EXPECT_EQ(WordsOfColumn(l, 1), std::vector{34});
        EXPECT_EQ(WordsOfColumn(l, 2), std::vector{33});
        EXPECT_EQ(HeaderAt(l, 0, 1), 5500);
    }
}

TEST(InputPageLayoutTest, CircuitsBAndDFollowAAndC)
{
    const InputPageLayout four = InputPageLayoutFor(4);
    ParameterSet set;
    ApplyChannelChoice(four, *four.CellAt(1, 1), 3, set);
    EXPECT_EQ(set[34], 3);
    EXPECT_EQ(set[48], 3);
    ApplyChannelChoice(four, *four.CellAt(1, 3), 2, set);
    EXPECT_EQ(set[57], 2);
    EXPECT_EQ(set[66], 2);
    ApplyChannelChoice(four, *four.CellAt(3, 2), 1, set);
    EXPECT_EQ(set[49], 1);

    const InputPageLayout eight = InputPageLayoutFor(8);
    ParameterSet other;
    other[48] = 0;
    ApplyChannelChoice(eight, *eight.CellAt(1, 1), 4, other);
    EXPECT_EQ(other[48], 0);
}

TEST(InputPageLayoutTest, ReadOnlyCellsOfTheFourCircuits)
{
    const InputPageLayout four = InputPageLayoutFor(4);
    EXPECT_EQ(ReadOnlyChannelCells(four, 1), (std::vector<CellPos>{{1, 2}, {1, 4}}));
    EXPECT_EQ(ReadOnlyChannelCells(four, 0),
              (std::vector<CellPos>{{1, 2}, {1, 4}, {3, 1}, {3, 2}, {3, 3}, {3, 4}}));
    EXPECT_TRUE(ReadOnlyChannelCells(InputPageLayoutFor(8), 0).empty());
}

TEST(InputPageLayoutTest, SingleWireClearsTheLocations)
{
    const InputPageLayout four = InputPageLayoutFor(4);
    ParameterSet set;
    for (int w : {35, 49, 58, 67})
        set[w] = 2;
    set[31] = 1;
    EXPECT_FALSE(ClearLocationsOnSingleWire(four, set));
    EXPECT_EQ(set[49], 2);
    set[31] = 0;
    EXPECT_TRUE(ClearLocationsOnSingleWire(four, set));
    for (int w : {35, 49, 58, 67})
        EXPECT_EQ(set[w], 0);
}

TEST(InputPageLayoutTest, PrimaryCurrentIsCheckedAndNamed)
{
    const InputPageLayout l = InputPageLayoutFor(2);
    ParameterSet set;
    ApplyChannelPrimary(*l.CellAt(2, 2), "20000", set);
    EXPECT_EQ(set[47], 20000);
    try {
        ApplyChannelPrimary(*l.CellAt(2, 2), "20001", set);
        FAIL();
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), FormatText(11000, {"Primary current", "1", "20000"}));
    }
    EXPECT_THROW(ApplyChannelPrimary(*l.CellAt(2, 2), "0", set), CPrivateException);
    EXPECT_THROW(ApplyChannelPrimary(*l.CellAt(2, 2), "5A", set), CPrivateException);
    EXPECT_EQ(set[47], 20000);
}

TEST(InputPageLayoutTest, SensorTextsOfTheZnpwUVariant)
{
    EXPECT_EQ(ChannelChoiceTextIds(ChannelCellKind::Sensor, 0).front(), 5600);
    EXPECT_EQ(ChannelChoiceTextIds(ChannelCellKind::Sensor, CapZnpwU).back(), 7005);
    EXPECT_EQ(ChannelChoiceTextIds(ChannelCellKind::Location, 0), (std::vector{6100, 6101, 6102}));
    for (const auto& text : ChannelChoiceTexts(ChannelCellKind::Sensor, CapZnpwU))
        EXPECT_FALSE(text.empty());
}

TEST(InputPageLayoutTest, CellTextsOfNamedAndUnnamedValues)
{
    const InputPageLayout l = InputPageLayoutFor(4);
    const ChannelCell& sensor = *l.CellAt(1, 1);
    const ChannelCell& location = *l.CellAt(3, 1);
    ParameterSet set;
    set[sensor.word] = 7;
    set[location.word] = 2;
    EXPECT_EQ(ChannelCellText(sensor, set), LoadText(5607));
    EXPECT_EQ(ChannelCellText(location, set), LoadText(6102));
    // Values beyond the names must not borrow the texts that follow them.
    set[sensor.word] = 50;
    set[location.word] = 100;
    EXPECT_EQ(ChannelCellText(sensor, set), "50");
    EXPECT_EQ(ChannelCellText(location, set), "100");
    set[sensor.word] = 0xFFFF;
    EXPECT_EQ(ChannelCellText(sensor, set), "65535");
}

} // namespace
