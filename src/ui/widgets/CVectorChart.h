#pragma once

#include <QPixmap>
#include <QWidget>

#include "monitor/VectorChartData.h"

class CMeasurandsKTA;
class QPainter;

// The phasors of the phase voltages and currents, per unit of the ratings,
// on a grey disc with "<-LEAD" / "LAG->" above it. On ZN devices a left
// click steps through the circuits the wiring has ("Circuit A" ... at the
// bottom right); the lengths stay zero until the next update, which reads the
// new circuit. Painted off-screen and copied in one piece.
class CVectorChart : public QWidget {
    Q_OBJECT
public:
    explicit CVectorChart(QWidget* parent = nullptr);

    // Computes lengths and angles from the image for the shown circuit;
    // repaints only when something changed.
    void UpdateFrom(const CMeasurandsKTA& image);
    // What a left click does; false (and no repaint) when the circuit stays.
    bool SelectNextCircuit();

    const VectorChartData& Data() const { return data_; }
    int Circuit() const { return data_.circuit; }

    QSize sizeHint() const override { return {200, 200}; }

signals:
    void CircuitChanged(int circuit);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Render(QPainter& p) const;

    VectorChartData data_;
    QFont font_;
    QPixmap buffer_;
};
