#pragma once

#include "adjust/regression.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Fields;

// One axis: from, to and the step between its ticks, all three round numbers.
struct AxisScale {
    double from = 0;
    double to = 1;
    double step = 1;

    // A scale of about `ticks` steps that holds [low, high].
    static AxisScale around(double low, double high, int ticks = 5);
    QList<double> ticks() const;
};

struct ChartPoint {
    QString label;
    double x = 0;
    double y = 0;
};

// The chart of 28-day strength against cement-water ratio, from step 4's fields as they are: the three
// groups, the line step 4's "计算" fits, the target strength and where the line reaches it. Widget free,
// so the window, the PNG and the workbook picture all draw the same chart.
struct StrengthChart {
    QList<ChartPoint> points; // A, B, C; empty when a field of theirs is empty
    bool hasLine = false;
    RegressionLine line;
    double r = 0;
    double lineFrom = 0; // the x range the line is drawn across
    double lineTo = 0;
    std::optional<double> target;      // the target strength, when one is entered
    std::optional<double> crossing;    // the cement-water ratio at the target, as step 4 computes it
    std::optional<double> waterCement; // its reciprocal, when the crossing is not zero
    QString message;                   // why no line is drawn; empty when one is
    AxisScale xAxis;
    AxisScale yAxis;
    // The chart's words: its title, the axes' titles and the names of the ratio and of its reciprocal.
    QString title = QStringLiteral("强度与灰水比关系图");
    QString xTitle = QStringLiteral("灰水比 C/W");
    QString yTitle = QStringLiteral("28天抗压强度 (MPa)");
    QString ratioName = QStringLiteral("C/W");
    QString inverseName = QStringLiteral("W/C");
    QString crossingName = QStringLiteral("交点"); // what the marked ratio is, in the legend

    static StrengthChart fromFields(const Fields& fields);

    // "f = -19.444 + 31.726·(C/W)", "r = 0.999", "C/W = 1.82  W/C = 0.55": the texts the chart shows.
    QString equationText() const;
    QString correlationText() const;
    QString crossingText() const;
    // "points=...", "line=a,b", "target=...", "crossing=...", "r=...", "message=...": one fact a line.
    QStringList describe() const;
};
