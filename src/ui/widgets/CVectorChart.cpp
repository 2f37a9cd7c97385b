#include "widgets/CVectorChart.h"

#include <QMouseEvent>
#include <QPainter>

#include "monitor/ChartColours.h"
#include "monitor/ModelCodes.h"
#include "monitor/VectorChartGeometry.h"
#include "widgets/ChartPainting.h"
#include "widgets/UiText.h"

CVectorChart::CVectorChart(QWidget* parent) : QWidget(parent), font_(SmallChartFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CVectorChart::UpdateFrom(const CMeasurandsKTA& image)
{
    const VectorChartData next = VectorChartFromImage(image, data_.circuit);
    if (next == data_)
        return;
    data_ = next;
    update();
}

bool CVectorChart::SelectNextCircuit()
{
    if (!AdvanceChartCircuit(data_))
        return false;
    update();
    emit CircuitChanged(data_.circuit);
    return true;
}

void CVectorChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SelectNextCircuit();
    QWidget::mousePressEvent(event);
}

void CVectorChart::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPixmap& buffer = ChartBuffer(buffer_, *this, size());
    {
        QPainter p(&buffer);
        Render(p);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void CVectorChart::Render(QPainter& p) const
{
    using namespace chart_colour;
    const QColor background = ToQColor(kVectorBackground);
    p.fillRect(rect(), background);
    p.setFont(font_);
    const QFontMetrics fm(font_);

    p.setPen(ToQColor(kLeadLagText));
    const QString lead = UiText(kChartLeadTextId);
    const QString lag = UiText(kChartLagTextId);
    p.drawText(kChartTextMargin, fm.ascent(), lead);
    p.drawText(width() - fm.horizontalAdvance(lag) - kChartTextMargin, fm.ascent(), lag);

    const VectorChartLayout layout =
        LayOutVectorChart(data_, width(), height(), {fm.height(), fm.horizontalAdvance("U3")});
    const QPointF centre(layout.cx, layout.cy);
    const int r = layout.radius;
    const QPen axes(ToQColor(kAxes), 1);
    p.setPen(axes);
    p.setBrush(background);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawEllipse(centre, r, r);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(layout.cx, layout.cy - r, layout.cx, layout.cy + r);
    p.drawLine(layout.cx - r, layout.cy, layout.cx + r, layout.cy);

    p.setRenderHint(QPainter::Antialiasing);
    for (const ChartVectorShape& v : layout.vectors) {
        const QColor colour = ToQColor(kVectors[v.vector]);
        const QPointF end(v.end.x, v.end.y);
        p.setPen(QPen(colour, v.penWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(centre, end);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(end, kVectorDotRadius, kVectorDotRadius);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    p.setPen(ToQColor(kVectorLabel));
    for (const ChartVectorShape& v : layout.vectors) {
        if (!v.labelled)
            continue;
        const QString label = UiText(ChartVectorLabelId(v.vector));
        QRectF box(0, 0, fm.horizontalAdvance(label), fm.height());
        box.moveCenter(QPointF(v.labelCentre.x, v.labelCentre.y));
        p.drawText(box, Qt::AlignCenter | Qt::TextDontClip, label);
    }

    if (ModelCode::IsZn(data_.modelCode)) {
        p.setPen(ToQColor(kCircuitText));
        const QString circuit = UiText(ChartCircuitTextId(data_.circuit));
        p.drawText(width() - fm.horizontalAdvance(circuit) - kChartTextMargin,
                   height() - fm.descent() - kChartTextMargin, circuit);
    }
}
