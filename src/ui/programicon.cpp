#include "ui/programicon.h"

#include <QPainter>
#include <QPixmap>

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(QColor(20, 70, 140));
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const double m = size / 8.0;
        painter.setBrush(QColor(200, 200, 196));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), m / 2, m / 2);
        QFont font = painter.font();
        font.setPixelSize(int(size * 0.55));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(20, 70, 140));
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("配"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
