#pragma once

#include <QPixmap>
#include <QWidget>

#include "monitor/HarmonicsGraphData.h"

class CMeasurandsKTA;
class QPainter;

// The spectrum of one THD quantity as bars over orders 1-31 (step 1) or over
// order 1 and the odd orders (step 2), with the order and the value in % in
// two bands of upright text below the plot. Its width is cut to a multiple of
// 31 pixels plus 1 when it paints. Painted off-screen and copied in one piece.
class CHarmonicsGraph : public QWidget {
    Q_OBJECT
public:
    explicit CHarmonicsGraph(QWidget* parent = nullptr);

    // Copies the spectrum row of Row() from the image and clears the hidden
    // flag; repaints only when something changed.
    void UpdateFrom(const CMeasurandsKTA& image);

    // The spectrum row (THD row) shown from the next update on.
    void SetRow(int row);
    int Row() const { return data_.row; }
    // While hidden only the grid and the orders are drawn.
    void SetHidden(bool hidden);
    bool Hidden() const { return data_.hidden; }
    // 1: 31 bars; 2: 16 bars (order 1 and the odd orders).
    void SetStep(int step);
    int Step() const { return data_.step; }

    const HarmonicsGraphData& Data() const { return data_; }

    QSize sizeHint() const override { return {31 * 12 + 1, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Render(QPainter& p, int width) const;

    HarmonicsGraphData data_;
    QPixmap buffer_;
};
