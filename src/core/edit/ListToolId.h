#pragma once

#include <optional>

#include "edit/EditOutcome.h"

// Tooltip tools of a list view: one per cell, id (row x 1024 + column) + 1 with
// the column kept to 10 bits, so 0 stays free for "no tool".
int ListToolId(int row, int column);
std::optional<CellPos> ListToolCell(int toolId);
