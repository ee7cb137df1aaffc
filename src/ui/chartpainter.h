#pragma once

#include "adjust/strengthchart.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>

class QPainter;

// Draws the strength chart onto any paint device: the chart window, the PNG it saves and the picture of the
// adjustment workbooks are the same drawing.
class ChartPainter {
public:
    explicit ChartPainter(const StrengthChart& chart) : m_chart(chart) {}

    // The whole chart, title to axis titles, inside `area` (device pixels at 96 dpi).
    void paint(QPainter& painter, const QRectF& area) const;
    // The chart on a white picture of the given size, as PNG; empty when it cannot be encoded.
    QByteArray png(QSize size = defaultSize()) const;

    static QSize defaultSize() { return {800, 560}; }

private:
    void paintAxes(QPainter& painter, const QRectF& plot) const;
    void paintData(QPainter& painter, const QRectF& plot) const;
    void paintLegend(QPainter& painter, const QRectF& plot) const;
    QPointF map(const QRectF& plot, double x, double y) const;

    const StrengthChart& m_chart;
};
