#include "app/QualityIcons.h"

#include <QPainter>

#include "app/TransferQuality.h"

namespace {
constexpr int kSize = 16;
constexpr int kBars = 3;

QColor LitColour(int lit)
{
    switch (lit) {
    case 1:
        return QColor(0xd9, 0x3a, 0x1e);
    case 2:
        return QColor(0xe8, 0xa3, 0x17);
    default:
        return QColor(0x2e, 0x9e, 0x3f);
    }
}

QPixmap Draw(int lit)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor unlit(0xb8, 0xb8, 0xb8);
    for (int i = 0; i < kBars; ++i) {
        const int height = 5 + i * 5;
        const QRectF bar(1 + i * 5, kSize - height, 4, height);
        p.fillRect(bar, i < lit ? LitColour(lit) : unlit);
    }
    if (lit == 0) {
        // Nothing gets through: a red cross over the empty bars.
        p.setPen(QPen(QColor(0xd0, 0x10, 0x10), 2));
        p.drawLine(QPointF(2, 2), QPointF(9, 9));
        p.drawLine(QPointF(9, 2), QPointF(2, 9));
    }
    return pixmap;
}
} // namespace

QPixmap QualityIcon(int iconId)
{
    const int lit = qBound(0, iconId - kQualityIconNone, kBars);
    return Draw(lit);
}
