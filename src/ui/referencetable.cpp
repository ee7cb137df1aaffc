#include "ui/referencetable.h"

#include <QPainter>

ReferenceTable::ReferenceTable(const QString& title, const QList<QStringList>& rows, QWidget* parent)
    : QWidget(parent), m_title(title), m_rows(rows) {}

void ReferenceTable::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(40, 40, 40));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_rows.isEmpty())
        return;

    const int titleHeight = height() / (m_rows.size() + 1);
    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.drawText(QRect(0, 0, width(), titleHeight), Qt::AlignCenter, m_title);
    painter.setFont(font());

    const int columns = int(m_rows.first().size());
    const double cellWidth = double(width() - 1) / columns;
    const double cellHeight = double(height() - 1 - titleHeight) / m_rows.size();
    for (int r = 0; r < m_rows.size(); ++r) {
        for (int c = 0; c < columns && c < m_rows[r].size(); ++c) {
            const QRectF cell(c * cellWidth, titleHeight + r * cellHeight, cellWidth, cellHeight);
            if (r == 0 || c == 0)
                painter.fillRect(cell, QColor(232, 238, 246));
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, m_rows[r][c]);
        }
    }
}
