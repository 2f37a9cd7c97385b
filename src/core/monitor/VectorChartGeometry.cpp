#include "monitor/VectorChartGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int VectorChartRadius(int cx, int cy, const VectorChartMetrics& metrics)
{
    const int r = std::min(cx, cy) - 2 * std::max(metrics.textHeight, metrics.u3Width);
    return std::max(r, 0);
}

ChartPointF ChartPolarPoint(double cx, double cy, double length, double degrees)
{
    const double t = degrees * std::numbers::pi / 180.0;
    return {cx + length * std::sin(t), cy - length * std::cos(t)};
}

VectorChartLayout LayOutVectorChart(const VectorChartData& data, int width, int height,
                                    const VectorChartMetrics& metrics)
{
    VectorChartLayout layout;
    layout.cx = std::max(width, 0) / 2;
    layout.cy = std::max(height, 0) / 2;
    layout.radius = VectorChartRadius(layout.cx, layout.cy, metrics);
    const double r = layout.radius;
    for (int v = 0; v < kChartVectorCount; ++v) {
        if (!ChartDrawsVector(data.wiringSystem, data.modelCode, v))
            continue;
        ChartVectorShape shape;
        shape.vector = v;
        const bool voltage = IsVoltageVector(v);
        shape.penWidth = voltage ? kVoltagePenWidth : kCurrentPenWidth;
        const double angle = data.angle[v];
        shape.end = ChartPolarPoint(layout.cx, layout.cy, r * data.magnitude[v], angle);
        shape.labelled = data.magnitude[v] != 0.0;
        const double labelDistance =
            r + (voltage ? 1.5 * metrics.textHeight : metrics.textHeight / 2.0);
        shape.labelCentre = ChartPolarPoint(layout.cx, layout.cy, labelDistance, angle);
        layout.vectors.push_back(shape);
    }
    return layout;
}
