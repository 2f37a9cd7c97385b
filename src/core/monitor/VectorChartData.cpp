#include "monitor/VectorChartData.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "monitor/CMeasurandsKTA.h"
#include "monitor/ModelCodes.h"

namespace {
constexpr int kVoltageItem = 15;        // U1N-U3N
constexpr int kCurrentItem = 8;         // I1-I3 of the first system
constexpr int kSecondCurrentItem = 41;  // I1-I3 of the second system (ZN)
constexpr int kCircuitWiringItem = 386; // wiring of circuits A-D: 0 "1-N", 1 "3-N", 2 "1-3"
constexpr int kNone = -1;

// Where each vector comes from: an index into the image's angle blocks and,
// for the currents, an item; kNone leaves the vector at zero.
struct VectorSources {
    std::array<int, kChartVectorCount> angle{kNone, kNone, kNone, kNone, kNone, kNone};
    std::array<int, 3> currentItem{kNone, kNone, kNone};
};

// Blocks A (angles 0-5) and B (6-11) hold I1, U1N, I2, U2N, I3, U3N.
VectorSources FullSet(int block, int firstCurrentItem)
{
    const int b = block * 6;
    return {{b + 1, b + 3, b + 5, b + 0, b + 2, b + 4},
            {firstCurrentItem, firstCurrentItem + 1, firstCurrentItem + 2}};
}

// One current of a single-phase circuit against U1N and U3N of its system.
VectorSources OneCurrent(int block, int currentAngle, int currentItem)
{
    VectorSources s;
    s.angle[kU1N] = block * 6 + 1;
    s.angle[kU3N] = block * 6 + 5;
    s.angle[kI1] = currentAngle;
    s.currentItem[0] = currentItem;
    return s;
}

VectorSources ZnSources(std::uint16_t wiring, int circuit)
{
    switch (wiring) {
    case 0:
    case 16: {
        constexpr int angles[4] = {0, 2, 6, 8};
        constexpr int items[4] = {kCurrentItem, kCurrentItem + 1, kSecondCurrentItem,
                                  kSecondCurrentItem + 1};
        return OneCurrent(circuit < 2 ? 0 : 1, angles[circuit], items[circuit]);
    }
    case 1:
    case 3:
    case 5:
        return circuit == 2 ? FullSet(1, kSecondCurrentItem) : FullSet(0, kCurrentItem);
    case 17:
        if (circuit == 0)
            return FullSet(0, kCurrentItem);
        return OneCurrent(1, circuit == 2 ? 6 : 8,
                          circuit == 2 ? kSecondCurrentItem : kSecondCurrentItem + 1);
    default:
        // Wirings a ZN device does not offer: the system the circuit belongs to.
        return circuit < 2 ? FullSet(0, kCurrentItem) : FullSet(1, kSecondCurrentItem);
    }
}

double PerUnit(std::int32_t value, double divisor, std::int32_t rating)
{
    return rating > 0 ? value / divisor / rating : 0.0;
}

void ApplySources(VectorChartData& d, const CMeasurandsKTA& image, const VectorSources& s,
                  std::int32_t currentRating)
{
    for (int v = 0; v < kChartVectorCount; ++v) {
        d.angle[v] = s.angle[v] == kNone ? 0.0 : ChartAngleDegrees(image.angles[s.angle[v]]);
        if (s.angle[v] == kNone)
            d.magnitude[v] = 0.0;
    }
    for (int i = 0; i < 3; ++i) {
        const int item = s.currentItem[i];
        d.magnitude[kI1 + i] =
            item == kNone ? 0.0 : PerUnit(image.items[item], 1000.0, currentRating);
    }
}

// One CT on a balanced load: the other phases are the first one turned by a
// third of a turn.
void Balance(VectorChartData& d)
{
    d.angle[kU2N] = d.angle[kU1N] + 120.0;
    d.angle[kU3N] = d.angle[kU1N] + 240.0;
    d.angle[kI2] = d.angle[kI1] + 120.0;
    d.angle[kI3] = d.angle[kI1] + 240.0;
}

// Simple measurement reports no angles, only a power factor: the chart shows
// the ideal phase voltages with each current lagging by arccos(PF).
void SimpleMeasurement(VectorChartData& d, const CMeasurandsKTA& image)
{
    // A device value past 1 must not reach arccos.
    const double pf = std::clamp(image.modelWords[1] / 10000.0, -1.0, 1.0);
    const double phi = std::acos(pf) * 180.0 / std::numbers::pi;
    const std::uint16_t wiring = d.wiringSystem;
    const bool singlePhase = wiring == 0 || wiring == 1 || wiring == 16 || wiring == 17;
    const bool threePhase = wiring >= 2 && wiring <= 5;
    if (singlePhase) {
        d.angle[kU1N] = 0.0;
        d.angle[kU2N] = 0.0;
        d.angle[kU3N] = -180.0;
    } else if (threePhase) {
        d.angle[kU1N] = 0.0;
        d.angle[kU2N] = 120.0;
        d.angle[kU3N] = 240.0;
    }
    if (wiring == 0) {
        d.angle[kI1] = d.angle[kI2] = d.angle[kI3] = phi;
    } else if (threePhase) {
        for (int i = 0; i < 3; ++i)
            d.angle[kI1 + i] = d.angle[kU1N + i] + phi;
    } else if (wiring == 1 || (wiring == 17 && d.circuit == 0)) {
        d.angle[kI1] = phi + d.angle[kU1N];
        d.angle[kI2] = 0.0;
        d.angle[kI3] = phi + d.angle[kU3N];
    } else if (wiring == 16 || wiring == 17) {
        // The circuit's wiring word says which phase it hangs on (1 = "3-N").
        const bool onPhase3 = image.items[kCircuitWiringItem + d.circuit] == 1;
        d.angle[kI1] = phi + (onPhase3 ? d.angle[kU3N] : d.angle[kU1N]);
        d.angle[kI2] = 0.0;
        d.angle[kI3] = 0.0;
    }
    const double reference = d.angle[kU1N];
    for (int v = kU2N; v < kChartVectorCount; ++v)
        d.angle[v] -= reference;
    d.angle[kU1N] = 0.0;
}

int ShownCircuit(std::uint16_t modelCode, std::uint16_t wiring, int circuit)
{
    const std::vector<int> sequence = ChartCircuitSequence(modelCode, wiring);
    return std::find(sequence.begin(), sequence.end(), circuit) != sequence.end() ? circuit : 0;
}
} // namespace

double ChartAngleDegrees(std::uint16_t value)
{
    return value * 360.0 / 65536.0;
}

VectorChartData VectorChartFromImage(const CMeasurandsKTA& image, int circuit)
{
    VectorChartData d;
    d.wiringSystem = image.wiringSystem;
    d.modelCode = image.modelCode;
    d.circuit = ShownCircuit(image.modelCode, image.wiringSystem, circuit);
    for (int i = 0; i < 3; ++i)
        d.magnitude[kU1N + i] = PerUnit(image.items[kVoltageItem + i], 100.0, image.ratedVoltage);
    if (ModelCode::IsZn(image.modelCode))
        ApplySources(d, image, ZnSources(d.wiringSystem, d.circuit),
                     image.circuitRatings[d.circuit]);
    else
        ApplySources(d, image, FullSet(0, kCurrentItem), image.ratedCurrent);
    if (d.wiringSystem == 2 || d.wiringSystem == 4)
        Balance(d);
    if (image.modelWords[0] == 1)
        SimpleMeasurement(d, image);
    return d;
}

std::vector<int> ChartCircuitSequence(std::uint16_t modelCode, std::uint16_t wiringSystem)
{
    if (!ModelCode::IsZn(modelCode))
        return {0};
    switch (wiringSystem) {
    case 1:
    case 3:
        return {0, 2};
    case 5:
        return {0};
    case 17:
        return {0, 2, 3};
    default:
        return {0, 1, 2, 3};
    }
}

int NextChartCircuit(std::uint16_t modelCode, std::uint16_t wiringSystem, int circuit)
{
    const std::vector<int> sequence = ChartCircuitSequence(modelCode, wiringSystem);
    const auto it = std::find(sequence.begin(), sequence.end(), circuit);
    if (it == sequence.end() || it + 1 == sequence.end())
        return sequence.front();
    return *(it + 1);
}

bool AdvanceChartCircuit(VectorChartData& data)
{
    const int next = NextChartCircuit(data.modelCode, data.wiringSystem, data.circuit);
    if (next == data.circuit)
        return false;
    data.circuit = next;
    data.magnitude.fill(0.0);
    return true;
}

bool ChartDrawsVector(std::uint16_t wiringSystem, std::uint16_t modelCode, int vector)
{
    if (wiringSystem == 0)
        return vector == kU1N || vector == kI1;
    if (wiringSystem == 1 && modelCode == ModelCode::kKta)
        return vector == kU1N || vector == kU2N || vector == kI1 || vector == kI2;
    if (wiringSystem == 1 && modelCode == ModelCode::kKtb)
        return vector == kU1N || vector == kU3N || vector == kI1 || vector == kI3;
    return vector >= 0 && vector < kChartVectorCount;
}
