#include "device/ReportColours.h"

#include <algorithm>

namespace {

constexpr double kStrongShade = 0.1;
constexpr double kLightShade = 0.05;

std::uint8_t ScalePart(std::uint8_t part, double factor)
{
    const double scaled = std::clamp(part * factor, 0.0, 255.0);
    return static_cast<std::uint8_t>(scaled);
}

} // namespace

Rgb ShadeColour(Rgb colour, double factor)
{
    const int mean = (colour.r + colour.g + colour.b) / 3;
    const double k = mean < 128 ? 1 + factor : 1 - factor;
    return {ScalePart(colour.r, k), ScalePart(colour.g, k), ScalePart(colour.b, k)};
}

CellColours ReportCellColours(const ReportRow& row, ReportColumn column,
                              const ReportPalette& palette)
{
    switch (column) {
    case ReportColumn::Group:
        return {palette.windowText,
                ShadeColour(palette.window, row.firstOfGroup ? kStrongShade : kLightShade)};
    case ReportColumn::Name:
        return {palette.windowText,
                ShadeColour(palette.window, row.firstOfGroup ? kLightShade : kStrongShade)};
    case ReportColumn::Pc:
    case ReportColumn::Compare:
        break;
    }
    switch (row.state) {
    case ReportRowState::Different:
        return {palette.windowText, kDifferentCellBackground};
    case ReportRowState::NotApplicable:
        return {palette.grayText, palette.buttonFace};
    case ReportRowState::Applies:
        break;
    }
    return {palette.windowText, palette.window};
}
