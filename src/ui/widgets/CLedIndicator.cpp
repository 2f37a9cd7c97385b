#include "widgets/CLedIndicator.h"

#include <QPainter>

#include "widgets/ChartPainting.h"

CLedIndicator::CLedIndicator(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CLedIndicator::SetColour(ColorRef colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

void CLedIndicator::paintEvent(QPaintEvent*)
{
    // Small enough to need no off-screen copy: the backing store already
    // shows the fill and the disc together.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const int d = std::min(width(), height());
    if (d <= 0)
        return;
    QRectF disc(0, 0, d, d);
    disc.moveCenter(QRectF(rect()).center());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(colour_));
    p.drawEllipse(disc);
}
