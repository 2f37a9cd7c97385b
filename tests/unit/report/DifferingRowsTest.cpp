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

// The map writes LKTA words 0-3 although the report does not show them for
// that variant: their difference still has a row, greyed as the report does.
TEST(DifferingRows, WordTheReportDoesNotShowForTheVariantStillHasItsRow)
{
    const ParameterSet set = SetOf(kLktaModbus);
    const auto rows = DifferingRows(set, ReadBackWith(set, {{1, 7}, {36, 1}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].word, 1);
    EXPECT_EQ(rows[0].state, ReportRowState::NotApplicable);
    EXPECT_EQ(rows[1].state, ReportRowState::Different);
    EXPECT_TRUE(DifferingRows(set, ReadBackWith(set, {})).empty());
}

} // namespace
