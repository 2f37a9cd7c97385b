#pragma once

#include <array>
#include <cstdint>

class CMeasurandsKTA;

constexpr int kHarmonicValues = 31; // orders 1-31

// What the harmonics graph shows: one spectrum in 0.1 % of the fundamental.
struct HarmonicsGraphData {
    // 1: every order, 31 bars; 2: order 1 and the odd orders, 16 bars.
    int step = 1;
    // Set by the owner while the spectrum of a newly chosen row is on its way.
    bool hidden = false;
    // The spectrum row of the image (the THD row, 0-9 on most windows).
    int row = 0;
    // [0] is the fundamental, always 100.0 %.
    std::array<std::uint16_t, kHarmonicValues> values{1000};

    bool operator==(const HarmonicsGraphData&) const = default;
};

// Takes spectrum row `row` of the image (its 30 register values in register
// order, orders 2-31) and shows the bars again. A row the image does not have
// shows an empty spectrum.
void UpdateHarmonicsFromImage(HarmonicsGraphData& data, const CMeasurandsKTA& image);
