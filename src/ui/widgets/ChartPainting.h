#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include "monitor/ChartColours.h"

// Helpers the owner-drawn monitor controls share.

inline QColor ToQColor(ColorRef colour)
{
    const ChartRgb rgb = RgbFromColorRef(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The small label font of the vector chart: "Small Fonts" at 7 points, or the
// system's small font at that size where that face is not installed.
QFont SmallChartFont();

// The off-screen picture of a control: kept while the control keeps its size
// (and pixel ratio), recreated otherwise. Returns the buffer to paint into.
QPixmap& ChartBuffer(QPixmap& buffer, const QWidget& widget, const QSize& size);
