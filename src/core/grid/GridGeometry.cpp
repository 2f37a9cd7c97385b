#include "grid/GridGeometry.h"

#include <algorithm>
#include <cmath>

int GridRowHeight(int textHeight)
{
    return textHeight + 2;
}

int GridColumnWidth(int clientWidth, double divisor)
{
    if (divisor <= 0 || clientWidth <= 1)
        return 0;
    return static_cast<int>(std::floor((clientWidth - 1) / divisor));
}

GridPixelSize GridSizeFor(int columns, int rows, int columnWidth, int rowHeight)
{
    return {std::max(columns, 0) * std::max(columnWidth, 0) + 1,
            std::max(rows, 0) * std::max(rowHeight, 0) + 1};
}

std::vector<int> ListColumnWidths(int clientWidth, const std::vector<double>& fractions)
{
    std::vector<int> widths;
    int used = 0;
    for (double f : fractions) {
        const int w = std::max(0, static_cast<int>(clientWidth * f));
        widths.push_back(w);
        used += w;
    }
    widths.push_back(std::max(0, clientWidth - used));
    return widths;
}
