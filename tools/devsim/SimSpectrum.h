#pragma once

#include <array>
#include <cstdint>

// Harmonic contents as a distorting load produces them: currents carry the
// 5th and 7th of rectifier loads and the 3rd of single-phase ones, the neutral
// collects the triplen orders, voltages show a few percent of the same.
enum class SimHarmonicSource { Current, Neutral, Voltage };

constexpr int kSimHarmonicOrders = 30; // orders 2-31

// Contents of orders 2-31 in 0.1 % of the fundamental.
using SimSpectrumValues = std::array<std::uint16_t, kSimHarmonicOrders>;

SimSpectrumValues SimSpectrum(SimHarmonicSource source, double seconds, double seed);
// Total harmonic distortion in 0.1 % of the contents given (root of the sum of squares).
std::uint16_t SimThd(const std::uint16_t* contents, int count);
