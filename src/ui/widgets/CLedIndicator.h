#pragma once

#include <QWidget>

#include "monitor/ChartColours.h"

// The communication lamp: a disc of the owner's colour on the button face,
// as large as the control's shorter side. Colour 0 is a black (dark) lamp.
class CLedIndicator : public QWidget {
    Q_OBJECT
public:
    explicit CLedIndicator(QWidget* parent = nullptr);

    // Repaints only when the colour changes.
    void SetColour(ColorRef colour);
    ColorRef Colour() const { return colour_; }

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef colour_ = 0;
};
