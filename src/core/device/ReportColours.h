#pragma once

#include <cstdint>

#include "device/CParameterReport.h"

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// The system colours the report list draws with; the window fills them from
// its style.
struct ReportPalette {
    Rgb windowText;
    Rgb window;
    Rgb grayText;
    Rgb buttonFace;
};

struct CellColours {
    Rgb text;
    Rgb background;

    bool operator==(const CellColours&) const = default;
};

constexpr Rgb kDifferentCellBackground{255, 168, 150};
// The result text while parameters do not match.
constexpr Rgb kMismatchResultColour{255, 0, 0};

// Lightens a dark colour or darkens a light one by a factor: each part times
// 1 + f (at most 255) when the mean of the parts is below 128, else times
// 1 - f (at least 0); fractions are dropped.
Rgb ShadeColour(Rgb colour, double factor);

// Group and Name cells are the window colour shaded, more strongly on the
// Group cell of a group's first row and on the Name cell of the others, so
// that group boundaries stand out; value cells show the row state.
CellColours ReportCellColours(const ReportRow& row, ReportColumn column,
                              const ReportPalette& palette);
