#include "ui/chartpainter.h"

#include "common/numbers.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kAxisColour(0x33, 0x33, 0x33);
const QColor kGridColour(0xdd, 0xdd, 0xdd);
const QColor kPointColour(0x1f, 0x5f, 0xbf);
const QColor kLineColour(0xc0, 0x39, 0x2b);
const QColor kTargetColour(0x1e, 0x84, 0x49);
const QColor kCrossingColour(0xe6, 0x7e, 0x22);

// Room around the plot for the title, the ticks and the axis titles.
constexpr double kLeft = 72, kRight = 24, kTop = 44, kBottom = 60;

QFont font(int pixels, bool bold = false) {
    QFont f;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The fewest decimals that show every tick of the step exactly.
int tickDecimals(double step) {
    int decimals = 0;
    while (decimals < 6 &&
           std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    return decimals;
}

} // namespace

QPointF ChartPainter::map(const QRectF& plot, double x, double y) const {
    const AxisScale& xs = m_chart.xAxis;
    const AxisScale& ys = m_chart.yAxis;
    return {plot.left() + (x - xs.from) / (xs.to - xs.from) * plot.width(),
            plot.bottom() - (y - ys.from) / (ys.to - ys.from) * plot.height()};
}

void ChartPainter::paint(QPainter& painter, const QRectF& area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(area, Qt::white);
    painter.setPen(kAxisColour);
    painter.setFont(font(16, true));
    painter.drawText(QRectF(area.left(), area.top() + 8, area.width(), 26), Qt::AlignCenter, m_chart.title);

    const QRectF plot = area.adjusted(kLeft, kTop, -kRight, -kBottom);
    paintAxes(painter, plot);
    if (!m_chart.hasLine && !m_chart.message.isEmpty()) {
        // Why there is no line, in one sentence across the top of the plot, under the points.
        painter.setFont(font(14, true));
        const QRectF box(plot.left() + plot.width() * 0.06, plot.top() + 12, plot.width() * 0.88, 64);
        painter.setPen(kLineColour);
        painter.setBrush(QColor(0xff, 0xf4, 0xe5));
        painter.drawRect(box);
        painter.drawText(box.adjusted(12, 6, -12, -6), Qt::AlignCenter | Qt::TextWordWrap, m_chart.message);
    }
    if (!m_chart.points.isEmpty())
        paintData(painter, plot);
    if (m_chart.hasLine)
        paintLegend(painter, plot);
    painter.restore();
}

void ChartPainter::paintAxes(QPainter& painter, const QRectF& plot) const {
    painter.setFont(font(12));
    const QFontMetricsF metrics(painter.font());
    const int xDecimals = tickDecimals(m_chart.xAxis.step);
    const int yDecimals = tickDecimals(m_chart.yAxis.step);
    for (const double x : m_chart.xAxis.ticks()) {
        const double px = map(plot, x, m_chart.yAxis.from).x();
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        painter.setPen(kAxisColour);
        painter.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 5));
        painter.drawText(QRectF(px - 40, plot.bottom() + 7, 80, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, formatFixed(x, xDecimals));
    }
    for (const double y : m_chart.yAxis.ticks()) {
        const double py = map(plot, m_chart.xAxis.from, y).y();
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter.setPen(kAxisColour);
        painter.drawLine(QPointF(plot.left() - 5, py), QPointF(plot.left(), py));
        painter.drawText(QRectF(plot.left() - 70, py - metrics.height() / 2, 62, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, formatFixed(y, yDecimals));
    }
    painter.setPen(QPen(kAxisColour, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    painter.setFont(font(13, true));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 28, plot.width(), 24), Qt::AlignCenter,
                     m_chart.xTitle);
    painter.save();
    painter.translate(plot.left() - 58, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -12, plot.height(), 24), Qt::AlignCenter, m_chart.yTitle);
    painter.restore();
}

void ChartPainter::paintData(QPainter& painter, const QRectF& plot) const {
    painter.save();
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
    if (m_chart.target) {
        const double py = map(plot, m_chart.xAxis.from, *m_chart.target).y();
        painter.setPen(QPen(kTargetColour, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter.setFont(font(12, true));
        painter.drawText(QRectF(plot.left() + 6, py - 18, plot.width() - 12, 16),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("配制强度 %1 MPa").arg(generalForm(*m_chart.target)));
    }
    if (m_chart.hasLine) {
        const auto at = [this](double x) { return m_chart.line.a + m_chart.line.b * x; };
        painter.setPen(QPen(kLineColour, 2));
        painter.drawLine(map(plot, m_chart.lineFrom, at(m_chart.lineFrom)),
                         map(plot, m_chart.lineTo, at(m_chart.lineTo)));
    }
    if (m_chart.hasLine && m_chart.crossing && m_chart.target) {
        const QPointF c = map(plot, *m_chart.crossing, *m_chart.target);
        if (plot.contains(c)) {
            painter.setPen(QPen(kCrossingColour, 1, Qt::DotLine));
            painter.drawLine(c, QPointF(c.x(), plot.bottom()));
            painter.setPen(QPen(kCrossingColour, 2));
            painter.setBrush(Qt::white);
            painter.drawEllipse(c, 6, 6);
            painter.setFont(font(12, true));
            const bool rightSide = c.x() < plot.center().x();
            const QRectF label =
                rightSide ? QRectF(c.x() + 10, c.y() + 4, 200, 18) : QRectF(c.x() - 210, c.y() + 4, 200, 18);
            painter.drawText(label, (rightSide ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop,
                             m_chart.crossingText());
        }
    }
    painter.setFont(font(13, true));
    for (const ChartPoint& p : m_chart.points) {
        const QPointF c = map(plot, p.x, p.y);
        painter.setPen(QPen(kPointColour, 1.5));
        painter.setBrush(kPointColour);
        painter.drawEllipse(c, 5, 5);
        painter.drawText(QRectF(c.x() - 30, c.y() - 26, 60, 18), Qt::AlignCenter, p.label);
    }
    painter.restore();
}

// The equation, r and the crossing in the corner the line leaves free.
void ChartPainter::paintLegend(QPainter& painter, const QRectF& plot) const {
    QStringList lines{m_chart.equationText(), m_chart.correlationText()};
    if (m_chart.crossing)
        lines.append(m_chart.crossingName + u' ' + m_chart.crossingText());
    painter.setFont(font(13));
    const QFontMetricsF metrics(painter.font());
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QSizeF size(width + 20, metrics.height() * lines.size() + 12);
    const QPointF corner = m_chart.line.b > 0 ? QPointF(plot.left() + 10, plot.top() + 10)
                                              : QPointF(plot.right() - 10 - size.width(), plot.top() + 10);
    const QRectF box(corner, size);
    painter.setPen(kAxisColour);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(
            QRectF(box.left() + 10, box.top() + 6 + i * metrics.height(), width, metrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
}

QByteArray ChartPainter::png(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}
