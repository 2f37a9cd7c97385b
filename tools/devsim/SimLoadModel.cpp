#include "SimLoadModel.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

using Phasor = std::complex<double>;

constexpr double kPi = 3.14159265358979323846;
constexpr double kSqrt3 = 1.7320508075688772;

enum class Layout { TwoWire, ThreeWireSingle, ThreePhase3Wire, ThreePhase4Wire, Branched };

Layout LayoutOf(const SimChannelSetup& s)
{
    if (s.branched || s.wiring == 16)
        return Layout::Branched;
    switch (s.wiring) {
    case 0:
        return Layout::TwoWire;
    case 1:
        return Layout::ThreeWireSingle;
    case 2:
    case 3:
    case 6:
        return Layout::ThreePhase3Wire;
    default:
        return Layout::ThreePhase4Wire;
    }
}

// A meter with one CT measures one current and assumes the others equal.
bool Balanced(const SimChannelSetup& s)
{
    return !s.branched && (s.wiring == 2 || s.wiring == 4);
}

double Wave(double t, double period, double phase)
{
    return std::sin(2 * kPi * t / period + phase);
}

Phasor Polar(double magnitude, double degrees)
{
    return std::polar(magnitude, degrees * kPi / 180);
}

double DegreesOf(Phasor z)
{
    const double d = std::arg(z) * 180 / kPi;
    return d < 0 ? d + 360 : d;
}

double Normalised(double degrees)
{
    const double d = std::fmod(degrees, 360);
    return d < 0 ? d + 360 : d;
}

// The supply is common to every channel of a device: it depends on time only.
void SetVoltages(const SimChannelSetup& s, Layout layout, double t, SimPhaseValues& v)
{
    auto vary = [&](int k) { return s.simple ? 1.0 : 1 + 0.006 * Wave(t, 23 + 4 * k, 1.1 * k); };
    auto set = [&](int slot, double magnitude, double angle) {
        const auto k = static_cast<size_t>(slot);
        v.voltageSlot[k] = true;
        v.u[k] = magnitude * vary(slot);
        v.uAngle[k] = angle;
    };
    switch (layout) {
    case Layout::TwoWire:
        set(0, s.ratedVoltage, 0);
        break;
    case Layout::ThreeWireSingle:
        set(0, s.ratedVoltage / 2, 0);
        set(std::clamp(s.secondLeg, 1, 2), s.ratedVoltage / 2, 180);
        break;
    case Layout::Branched:
        if (s.wiring == 0) {
            set(0, s.ratedVoltage, 0);
        } else {
            set(0, s.ratedVoltage / 2, 0);
            set(2, s.ratedVoltage / 2, 180);
        }
        break;
    case Layout::ThreePhase3Wire:
    case Layout::ThreePhase4Wire:
        for (int k = 0; k < 3; ++k)
            set(k, s.ratedVoltage / kSqrt3, 120.0 * k);
        break;
    }
}

std::array<bool, 3> CurrentSlots(const SimChannelSetup& s, Layout layout)
{
    switch (layout) {
    case Layout::TwoWire:
        return {true, false, false};
    case Layout::ThreeWireSingle: {
        std::array<bool, 3> slots{true, false, false};
        slots[static_cast<size_t>(std::clamp(s.secondLeg, 1, 2))] = true;
        return slots;
    }
    case Layout::Branched:
        return {true, true, false};
    default:
        return {true, true, true};
    }
}

// The voltage a current slot's power is measured against.
Phasor ReferenceOf(const SimChannelSetup& s, Layout layout, const SimPhaseValues& v, int k)
{
    auto voltage = [&](int slot) {
        const auto i = static_cast<size_t>(slot);
        return Polar(v.u[i], v.uAngle[i]);
    };
    if (layout != Layout::Branched)
        return voltage(k);
    if (s.wiring == 0)
        return voltage(0);
    switch (s.circuitReference[static_cast<size_t>(k)]) {
    case 1:
        return voltage(2);
    case 2:
        return voltage(0) - voltage(2);
    default:
        return voltage(0);
    }
}

void SetCurrents(const SimChannelSetup& s, Layout layout, double t, double hourOfDay,
                 SimPhaseValues& v)
{
    const double profile = SimDailyProfile(hourOfDay);
    auto loadOf = [&](int k) {
        const double wave = 1 + 0.12 * Wave(t, 40, 0.7 * k + s.seed) +
                            0.03 * Wave(t, 7.3, k + 2 * s.seed) + 0.05 * Wave(t, 1200, s.seed);
        return std::clamp(s.load * profile * wave, 0.0, 1.2);
    };
    auto pfOf = [&](int k) {
        if (s.simple)
            return std::clamp(s.powerFactor, 0.0, 1.0);
        return std::clamp(s.powerFactor + 0.015 * Wave(t, 31, 0.9 * k + s.seed), 0.05, 1.0);
    };
    v.currentSlot = CurrentSlots(s, layout);
    Phasor neutral = 0;
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<size_t>(k);
        if (!v.currentSlot[i])
            continue;
        const int shape = Balanced(s) ? 0 : k;
        const double pf = pfOf(shape);
        const double phi = std::acos(pf) * 180 / kPi * (s.leading ? -1 : 1);
        const Phasor reference = ReferenceOf(s, layout, v, k);
        v.i[i] = s.ratedCurrent[i] * loadOf(shape);
        v.iAngle[i] = Normalised(DegreesOf(reference) + phi);
        v.s[i] = std::abs(reference) * v.i[i];
        v.p[i] = v.s[i] * pf;
        v.q[i] = v.s[i] * std::sin(phi * kPi / 180);
        v.pf[i] = pf;
        v.lead[i] = v.q[i] < 0;
        neutral += Polar(v.i[i], v.iAngle[i]);
    }
    // Only a meter with a CT on every live conductor of a 4-wire system knows the neutral.
    const bool measuresNeutral =
        !Balanced(s) && (layout == Layout::ThreePhase4Wire || layout == Layout::ThreeWireSingle);
    v.in = measuresNeutral ? std::abs(neutral) : 0;
}

void SetLineVoltages(Layout layout, SimPhaseValues& v)
{
    if (layout == Layout::TwoWire) {
        v.ull[0] = v.u[0];
        return;
    }
    for (size_t a = 0; a < 3; ++a) {
        const size_t b = (a + 1) % 3;
        if (v.voltageSlot[a] && v.voltageSlot[b])
            v.ull[a] = std::abs(Polar(v.u[a], v.uAngle[a]) - Polar(v.u[b], v.uAngle[b]));
    }
}

void SetTotals(Layout layout, SimPhaseValues& v)
{
    int currents = 0, lines = 0, phases = 0;
    double lineSum = 0, phaseSum = 0;
    for (size_t k = 0; k < 3; ++k) {
        if (v.currentSlot[k]) {
            ++currents;
            v.iTot += v.i[k];
        }
        v.pTot += v.p[k];
        v.qTot += v.q[k];
        if (v.ull[k] > 0) {
            ++lines;
            lineSum += v.ull[k];
        }
        if (v.voltageSlot[k]) {
            ++phases;
            phaseSum += v.u[k];
        }
    }
    const bool threePhase = layout == Layout::ThreePhase3Wire || layout == Layout::ThreePhase4Wire;
    v.iTot = currents ? v.iTot / currents : 0;
    v.uTot = threePhase ? (lines ? lineSum / lines : 0) : (phases ? phaseSum / phases : 0);
    v.sTot = std::hypot(v.pTot, v.qTot);
    v.pfTot = v.sTot > 0 ? v.pTot / v.sTot : 1;
    v.leadTot = v.qTot < 0;
}

} // namespace

double SimDailyProfile(double hourOfDay)
{
    return 1 + 0.25 * std::sin(2 * kPi * (hourOfDay - 8) / 24);
}

SimPhaseValues SimComputePhases(const SimChannelSetup& setup, double seconds, double hourOfDay)
{
    SimPhaseValues v;
    const Layout layout = LayoutOf(setup);
    v.f = setup.frequency + (setup.simple ? 0 : 0.03 * Wave(seconds, 17, 0));
    SetVoltages(setup, layout, seconds, v);
    SetCurrents(setup, layout, seconds, hourOfDay, v);
    SetLineVoltages(layout, v);
    SetTotals(layout, v);
    return v;
}
