#include <gtest/gtest.h>

#include "grid/CGridModel.h"
#include "grid/GridGeometry.h"

namespace {

// A THD-like grid: headers in row 0 and column 0, values in columns 1-2.
class GridModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<GridHeaderCell> headers{{999, 0, 0}, {1200, 1, 0}, {1250, 2, 0}};
        for (int r = 1; r <= 4; ++r)
            headers.push_back({1300 + r, 0, r});
        model.SetHeaders(headers);
        for (int r = 1; r <= 4; ++r) {
            model.SetValueText(1, r, "L" + std::to_string(r));
            model.SetValueText(2, r, "M" + std::to_string(r));
        }
        model.SetSelectable(true);
    }
    CGridModel model;
};

TEST_F(GridModelTest, SizeIsOneMoreThanTheLargestHeaderPosition)
{
    EXPECT_EQ(model.ColumnCount(), 3);
    EXPECT_EQ(model.RowCount(), 5);
}

TEST_F(GridModelTest, MinimumsWidenAGridWithoutHeaderRow)
{
    CGridModel m;
    EXPECT_EQ(m.SetHeaders({{5500, 0, 0}, {5501, 0, 1}}, 4, 0), 2);
    EXPECT_EQ(m.ColumnCount(), 4);
    EXPECT_EQ(m.SetHeaders({}, 2, 3), 3);
    EXPECT_EQ(m.ColumnCount(), 2);
}

TEST_F(GridModelTest, DefaultSelectionIsRowOneColumnOne)
{
    EXPECT_EQ(model.SelectedColumn(), 1);
    EXPECT_EQ(model.SelectedRow(), 1);
    EXPECT_EQ(model.FirstSelectableColumn(), 1);
    EXPECT_EQ(model.FirstSelectableRow(), 1);
}

TEST_F(GridModelTest, SelectingAValueCellCopiesItsText)
{
    EXPECT_TRUE(model.Select(2, 3));
    EXPECT_EQ(model.SelectedText(), "M3");
    model.SetValueText(2, 3, "new");
    EXPECT_EQ(model.SelectedText(), "new");
}

TEST_F(GridModelTest, HeadersAndCellsOutsideTheRangeAreNotSelected)
{
    model.Select(2, 2);
    EXPECT_FALSE(model.Select(1, 0)); // header row
    EXPECT_FALSE(model.Select(0, 2)); // left of the first selectable column
    EXPECT_FALSE(model.Select(3, 1)); // outside the grid
    EXPECT_FALSE(model.Select(-1, 1));
    EXPECT_EQ(model.SelectedColumn(), 2);
    EXPECT_EQ(model.SelectedRow(), 2);
}

TEST_F(GridModelTest, NothingIsSelectedWhenNotSelectable)
{
    model.SetSelectable(false);
    EXPECT_FALSE(model.Select(2, 2));
}

TEST_F(GridModelTest, ReadOnlyCellsAreNeitherSelectedNorVisited)
{
    model.SetReadOnly(1, 2, true);
    EXPECT_FALSE(model.Select(1, 2));
    EXPECT_EQ(model.Neighbour(1, 1, EditMove::Down), (CellPos{1, 3}));
    model.SetReadOnly(1, 2, false);
    EXPECT_EQ(model.Neighbour(1, 1, EditMove::Down), (CellPos{1, 2}));
}

TEST_F(GridModelTest, NeighbourStopsAtTheEdges)
{
    EXPECT_FALSE(model.Neighbour(1, 1, EditMove::Up));   // row 0 is headers
    EXPECT_FALSE(model.Neighbour(1, 1, EditMove::Left)); // column 0 is headers
    EXPECT_FALSE(model.Neighbour(2, 4, EditMove::Right));
    EXPECT_FALSE(model.Neighbour(2, 4, EditMove::Down));
    EXPECT_FALSE(model.Neighbour(2, 4, EditMove::Stay));
    EXPECT_EQ(model.Neighbour(1, 4, EditMove::Right), (CellPos{2, 4}));
}

TEST_F(GridModelTest, NeighbourSkipsAHeaderColumnInsideTheGrid)
{
    // The sixteen-channel input layout: row headers again in column 3.
    std::vector<GridHeaderCell> headers{{999, 0, 0}, {999, 3, 0}, {5550, 4, 0}, {5508, 3, 1}};
    model.SetHeaders(headers);
    model.SetValueText(4, 1, "x");
    EXPECT_EQ(model.Neighbour(2, 1, EditMove::Right), (CellPos{4, 1}));
}

TEST_F(GridModelTest, ClearValuesLeavesNothingToSelect)
{
    model.ClearValues();
    EXPECT_FALSE(model.Select(1, 1));
    EXPECT_FALSE(model.Neighbour(1, 1, EditMove::Down));
}

TEST_F(GridModelTest, RefreshRendersEachItemIntoItsCell)
{
    model.RefreshValues({{366, 1, 1}, {278, 2, 1}},
                        [](int item) { return "item" + std::to_string(item); });
    EXPECT_EQ(model.ValueAt(1, 1)->text, "item366");
    EXPECT_EQ(model.ValueAt(2, 1)->text, "item278");
}

TEST_F(GridModelTest, ChangesAreReportedOnlyWhenATextDiffers)
{
    EXPECT_FALSE(model.SetValueText(1, 1, "L1"));
    EXPECT_TRUE(model.SetValueText(1, 1, "x"));
    EXPECT_TRUE(model.SetValueText(3, 3, "")); // a new cell
    const auto format = [](int item) { return "M" + std::to_string(item); };
    EXPECT_FALSE(model.RefreshValues({{2, 2, 2}, {3, 2, 3}}, format));
    EXPECT_TRUE(model.RefreshValues({{2, 2, 2}, {4, 2, 3}}, format));
    EXPECT_TRUE(model.ClearValues());
    EXPECT_FALSE(model.ClearValues());
}

TEST_F(GridModelTest, ClampKeepsTheSelectionInsideTheRange)
{
    model.Select(2, 4);
    model.SetHeaders({{999, 0, 0}, {1200, 1, 0}, {1301, 0, 1}});
    model.ClampSelection();
    EXPECT_EQ(model.SelectedColumn(), 1);
    EXPECT_EQ(model.SelectedRow(), 1);
    EXPECT_EQ(model.SelectedText(), "L1");
}

TEST(GridGeometry, RowHeightAndSize)
{
    EXPECT_EQ(GridRowHeight(13), 15);
    const GridPixelSize s = GridSizeFor(7, 8, 80, 15);
    EXPECT_EQ(s.width, 561);
    EXPECT_EQ(s.height, 121);
    EXPECT_EQ(GridSizeFor(0, 0, 80, 15).width, 1);
}

TEST(GridGeometry, ColumnWidthFillsTheClientWidth)
{
    EXPECT_EQ(GridColumnWidth(701, 7), 100);
    EXPECT_EQ(GridColumnWidth(281, 2.8), 100);
    EXPECT_LE(GridSizeFor(7, 1, GridColumnWidth(500, 7), 10).width, 500);
    EXPECT_EQ(GridColumnWidth(500, 0), 0);
}

TEST(GridGeometry, LastListColumnTakesTheRest)
{
    const auto w = ListColumnWidths(1000, {0.277, 0.154, 0.154, 0.108, 0.108});
    ASSERT_EQ(w.size(), 6u);
    EXPECT_EQ(w[0], 277);
    EXPECT_EQ(w[1], 154);
    EXPECT_EQ(w[5], 1000 - 277 - 154 - 154 - 108 - 108);
    EXPECT_EQ(ListColumnWidths(100, {0.8, 0.5}).back(), 0);
}

} // namespace
