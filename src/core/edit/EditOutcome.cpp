#include "edit/EditOutcome.h"

std::optional<EditOutcome> EditTextKeyOutcome(EditKey key, int caret, int length)
{
    switch (key) {
    case EditKey::Enter:
        return EditOutcome{true, EditMove::Stay};
    // Escape ends only the cell edit; it must not reach the dialog and close it.
    case EditKey::Escape:
        return EditOutcome{false, EditMove::Stay};
    // Tab would move the focus away and lose the typed text; it commits instead.
    case EditKey::Tab:
        return EditOutcome{true, EditMove::Right};
    case EditKey::BackTab:
        return EditOutcome{true, EditMove::Left};
    case EditKey::Down:
        return EditOutcome{true, EditMove::Down};
    case EditKey::Up:
        return EditOutcome{true, EditMove::Up};
    case EditKey::Left:
        if (caret == 0)
            return EditOutcome{true, EditMove::Left};
        return std::nullopt;
    case EditKey::Right:
        if (caret >= length)
            return EditOutcome{true, EditMove::Right};
        return std::nullopt;
    case EditKey::Other:
        break;
    }
    return std::nullopt;
}

std::optional<EditOutcome> EditComboKeyOutcome(EditKey key)
{
    switch (key) {
    case EditKey::Enter:
        return EditOutcome{true, EditMove::Stay};
    case EditKey::Escape:
        return EditOutcome{false, EditMove::Stay};
    case EditKey::Left:
    case EditKey::BackTab:
        return EditOutcome{true, EditMove::Left};
    case EditKey::Right:
    case EditKey::Tab:
        return EditOutcome{true, EditMove::Right};
    case EditKey::Up:
    case EditKey::Down:
    case EditKey::Other:
        break;
    }
    return std::nullopt;
}

CellPos NeighbourCell(CellPos cell, EditMove move)
{
    switch (move) {
    case EditMove::Down:
        return {cell.column, cell.row + 1};
    case EditMove::Up:
        return {cell.column, cell.row - 1};
    case EditMove::Left:
        return {cell.column - 1, cell.row};
    case EditMove::Right:
        return {cell.column + 1, cell.row};
    case EditMove::Stay:
        break;
    }
    return cell;
}
