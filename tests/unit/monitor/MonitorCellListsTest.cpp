#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "monitor/FormatKinds.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorItemNames.h"
#include "text/CStringTable.h"

namespace {

using namespace MonitorCells;

using Cell = std::pair<int, int>;

std::vector<Cell> CellsOf(const std::vector<GridItemCell>& items)
{
    std::vector<Cell> cells;
    for (const GridItemCell& c : items)
        cells.emplace_back(c.column, c.row);
    return cells;
}

int ItemAt(const std::vector<GridItemCell>& items, int column, int row)
{
    for (const GridItemCell& c : items)
        if (c.column == column && c.row == row)
            return c.item;
    return -1;
}

struct Grid {
    const char* name;
    std::vector<GridHeaderCell> headers;
    std::vector<GridItemCell> items;
    int columns;
    int rows;
};

std::vector<Grid> AllGrids()
{
    std::vector<Grid> grids;
    for (int t = 0; t < kValueTabs; ++t) {
        grids.push_back({"value top", ValueTopHeaders(), ValueTopItems(t), kValueTopColumns, 8});
        grids.push_back(
            {"value bottom", ValueBottomHeaders(t), ValueBottomItems(t), kValueBottomColumns, 9});
    }
    for (int t = 0; t < kEnergyTabs; ++t)
        grids.push_back({"energy", EnergyHeaders(t), EnergyItems(t), kEnergyColumns, 4});
    grids.push_back({"THD", ThdHeaders(), ThdItems(), kThdColumns, 11});
    grids.push_back({"device information", DeviceInformationHeaders(), DeviceInformationItems(),
                     kDeviceInformationColumns, 6});
    grids.push_back({"output", OutputHeaders(), OutputItems(), kOutputColumns, 2});
    return grids;
}

// Every cell lies inside its grid, holds either a header or one value, and
// every header text exists in the English table.
TEST(MonitorCellLists, CellsAreDistinctInsideTheirGridAndNamedByKnownTexts)
{
    for (const Grid& g : AllGrids()) {
        SCOPED_TRACE(g.name);
        std::set<Cell> used;
        for (const GridHeaderCell& h : g.headers) {
            EXPECT_TRUE(CStringTable::Instance().Has(h.textId)) << h.textId;
            EXPECT_LT(h.column, g.columns);
            EXPECT_LT(h.row, g.rows);
            EXPECT_TRUE(used.insert({h.column, h.row}).second) << h.column << "," << h.row;
        }
        std::set<int> items;
        for (const GridItemCell& c : g.items) {
            EXPECT_LT(c.column, g.columns);
            EXPECT_LT(c.row, g.rows);
            EXPECT_TRUE(used.insert({c.column, c.row}).second) << c.column << "," << c.row;
            EXPECT_TRUE(items.insert(c.item).second) << c.item;
            EXPECT_NE(FormatKindOf(c.item), FormatKind::None) << c.item;
        }
    }
}

// Trend, Max and Min show the same quantity in the same cell: same cells,
// same format kinds, and the minimum items mirror the maximum items (totals
// 218-224 and 308-314, phases 226-247 and 315-336).
TEST(MonitorCellLists, TrendMaxAndMinShowOneQuantityPerCell)
{
    const auto& trend = ValueTopItems(kTrend);
    const auto& max = ValueTopItems(kMax);
    const auto& min = ValueTopItems(kMin);
    ASSERT_EQ(CellsOf(trend), CellsOf(max));
    ASSERT_EQ(CellsOf(trend), CellsOf(min));
    for (size_t i = 0; i < trend.size(); ++i) {
        SCOPED_TRACE(trend[i].item);
        EXPECT_EQ(FormatKindOf(trend[i].item), FormatKindOf(max[i].item));
        EXPECT_EQ(min[i].item, max[i].item + (max[i].item < 226 ? 90 : 89));
    }
    // Column c of rows 1-4 is the quantity named in row 0.
    const FormatKind columnKinds[] = {FormatKind::Voltage,       FormatKind::Current,
                                      FormatKind::ActivePower,   FormatKind::ReactivePower,
                                      FormatKind::ApparentPower, FormatKind::PowerFactor};
    for (int column = 1; column <= 6; ++column)
        for (int row = 1; row <= 4; ++row)
            EXPECT_EQ(FormatKindOf(ItemAt(trend, column, row)), columnKinds[column - 1]);
    EXPECT_EQ(FormatKindOf(ItemAt(trend, 3, 7)), FormatKind::Frequency);
}

// Rows 1-5 of the bottom grid are currents, 6-8 active, reactive and apparent power.
TEST(MonitorCellLists, BottomGridRowsHoldTheirQuantity)
{
    const FormatKind rowKinds[] = {FormatKind::Current,       FormatKind::Current,
                                   FormatKind::Current,       FormatKind::Current,
                                   FormatKind::Current,       FormatKind::ActivePower,
                                   FormatKind::ReactivePower, FormatKind::ApparentPower};
    for (int tab : {kTrend, kMax}) {
        SCOPED_TRACE(tab);
        for (const GridItemCell& c : ValueBottomItems(tab))
            EXPECT_EQ(FormatKindOf(c.item), rowKinds[c.row - 1]) << c.item;
    }
    EXPECT_EQ(ValueBottomItems(kTrend).size(), 40u);
    EXPECT_TRUE(ValueBottomItems(kMin).empty());
    EXPECT_EQ(ValueBottomHeaders(kMin).size(), ValueBottomHeaders(kMax).size());
}

// The low tariff tabs repeat the high tariff tabs fourteen items on, under the
// same headers; each tariff tab shows one counter block with its timer.
TEST(MonitorCellLists, LowTariffTabsMirrorTheHighTariffTabs)
{
    for (int tab : {0, 1}) {
        SCOPED_TRACE(tab);
        const auto& high = EnergyItems(tab);
        const auto& low = EnergyItems(tab + 2);
        ASSERT_EQ(CellsOf(high), CellsOf(low));
        for (size_t i = 0; i < high.size(); ++i)
            EXPECT_EQ(low[i].item, high[i].item + 14);
        const auto& highHeaders = EnergyHeaders(tab);
        const auto& lowHeaders = EnergyHeaders(tab + 2);
        ASSERT_EQ(highHeaders.size(), lowHeaders.size());
        for (size_t i = 0; i < highHeaders.size(); ++i)
            EXPECT_EQ(highHeaders[i].textId, lowHeaders[i].textId);
        EXPECT_EQ(FormatKindOf(ItemAt(high, 0, 1)), FormatKind::OperatingTimer);
    }
    std::set<int> tariff1;
    for (int tab : {0, 1})
        for (const GridItemCell& c : EnergyItems(tab))
            tariff1.insert(c.item);
    EXPECT_EQ(tariff1.size(), 14u);
    EXPECT_EQ(*tariff1.begin(), 66);
    EXPECT_EQ(*tariff1.rbegin(), 79);
    for (const GridItemCell& c : EnergyItems(kCounterTab))
        EXPECT_EQ(FormatKindOf(c.item), FormatKind::Count);
}

// Row r of the THD grid is spectrum row r - 1 in both columns.
TEST(MonitorCellLists, ThdRowsAreTheSpectrumRows)
{
    for (const GridItemCell& c : ThdItems()) {
        EXPECT_EQ(FormatKindOf(c.item), FormatKind::Thd);
        EXPECT_EQ(c.item - (c.column == 1 ? 366 : 278), c.row - kThdFirstRow);
    }
    EXPECT_EQ(ThdItems().size(), 2u * kThdRows);
}

// The data log of the command-line monitor names its columns from its own
// table; it must hold exactly the items the window's grids show.
TEST(MonitorCellLists, TheDataLogNamesEveryItemTheWindowShows)
{
    std::set<int> shown;
    const auto add = [&shown](const std::vector<GridItemCell>& items) {
        for (const GridItemCell& c : items)
            shown.insert(c.item);
    };
    for (int tab = 0; tab < kValueTabs; ++tab) {
        add(ValueTopItems(tab));
        add(ValueBottomItems(tab));
    }
    for (int tab = 0; tab < kEnergyTabs; ++tab)
        add(EnergyItems(tab));
    add(ThdItems());
    add(DeviceInformationItems());
    add(OutputItems());

    std::set<int> named;
    for (const MonitorItemName& n : StandardMonitorItemNames())
        named.insert(n.item);
    EXPECT_EQ(named, shown);
}

} // namespace
