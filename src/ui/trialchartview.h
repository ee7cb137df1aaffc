#pragma once

#include "adjust/strengthchart.h"

#include <QWidget>
#include <optional>

// The strength chart of the trial window, drawn by the program's chart painting; white while there is none.
class TrialChartView : public QWidget {
public:
    explicit TrialChartView(QWidget* parent = nullptr);

    void setChart(std::optional<StrengthChart> chart);
    const std::optional<StrengthChart>& chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<StrengthChart> m_chart;
};
