#pragma once

#include <vector>

// Pixel rules of the value grids and list views, kept apart from painting.

// Row height of a grid: the text height of "0" in the grid's font plus 2.
int GridRowHeight(int textHeight);

// Width of one column when a grid of `divisor` columns (7, 2.8, ...) is to
// fill `clientWidth`; the closing grid line takes the last pixel.
int GridColumnWidth(int clientWidth, double divisor);

// Size of a grid: columns x width + 1 by rows x height + 1.
struct GridPixelSize {
    int width = 0;
    int height = 0;
};
GridPixelSize GridSizeFor(int columns, int rows, int columnWidth, int rowHeight);

// Column widths of a list view from the fractions of its client width of all
// columns but the last, which takes the rest (never less than 0).
std::vector<int> ListColumnWidths(int clientWidth, const std::vector<double>& fractions);
