#include "ui/trialchartview.h"

#include "ui/chartpainter.h"

#include <QPainter>

TrialChartView::TrialChartView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrialChartView::setChart(std::optional<StrengthChart> chart) {
    m_chart = std::move(chart);
    update();
}

void TrialChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_chart)
        ChartPainter(*m_chart).paint(painter, rect());
}
