#include "adjust/strengthchart.h"

#include "adjust/tiaozheng.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString kNoRatios = QStringLiteral("各组灰水比是空的，请先用第4步的“计算”求出三组的灰水比。");
const QString kNoStrengths = QStringLiteral("28天抗压强度没有填全，请填入A、B、C三组的强度。");
const QString kEqualRatios = QStringLiteral("三组的灰水比相同，画不出强度与灰水比的直线。");
const QString kEqualStrengths =
    QStringLiteral("三组的28天抗压强度相同，直线没有斜率，求不出配制强度对应的灰水比。");
const QString kFlatLine = QStringLiteral("回归直线没有斜率（b = 0），求不出配制强度对应的灰水比。");
const QString kNoFit = QStringLiteral("这些数据求不出回归直线，请检查各组灰水比和28天抗压强度。");

// The sum of squares of x below which step 4's five-decimal rounding makes it zero.
constexpr double kZeroSxx = 0.000005;

bool filled(const Fields& fields, const QString& name) { return !fields.text(name).trimmed().isEmpty(); }

QString fixed3(double v) { return formatNumber(v, u"###0.000"); }

} // namespace

AxisScale AxisScale::around(double low, double high, int ticks) {
    if (!(high > low)) {
        const double half = std::max(std::fabs(low) * 0.05, 0.05);
        low -= half;
        high += half;
    }
    const double rough = (high - low) / std::max(ticks, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude * 10;
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (magnitude * factor >= rough) {
            step = magnitude * factor;
            break;
        }
    }
    AxisScale scale;
    scale.step = step;
    scale.from = std::floor(low / step + 1e-9) * step;
    scale.to = std::ceil(high / step - 1e-9) * step;
    return scale;
}

QList<double> AxisScale::ticks() const {
    QList<double> values;
    const int count = int(std::lround((to - from) / step));
    for (int i = 0; i <= count && i <= 100; ++i)
        values.append(from + i * step);
    return values;
}

StrengthChart StrengthChart::fromFields(const Fields& fields) {
    StrengthChart chart;
    const QString ratioFields[] = {Tiaozheng::cementWaterA, Tiaozheng::cementWaterB, Tiaozheng::cementWaterC};
    const QString strengthFields[] = {Tiaozheng::strengthA, Tiaozheng::strengthB, Tiaozheng::strengthC};
    const QString labels[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    std::array<double, 3> x{}, y{};
    bool ratios = true, strengths = true;
    for (int i = 0; i < 3; ++i) {
        ratios = ratios && filled(fields, ratioFields[i]);
        strengths = strengths && filled(fields, strengthFields[i]);
        x[i] = readLenient(fields.text(ratioFields[i]));
        y[i] = readLenient(fields.text(strengthFields[i]));
    }
    if (filled(fields, Tiaozheng::targetStrength))
        chart.target = readLenient(fields.text(Tiaozheng::targetStrength));

    double xLow = 0, xHigh = 1, yLow = 0, yHigh = 1;
    if (!ratios || !strengths) {
        chart.message = ratios ? kNoStrengths : kNoRatios;
        chart.xAxis = AxisScale::around(xLow, xHigh);
        chart.yAxis = AxisScale::around(yLow, yHigh);
        return chart;
    }
    for (int i = 0; i < 3; ++i)
        chart.points.append({labels[i], x[i], y[i]});
    xLow = *std::min_element(x.begin(), x.end());
    xHigh = *std::max_element(x.begin(), x.end());
    yLow = *std::min_element(y.begin(), y.end());
    yHigh = *std::max_element(y.begin(), y.end());

    try {
        chart.line = fitRegressionLine(x, y);
        // Equal strengths leave b zero or mere rounding noise: no line either way.
        if (yHigh - yLow <= 1e-9 * std::max(1.0, std::fabs(yHigh))) {
            chart.message = kEqualStrengths;
        } else if (chart.line.b == 0) {
            chart.message = kFlatLine;
        } else {
            chart.r = correlation(x, y);
            chart.hasLine = true;
        }
    } catch (const CalcFailure&) {
        const double mean = (x[0] + x[1] + x[2]) / 3;
        double sxx = 0;
        for (const double v : x)
            sxx += (v - mean) * (v - mean);
        chart.message = std::isfinite(sxx) && sxx < kZeroSxx ? kEqualRatios : kNoFit;
    }

    if (chart.hasLine && chart.target) {
        try {
            chart.crossing = regressionCrossing(chart.line, *chart.target);
            if (*chart.crossing != 0)
                chart.waterCement = checked(1 / *chart.crossing);
        } catch (const CalcFailure&) {
            // Far outside any sensible ratio: the chart shows the target without a crossing.
        }
    }

    // The line spans the points and a little beyond, and reaches the crossing when that lies near them.
    const double span = xHigh - xLow;
    if (chart.hasLine) {
        double from = xLow - 0.1 * span, to = xHigh + 0.1 * span;
        if (chart.crossing && *chart.crossing > xLow - span && *chart.crossing < xHigh + span) {
            from = std::min(from, *chart.crossing - 0.05 * span);
            to = std::max(to, *chart.crossing + 0.05 * span);
        }
        chart.lineFrom = from;
        chart.lineTo = to;
        xLow = from;
        xHigh = to;
        for (const double v : {from, to}) {
            const double at = chart.line.a + chart.line.b * v;
            yLow = std::min(yLow, at);
            yHigh = std::max(yHigh, at);
        }
    }
    if (chart.target && std::isfinite(*chart.target) && *chart.target > yLow - (yHigh - yLow) - 1 &&
        *chart.target < yHigh + (yHigh - yLow) + 1) {
        yLow = std::min(yLow, *chart.target);
        yHigh = std::max(yHigh, *chart.target);
    }
    chart.xAxis = AxisScale::around(xLow, xHigh);
    chart.yAxis = AxisScale::around(yLow, yHigh);
    return chart;
}

QString StrengthChart::equationText() const {
    if (!hasLine)
        return {};
    const QString sign = line.b < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ");
    return QStringLiteral("f = ") + fixed3(line.a) + sign + fixed3(std::fabs(line.b)) + QStringLiteral("·(") +
           ratioName + u')';
}

QString StrengthChart::correlationText() const {
    return hasLine ? QStringLiteral("r = ") + fixed3(r) : QString();
}

QString StrengthChart::crossingText() const {
    if (!crossing)
        return {};
    QString text = ratioName + QStringLiteral(" = ") + formatNumber(*crossing, u"##,##0.00");
    if (waterCement)
        text += QStringLiteral("  ") + inverseName + QStringLiteral(" = ") +
                formatNumber(*waterCement, u"##,##0.00");
    return text;
}

QStringList StrengthChart::describe() const {
    QStringList points;
    for (const ChartPoint& p : this->points)
        points.append(generalForm(p.x) + u',' + generalForm(p.y));
    QStringList lines{QStringLiteral("points=") + points.join(u';')};
    if (hasLine)
        lines.append(QStringLiteral("line=") + generalForm(line.a) + u',' + generalForm(line.b));
    if (target)
        lines.append(QStringLiteral("target=") + generalForm(*target));
    if (crossing)
        lines.append(QStringLiteral("crossing=") + generalForm(*crossing));
    if (hasLine)
        lines.append(QStringLiteral("r=") + generalForm(r));
    if (!message.isEmpty())
        lines.append(QStringLiteral("message=") + message);
    return lines;
}
