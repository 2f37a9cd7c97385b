#pragma once

#include <optional>

// How an in-place edit ended, and where the editor goes next. The numeric
// values are those the dialogs' editing code has always used.
enum class EditMove { Stay = 0, Down = 1, Up = 2, Left = 3, Right = 4 };

// What the dialog is to store after an edit.
enum class ParEditKind { Nothing = 0, ListChoice = 1, Text = 2 };

struct EditOutcome {
    bool accepted = false;
    EditMove move = EditMove::Stay;

    bool operator==(const EditOutcome&) const = default;
};

// The keys the in-place editors react to; everything else is EditKey::Other.
enum class EditKey { Enter, Escape, Tab, BackTab, Up, Down, Left, Right, Other };

// The outcome of a key pressed in the in-place edit field, or nullopt when the
// key is ordinary editing (typing, caret movement inside the text). Left and
// Right end the edit only with the caret at the start or end of the text, so
// moving through the text still works. The caret alone counts: a freshly
// opened cell has its whole text selected with the caret at the end, and one
// Right goes on to the next cell as it does from a cell typed into.
std::optional<EditOutcome> EditTextKeyOutcome(EditKey key, int caret, int length);

// The outcome of a key pressed in the in-place drop-down list while its list
// is closed (or for Left/Right also while it is open); nullopt for keys the
// list handles itself (Up/Down change the choice).
std::optional<EditOutcome> EditComboKeyOutcome(EditKey key);

// The cell next to (column, row) in the direction of a move; Stay returns the
// cell itself. No bounds: callers check their own grid or list.
struct CellPos {
    int column = 0;
    int row = 0;

    bool operator==(const CellPos&) const = default;
};
CellPos NeighbourCell(CellPos cell, EditMove move);
