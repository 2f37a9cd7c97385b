#include "widgets/ChartPainting.h"

#include <QFontDatabase>
#include <QFontInfo>

QFont SmallChartFont()
{
    QFont font("Small Fonts");
    font.setPointSize(7);
    if (QFontInfo(font).family().compare("Small Fonts", Qt::CaseInsensitive) == 0)
        return font;
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
    fallback.setPointSize(7);
    return fallback;
}

QPixmap& ChartBuffer(QPixmap& buffer, const QWidget& widget, const QSize& size)
{
    const qreal dpr = widget.devicePixelRatioF();
    const QSize pixels = size * dpr;
    if (buffer.size() != pixels || buffer.devicePixelRatio() != dpr) {
        buffer = QPixmap(pixels);
        buffer.setDevicePixelRatio(dpr);
    }
    return buffer;
}
