#include "grid/CGridModel.h"

#include <algorithm>

int CGridModel::SetHeaders(std::vector<GridHeaderCell> headers, int minColumns, int minRows)
{
    headers_ = std::move(headers);
    columns_ = std::max(minColumns, 0);
    rows_ = std::max(minRows, 0);
    for (const GridHeaderCell& h : headers_) {
        columns_ = std::max(columns_, h.column + 1);
        rows_ = std::max(rows_, h.row + 1);
    }
    return rows_;
}

std::optional<int> CGridModel::HeaderAt(int column, int row) const
{
    for (const GridHeaderCell& h : headers_) {
        if (h.column == column && h.row == row)
            return h.textId;
    }
    return std::nullopt;
}

bool CGridModel::ClearValues()
{
    const bool had = !values_.empty();
    values_.clear();
    return had;
}

bool CGridModel::SetValueText(int column, int row, std::string text)
{
    GridValueCell* cell = ValueAt(column, row);
    if (cell && cell->text == text)
        return false;
    if (cell)
        cell->text = std::move(text);
    else
        cell = &values_.emplace_back(GridValueCell{std::move(text), column, row, 0, 0});
    if (column == selColumn_ && row == selRow_)
        selText_ = cell->text;
    return true;
}

GridValueCell* CGridModel::ValueAt(int column, int row)
{
    auto it = std::find_if(values_.begin(), values_.end(), [&](const GridValueCell& v) {
        return v.column == column && v.row == row;
    });
    return it == values_.end() ? nullptr : &*it;
}

const GridValueCell* CGridModel::ValueAt(int column, int row) const
{
    return const_cast<CGridModel*>(this)->ValueAt(column, row);
}

bool CGridModel::RefreshValues(const std::vector<GridItemCell>& cells,
                               const std::function<std::string(int item)>& format)
{
    bool changed = false;
    for (const GridItemCell& c : cells)
        changed |= SetValueText(c.column, c.row, format(c.item));
    return changed;
}

void CGridModel::SetReadOnly(int column, int row, bool readOnly)
{
    const CellPos pos{column, row};
    auto it = std::find(readOnly_.begin(), readOnly_.end(), pos);
    if (readOnly && it == readOnly_.end())
        readOnly_.push_back(pos);
    else if (!readOnly && it != readOnly_.end())
        readOnly_.erase(it);
}

bool CGridModel::IsReadOnly(int column, int row) const
{
    return std::find(readOnly_.begin(), readOnly_.end(), CellPos{column, row}) != readOnly_.end();
}

void CGridModel::SetFirstSelectable(int column, int row)
{
    firstColumn_ = std::max(column, 0);
    firstRow_ = std::max(row, 0);
}

bool CGridModel::Inside(int column, int row) const
{
    return column >= 0 && row >= 0 && column < columns_ && row < rows_;
}

bool CGridModel::CanSelect(int column, int row) const
{
    return selectable_ && Inside(column, row) && column >= firstColumn_ && row >= firstRow_ &&
           !HeaderAt(column, row) && !IsReadOnly(column, row) && ValueAt(column, row);
}

bool CGridModel::Select(int column, int row)
{
    if (!CanSelect(column, row))
        return false;
    selColumn_ = column;
    selRow_ = row;
    selText_ = ValueAt(column, row)->text;
    return true;
}

void CGridModel::ClampSelection()
{
    selColumn_ = std::clamp(selColumn_, firstColumn_, std::max(firstColumn_, columns_ - 1));
    selRow_ = std::clamp(selRow_, firstRow_, std::max(firstRow_, rows_ - 1));
    const GridValueCell* cell = ValueAt(selColumn_, selRow_);
    selText_ = cell ? cell->text : std::string();
}

std::optional<CellPos> CGridModel::Neighbour(int column, int row, EditMove move) const
{
    if (move == EditMove::Stay)
        return std::nullopt;
    CellPos pos = NeighbourCell({column, row}, move);
    while (Inside(pos.column, pos.row)) {
        if (CanSelect(pos.column, pos.row))
            return pos;
        pos = NeighbourCell(pos, move);
    }
    return std::nullopt;
}
