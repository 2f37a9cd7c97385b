#pragma once

#include <vector>

#include "monitor/VectorChartData.h"

// Pixel rules of the vector chart, kept apart from painting.

struct ChartPointF {
    double x = 0.0;
    double y = 0.0;
};

// Text sizes in the chart's font.
struct VectorChartMetrics {
    int textHeight = 0;
    int u3Width = 0; // width of "U3", the widest label stem
};

constexpr int kVectorDotRadius = 4;
constexpr int kVoltagePenWidth = 4;
constexpr int kCurrentPenWidth = 3;
// "<-LEAD" at the top left, "LAG->" at the top right, the circuit at the
// bottom right: this far from the edges.
constexpr int kChartTextMargin = 2;

// R = min(cx, cy) - 2 x max(text height, width of "U3"), leaving room for the
// labels beyond the circle; never below 0 on a control too small for it.
int VectorChartRadius(int cx, int cy, const VectorChartMetrics& metrics);

// The point `length` away from the centre at `degrees` (0 up, clockwise).
ChartPointF ChartPolarPoint(double cx, double cy, double length, double degrees);

struct ChartVectorShape {
    int vector = kU1N;
    int penWidth = kVoltagePenWidth;
    ChartPointF end;
    // A vector of length 0 gets no label, only its dot at the centre.
    bool labelled = false;
    ChartPointF labelCentre;
};

struct VectorChartLayout {
    int cx = 0;
    int cy = 0;
    int radius = 0;
    // The vectors the wiring has, in drawing order.
    std::vector<ChartVectorShape> vectors;
};

VectorChartLayout LayOutVectorChart(const VectorChartData& data, int width, int height,
                                    const VectorChartMetrics& metrics);

// String ids of the texts the chart writes.
constexpr int kChartLeadTextId = 20100; // "<-LEAD"
constexpr int kChartLagTextId = 20101;  // "LAG->"
constexpr int ChartVectorLabelId(int vector)
{
    return 20102 + vector; // "U1N" ... "I3"
}
constexpr int ChartCircuitTextId(int circuit)
{
    return 6000 + circuit; // "Circuit A" ... "Circuit D"
}
