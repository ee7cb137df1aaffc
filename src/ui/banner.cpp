#include "ui/banner.h"

#include <QLinearGradient>
#include <QPainter>

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("程序主页"));
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, width(), height());
    band.setColorAt(0, QColor(20, 70, 140));
    band.setColorAt(1, QColor(60, 130, 200));
    painter.fillRect(rect(), band);
    painter.setPen(Qt::white);
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(font().pointSizeF() * 1.3);
    painter.setFont(big);
    painter.drawText(rect().adjusted(8, 4, -8, -height() / 2), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("混凝土配合比设计"));
    painter.setFont(font());
    painter.drawText(rect().adjusted(8, height() / 2, -8, -4), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("JGJ 55-2000 · 试验室计算工具"));
}
