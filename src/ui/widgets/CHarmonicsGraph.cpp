#include "widgets/CHarmonicsGraph.h"

#include <QPainter>

#include "monitor/ChartColours.h"
#include "monitor/HarmonicsGraphGeometry.h"
#include "widgets/ChartPainting.h"

namespace {
constexpr int kTextPadding = 2;

QRect ToQRect(const GraphRect& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// Upright text reading from the bottom of its cell upwards.
void DrawRotated(QPainter& p, const GraphRect& cell, const QString& text)
{
    if (text.isEmpty())
        return;
    p.save();
    p.translate(cell.left, cell.bottom);
    p.rotate(-90);
    const QRect rotated(kTextPadding, 0, cell.bottom - cell.top - kTextPadding,
                        cell.right - cell.left);
    p.drawText(rotated, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, text);
    p.restore();
}
} // namespace

CHarmonicsGraph::CHarmonicsGraph(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CHarmonicsGraph::UpdateFrom(const CMeasurandsKTA& image)
{
    HarmonicsGraphData next = data_;
    UpdateHarmonicsFromImage(next, image);
    if (next == data_)
        return;
    data_ = next;
    update();
}

void CHarmonicsGraph::SetRow(int row)
{
    data_.row = row; // shown by the next update, nothing to repaint yet
}

void CHarmonicsGraph::SetHidden(bool hidden)
{
    if (data_.hidden == hidden)
        return;
    data_.hidden = hidden;
    update();
}

void CHarmonicsGraph::SetStep(int step)
{
    step = step == 2 ? 2 : 1;
    if (data_.step == step)
        return;
    data_.step = step;
    update();
}

void CHarmonicsGraph::paintEvent(QPaintEvent*)
{
    // The 31 slots of step 1 share the width without a remainder.
    const int w = HarmonicsGraphWidth(width());
    if (w != width()) {
        if (minimumWidth() == maximumWidth())
            setFixedWidth(w); // placed at a fixed size: keep it fixed, at the cut width
        else
            resize(w, height());
    }
    if (width() <= 0 || height() <= 0)
        return;
    QPixmap& buffer = ChartBuffer(buffer_, *this, size());
    {
        QPainter p(&buffer);
        // Until the cut width has taken effect the rest shows the dialog.
        p.fillRect(rect(), palette().color(QPalette::Window));
        Render(p, w);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void CHarmonicsGraph::Render(QPainter& p, int width) const
{
    const QPalette& pal = palette();
    p.fillRect(QRect(0, 0, width, height()), Qt::white);
    const QFontMetrics fm(font());
    const HarmonicsGraphLayout g = LayOutHarmonicsGraph(
        data_, width, height(), {fm.horizontalAdvance("99"), fm.horizontalAdvance("999.9")});

    p.fillRect(QRect(QPoint(0, g.orderTop), QPoint(g.lineRight, g.bottom)),
               pal.color(QPalette::Button));
    p.setPen(QPen(pal.color(QPalette::ButtonText), 1));
    for (int x : g.verticalLines)
        p.drawLine(x, g.plotTop, x, g.bottom);
    for (int y : g.horizontalLines)
        p.drawLine(0, y, g.lineRight, y);

    const QColor bar = ToQColor(chart_colour::kHarmonicBar);
    p.setFont(font());
    p.setPen(Qt::black);
    for (const HarmonicsSlot& slot : g.orders) {
        DrawRotated(p, slot.orderCell, QString::fromStdString(slot.orderText));
        DrawRotated(p, slot.valueCell, QString::fromStdString(slot.valueText));
        if (slot.hasBar)
            p.fillRect(ToQRect(slot.bar), bar);
    }
}
