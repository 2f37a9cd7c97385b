#include <gtest/gtest.h>

#include "device/DownloadVerify.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"

namespace {

DownloadVerification ReadBackWith(const ParameterSet& set,
                                  const std::vector<std::pair<int, int>>& changes)
{
    DownloadVerification v{set, {}};
    for (const auto& [word, value] : changes) {
        v.readBack[word] = static_cast<std::uint16_t>(value);
        v.differingWords.push_back(word);
    }
    return v;
}

TEST(DifferingRows, TheSecondWordOfAValueGivesTheRowOfTheValue)
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set.Set32(36, 6600);
    const auto rows = DifferingRows(set, ReadBackWith(set, {{37, 1}}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].word, 36);
    EXPECT_EQ(rows[0].wordCount, 2);
    EXPECT_EQ(rows[0].state, ReportRowState::Different);
    EXPECT_EQ(rows[0].pcValue, "6600");
    EXPECT_EQ(rows[0].compareValue, "72136");
}

TEST(DifferingRows, OneRowPerParameterInWordOrder)
{
    const ParameterSet set = SetOf(kKtaGen3Modbus);
    const auto rows = DifferingRows(set, ReadBackWith(set, {{0, 9}, {36, 1}, {37, 1}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].word, 0);
    EXPECT_EQ(rows[1].word, 36);
    EXPECT_TRUE(DifferingRows(set, ReadBackWith(set, {})).empty());
}

// The map writes LKTA words 0-3 although the report does not show them for
// that variant: their difference still has a row, greyed as the report does.
TEST(DifferingRows, WordTheReportDoesNotShowForTheVariantStillHasItsRow)
{
    const ParameterSet set = SetOf(kLktaModbus);
    const auto rows = DifferingRows(set, ReadBackWith(set, {{1, 7}}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].word, 1);
    EXPECT_EQ(rows[0].state, ReportRowState::NotApplicable);
}

} // namespace
