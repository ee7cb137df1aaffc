#pragma once

#include "adjust/strengthchart.h"
#include "common/installpaths.h"

#include <QWidget>

class CommandGuard;
class Prompter;
class QPushButton;

// The chart window `Form8` "强度与灰水比关系图": the strength chart of step 4 as it was when "作图" was
// pressed, and "保存图片" (`Command1`) to save it as PNG.
class ChartWindow : public QWidget {
public:
    ChartWindow(Prompter& prompter, InstallPaths paths, const CommandGuard& guarded,
                QWidget* parent = nullptr);

    // Draws this chart from now on.
    void setChart(const StrengthChart& chart);
    const StrengthChart& chart() const { return m_chart; }

    void Command1_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect chartArea() const;

    Prompter& m_prompter;
    InstallPaths m_paths;
    StrengthChart m_chart;
    QPushButton* m_save;
};
