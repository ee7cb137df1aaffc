#include "trial2011/trialchart2011.h"

#include <algorithm>

StrengthChart trialStrengthChart(const TrialChart2011& in) {
    StrengthChart chart;
    chart.title = QStringLiteral("强度与胶水比关系图");
    chart.xTitle = QStringLiteral("胶水比 B/W");
    chart.yTitle = QStringLiteral("强度 (MPa)");
    chart.ratioName = QStringLiteral("B/W");
    chart.inverseName = QStringLiteral("W/B");
    chart.crossingName = QStringLiteral("采用");
    const QString labels[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (int i = 0; i < 3; ++i)
        chart.points.append({labels[i], in.bw[i], in.strength[i]});
    chart.hasLine = true;
    chart.line = {in.intercept, in.slope};
    chart.r = in.correlation;
    chart.target = in.targetStrength;
    if (in.bwChosen) {
        chart.crossing = in.bwChosen;
        chart.waterCement = 1.0 / *in.bwChosen;
    }
    const auto [xLow, xHigh] = std::minmax_element(in.bw.begin(), in.bw.end());
    chart.lineFrom = *xLow;
    chart.lineTo = *xHigh;
    double from = *xLow;
    double to = *xHigh;
    // The chosen ratio is marked where it lies near the mixes.
    const double span = to - from;
    if (in.bwChosen && *in.bwChosen > from - span && *in.bwChosen < to + span) {
        from = std::min(from, *in.bwChosen);
        to = std::max(to, *in.bwChosen);
    }
    const auto [yLow, yHigh] = std::minmax_element(in.strength.begin(), in.strength.end());
    const double low = std::min({*yLow, in.targetStrength, in.intercept + in.slope * from});
    const double high = std::max({*yHigh, in.targetStrength, in.intercept + in.slope * to});
    chart.xAxis = AxisScale::around(from - 0.05 * span, to + 0.05 * span);
    chart.yAxis = AxisScale::around(low, high);
    return chart;
}
