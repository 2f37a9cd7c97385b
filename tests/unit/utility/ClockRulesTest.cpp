#include <gtest/gtest.h>

#include "text/CStringTable.h"
#include "utility/DeviceClock.h"

namespace {

TEST(ClockWordsTest, BcdRoundTripAndKnownAnswer)
{
    const ClockWords words = {0x2412, 0x1508, 0x3059};
    const DeviceDateTime t = DecodeClock(words);
    EXPECT_EQ(FormatDateTime(t), "2024/12/15 08:30:59");
    EXPECT_EQ(EncodeClock(t), words);
    const DeviceDateTime last{2099, 12, 31, 23, 59, 59};
    EXPECT_EQ(DecodeClock(EncodeClock(last)), last);
    EXPECT_EQ(EncodeClock({2000, 1, 1, 0, 0, 0}), (ClockWords{0x0001, 0x0100, 0x0000}));
}

TEST(ClockWordsTest, OneSecondLaterCarriesThroughTheCalendar)
{
    EXPECT_EQ(AddOneSecond({2024, 5, 1, 10, 15, 59}), (DeviceDateTime{2024, 5, 1, 10, 16, 0}));
    EXPECT_EQ(AddOneSecond({2024, 2, 28, 23, 59, 59}), (DeviceDateTime{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(AddOneSecond({2023, 2, 28, 23, 59, 59}), (DeviceDateTime{2023, 3, 1, 0, 0, 0}));
    EXPECT_EQ(AddOneSecond({2024, 12, 31, 23, 59, 59}), (DeviceDateTime{2025, 1, 1, 0, 0, 0}));
}

struct DateCase {
    DateEdits edits;
    std::optional<DateField> invalid; // nothing: accepted
};

class DateEditsTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateEditsTest, FirstInvalidFieldIsNamed)
{
    const DateInputResult r = ReadDateEdits(GetParam().edits);
    if (!GetParam().invalid) {
        EXPECT_TRUE(r.value);
        EXPECT_TRUE(r.error.empty());
        return;
    }
    EXPECT_FALSE(r.value);
    EXPECT_EQ(r.invalidField, *GetParam().invalid);
    EXPECT_EQ(r.error, LoadText(11030));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DateEditsTest,
    ::testing::Values(DateCase{{"2024", "2", "29", "12", "0", "0"}, std::nullopt},
                      DateCase{{"2023", "2", "29", "12", "0", "0"}, DateField::Day},
                      DateCase{{"2100", "1", "1", "0", "0", "0"}, DateField::Year},
                      DateCase{{"1999", "13", "40", "0", "0", "0"}, DateField::Year},
                      DateCase{{"2024", "13", "1", "0", "0", "0"}, DateField::Month},
                      DateCase{{"2024", "x", "1", "0", "0", "0"}, DateField::Month},
                      DateCase{{"2024", "4", "31", "0", "0", "0"}, DateField::Day},
                      DateCase{{"2024", "4", "30", "24", "0", "0"}, DateField::Hour},
                      DateCase{{"2024", "4", "30", "1", "60", "0"}, DateField::Minute},
                      DateCase{{"2024", "4", "30", "1", "1", "60"}, DateField::Second},
                      DateCase{{"2024", "4", "30", "", "ab", "-3"}, std::nullopt}));

TEST(DateEditsTest, TimeFieldsThatAreNotNumbersCountAsZero)
{
    const DateInputResult r = ReadDateEdits({"2024", "4", "30", "", "ab", "7x"});
    ASSERT_TRUE(r.value);
    EXPECT_EQ(*r.value, (DeviceDateTime{2024, 4, 30, 0, 0, 0}));
}

} // namespace
