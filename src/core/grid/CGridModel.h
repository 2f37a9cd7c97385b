#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/EditOutcome.h"

// A header cell: its text is looked up by string id when painted, so a
// language switch needs no refill.
struct GridHeaderCell {
    int textId = 0;
    int column = 0;
    int row = 0;
};

// A value cell: the current text plus two words its owner may use freely.
struct GridValueCell {
    std::string text;
    int column = 0;
    int row = 0;
    std::uint16_t extra = 0;
    std::uint16_t flag = 0;
};

// A value cell rendered from the measured-value image: item number and place.
struct GridItemCell {
    int item = 0;
    int column = 0;
    int row = 0;
};

// The cells, size and selection of an owner-drawn value grid, without pixels.
class CGridModel {
public:
    // Replaces the header list. The grid has one more column and row than the
    // largest header position, at least minColumns x minRows. Returns the rows.
    int SetHeaders(std::vector<GridHeaderCell> headers, int minColumns = 0, int minRows = 0);
    const std::vector<GridHeaderCell>& Headers() const { return headers_; }
    std::optional<int> HeaderAt(int column, int row) const;

    // False when there were no value cells.
    bool ClearValues();
    // Sets the text of the value cell at (column, row), creating the cell.
    // False when the cell already held that text.
    bool SetValueText(int column, int row, std::string text);
    GridValueCell* ValueAt(int column, int row);
    const GridValueCell* ValueAt(int column, int row) const;
    const std::vector<GridValueCell>& Values() const { return values_; }
    // Fills the value cells of a list with their rendered items. False when
    // no text changed.
    bool RefreshValues(const std::vector<GridItemCell>& cells,
                       const std::function<std::string(int item)>& format);

    // Read-only cells are drawn greyed and are never selected or edited.
    void SetReadOnly(int column, int row, bool readOnly);
    bool IsReadOnly(int column, int row) const;
    void ClearReadOnly() { readOnly_.clear(); }

    int ColumnCount() const { return columns_; }
    int RowCount() const { return rows_; }

    void SetSelectable(bool selectable) { selectable_ = selectable; }
    bool Selectable() const { return selectable_; }
    void SetFirstSelectable(int column, int row);
    int FirstSelectableColumn() const { return firstColumn_; }
    int FirstSelectableRow() const { return firstRow_; }
    // A cell that can be selected: a value cell inside the grid and the
    // selectable range, not a header and not read-only.
    bool CanSelect(int column, int row) const;
    // Selects a cell that can be selected and copies its text. False, and no
    // change, for any other cell.
    bool Select(int column, int row);
    int SelectedColumn() const { return selColumn_; }
    int SelectedRow() const { return selRow_; }
    const std::string& SelectedText() const { return selText_; }
    // Keeps the selection inside the selectable range after the range or the
    // size changed (the THD row never points outside rows 1-10).
    void ClampSelection();

    // The nearest selectable cell from (column, row) in a direction, skipping
    // headers, read-only and empty positions; nullopt at the edge.
    std::optional<CellPos> Neighbour(int column, int row, EditMove move) const;

private:
    bool Inside(int column, int row) const;

    std::vector<GridHeaderCell> headers_;
    std::vector<GridValueCell> values_;
    std::vector<CellPos> readOnly_;
    int columns_ = 0;
    int rows_ = 0;
    bool selectable_ = false;
    int firstColumn_ = 1;
    int firstRow_ = 1;
    int selColumn_ = 1;
    int selRow_ = 1;
    std::string selText_;
};
