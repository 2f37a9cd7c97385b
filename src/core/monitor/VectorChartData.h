#pragma once

#include <array>
#include <cstdint>
#include <vector>

class CMeasurandsKTA;

// The phasors of the vector chart in drawing order.
enum ChartVector : int { kU1N = 0, kU2N, kU3N, kI1, kI2, kI3 };
constexpr int kChartVectorCount = 6;

constexpr bool IsVoltageVector(int vector)
{
    return vector < kI1;
}

// What the vector chart shows: per-unit lengths and angles (degrees, 0 up,
// positive clockwise = lagging) of U1N, U2N, U3N, I1, I2, I3.
struct VectorChartData {
    std::array<double, kChartVectorCount> magnitude{};
    std::array<double, kChartVectorCount> angle{};
    std::uint16_t wiringSystem = 0;
    std::uint16_t modelCode = 0;
    // 0-3 = circuit A-D; ZN devices only, always 0 on the others.
    int circuit = 0;

    bool operator==(const VectorChartData&) const = default;
};

// Angle register (fraction of a full turn) in degrees.
double ChartAngleDegrees(std::uint16_t value);

// The chart of an image showing `circuit`. A circuit the wiring does not offer
// falls back to circuit A, so the caption never names data that is not shown.
VectorChartData VectorChartFromImage(const CMeasurandsKTA& image, int circuit);

// Circuits a click steps through, in order (just circuit A except on ZN).
std::vector<int> ChartCircuitSequence(std::uint16_t modelCode, std::uint16_t wiringSystem);
int NextChartCircuit(std::uint16_t modelCode, std::uint16_t wiringSystem, int circuit);
// A click on the chart: moves to the next circuit and clears the lengths, so
// nothing of the previous circuit is drawn until the next update. False when
// the circuit stays (not ZN, or a wiring with one circuit).
bool AdvanceChartCircuit(VectorChartData& data);

// Whether the wiring has the vector at all (wiring 0: U1N and I1 only).
bool ChartDrawsVector(std::uint16_t wiringSystem, std::uint16_t modelCode, int vector);
