#include "edit/ListToolId.h"

int ListToolId(int row, int column)
{
    return (row * 1024 + (column & 0x3FF)) + 1;
}

std::optional<CellPos> ListToolCell(int toolId)
{
    if (toolId <= 0)
        return std::nullopt;
    const int key = toolId - 1;
    return CellPos{key & 0x3FF, key / 1024};
}
