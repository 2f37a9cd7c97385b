#pragma once

#include <array>

// The phasors of one measuring channel, as a meter on a real feeder sees them,
// and everything derived from them: magnitudes, powers, power factors,
// neutral current and line voltages all come from one set of phasors, so they
// agree with each other the way a real measurement does.
//
// Angles are in degrees from the phase-1 voltage, positive = lagging (the
// clockwise direction of a vector chart).

// How one channel is connected and loaded.
struct SimChannelSetup {
    // Wiring system: 0 single-phase 2-wire, 1 single-phase 3-wire, 2-3 and 6
    // three-phase 3-wire (2 balanced), 4-5 three-phase 4-wire (4 balanced),
    // 16 two circuits branched from a single-phase 3-wire supply. Other values
    // measure as 5.
    int wiring = 5;
    // Wiring 0 with two circuits on one 2-wire supply, in phase slots 1 and 2.
    bool branched = false;
    int secondLeg = 2;                           // 0-based phase slot of the second leg of wiring 1
    std::array<int, 2> circuitReference{};       // wiring 16: 0 = 1-N, 1 = 3-N, 2 = 1-3 per circuit
    std::array<double, 3> ratedCurrent{5, 5, 5}; // A, per current slot
    double ratedVoltage = 110; // V between the outer conductors (the one voltage of wiring 0)
    double frequency = 50;
    double powerFactor = 0.92;
    bool leading = false;
    double load = 0.55;  // mean current as a fraction of the rating
    bool simple = false; // simple measurement: nominal voltage, fixed power factor
    double seed = 0;     // shifts this channel's load waves against other channels
};

struct SimPhaseValues {
    std::array<bool, 3> voltageSlot{}, currentSlot{};
    std::array<double, 3> u{}, uAngle{}; // U1N-U3N
    std::array<double, 3> ull{};         // U12, U23, U31
    std::array<double, 3> i{}, iAngle{};
    std::array<double, 3> p{}, q{}, s{}, pf{};
    std::array<bool, 3> lead{};
    double in = 0, f = 0;
    double iTot = 0, uTot = 0, pTot = 0, qTot = 0, sTot = 0, pfTot = 0;
    bool leadTot = false;
};

// Load relative to its daily mean, by hour of the day (0-24): a working-day
// profile with its peak in the early afternoon.
double SimDailyProfile(double hourOfDay);
// The channel at a moment of device time.
SimPhaseValues SimComputePhases(const SimChannelSetup& setup, double seconds, double hourOfDay);
