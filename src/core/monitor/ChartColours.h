#pragma once

#include <cstdint>

// Colours of the charts and the LED as the windows hand them over: 0x00BBGGRR,
// red in the lowest byte (0x0000FF is red, 0xFF0000 blue).
using ColorRef = std::uint32_t;

struct ChartRgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const ChartRgb&) const = default;
};

constexpr ChartRgb RgbFromColorRef(ColorRef c)
{
    return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)};
}

namespace chart_colour {
constexpr ColorRef kVectorBackground = 0xC8C8C8;
constexpr ColorRef kLeadLagText = 0x329B9B;
constexpr ColorRef kAxes = 0x505050;
constexpr ColorRef kVectorLabel = 0x146432;
constexpr ColorRef kCircuitText = 0x146464;
// U1N, U2N, U3N, I1, I2, I3.
constexpr ColorRef kVectors[6] = {0x0000FF, 0xFFFFFF, 0xFF0000, 0x0000B4, 0xB4B4B4, 0xB40000};
constexpr ColorRef kHarmonicBar = 0xC83232;
// The LED while a command succeeds (every second one), and while the link fails.
constexpr ColorRef kLedCommunicating = 0xFF6464;
constexpr ColorRef kLedError = 0x0000FF;
} // namespace chart_colour
