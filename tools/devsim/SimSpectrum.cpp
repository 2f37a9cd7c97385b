#include "SimSpectrum.h"

#include <cmath>
#include <complex>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Typical contents in 0.1 %, orders 2-31.
constexpr std::array<double, kSimHarmonicOrders> kCurrent = {8, 45, 4, 60, 2, 38, 1, 12, 1, 25,
                                                             1, 18, 1, 5,  1, 10, 1, 8,  0, 3,
                                                             0, 6,  0, 5,  0, 2,  0, 3,  0, 3};
constexpr std::array<double, kSimHarmonicOrders> kNeutral = {
    5, 180, 3, 20, 2, 15, 1, 40, 1, 6, 0, 5, 0, 15, 0, 3, 0, 2, 0, 6, 0, 1, 0, 1, 0, 3, 0, 1, 0, 1};
constexpr std::array<double, kSimHarmonicOrders> kVoltage = {
    1, 8, 0, 22, 0, 14, 0, 3, 0, 9, 0, 7, 0, 1, 0, 3, 0, 2, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};

const std::array<double, kSimHarmonicOrders>& TableOf(SimHarmonicSource source)
{
    switch (source) {
    case SimHarmonicSource::Neutral:
        return kNeutral;
    case SimHarmonicSource::Voltage:
        return kVoltage;
    case SimHarmonicSource::Current:
        break;
    }
    return kCurrent;
}

} // namespace

SimSpectrumValues SimSpectrum(SimHarmonicSource source, double seconds, double seed)
{
    const auto& table = TableOf(source);
    SimSpectrumValues out{};
    // Each order's content swings by 15 %, a fixed 0.7 rad behind the order below it:
    // the phase advances by rotation, so a row costs two trigonometric calls.
    std::complex<double> phase = std::polar(1.0, kTwoPi * seconds / 19 + seed);
    const std::complex<double> step = std::polar(1.0, 0.7);
    for (int i = 0; i < kSimHarmonicOrders; ++i, phase *= step) {
        const double wave = 1 + 0.15 * phase.imag();
        out[static_cast<size_t>(i)] =
            static_cast<std::uint16_t>(std::lround(table[static_cast<size_t>(i)] * wave));
    }
    return out;
}

std::uint16_t SimThd(const std::uint16_t* contents, int count)
{
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += double(contents[i]) * contents[i];
    return static_cast<std::uint16_t>(std::lround(std::sqrt(sum)));
}
