#include "adjust/mixadjustment.h"
#include "adjust/regression.h"
#include "adjust/strengthchart.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/numbers.h"
#include "common/scriptedprompter.h"

#include <QTest>
#include <cmath>

// The chart of strength against cement-water ratio, computed from step 4's fields without widgets.
namespace {

// Ratios A, B, C; strengths A, B, C; target.
MapFields stepFour(const QStringList& texts) {
    MapFields fields(MixAdjustment::controlNames());
    const QString names[] = {Tiaozheng::cementWaterA,  Tiaozheng::cementWaterB, Tiaozheng::cementWaterC,
                             Tiaozheng::strengthA,     Tiaozheng::strengthB,    Tiaozheng::strengthC,
                             Tiaozheng::targetStrength};
    for (int i = 0; i < 7; ++i)
        fields.setText(names[i], texts.value(i));
    return fields;
}

bool finiteChart(const StrengthChart& chart) {
    for (const double v :
         {chart.line.a, chart.line.b, chart.r, chart.lineFrom, chart.lineTo, chart.xAxis.from, chart.xAxis.to,
          chart.yAxis.from, chart.yAxis.to, chart.xAxis.step, chart.yAxis.step})
        if (!std::isfinite(v))
            return false;
    return chart.xAxis.to > chart.xAxis.from && chart.yAxis.to > chart.yAxis.from;
}

} // namespace

class TestStrengthChart : public QObject {
    Q_OBJECT

private slots:
    void chart_data();
    void chart();
    void lineAsStepFour_data();
    void lineAsStepFour();
    void axisScale_data();
    void axisScale();
};

// Each row: the fields, the lines the chart describes itself by, and its texts.
void TestStrengthChart::chart_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("described");
    QTest::addColumn<QString>("equation");
    QTest::addColumn<QString>("crossingText");

    QTest::newRow("worked example") << QStringList{"1.69", "1.85", "2.04", "34.2", "39.2", "45.3", "38.2"}
                                    << QStringList{"points=1.69,34.2;1.85,39.2;2.04,45.3",
                                                   "line=-19.4444068651893,31.7263836192774", "target=38.2",
                                                   "crossing=1.81692", "r=0.999970310820233"}
                                    << "f = -19.444 + 31.726·(C/W)"
                                    << "C/W = 1.82  W/C = 0.55";
    QTest::newRow("no target: line without crossing")
        << QStringList{"1.69", "1.85", "2.04", "34.2", "39.2", "45.3", ""}
        << QStringList{"points=1.69,34.2;1.85,39.2;2.04,45.3", "line=-19.4444068651893,31.7263836192774",
                       "r=0.999970310820233"}
        << "f = -19.444 + 31.726·(C/W)"
        << "";
    QTest::newRow("falling strengths: minus sign")
        << QStringList{"1.69", "1.85", "2.04", "45.3", "39.2", "34.2", "40"}
        << QStringList{"points=1.69,45.3;1.85,39.2;2.04,34.2", "line=98.2445179273458,-31.5472318605802",
                       "target=40", "crossing=1.84626", "r=-0.994323661221145"}
        << "f = 98.245 − 31.547·(C/W)"
        << "C/W = 1.85  W/C = 0.54";
    QTest::newRow("crossing at zero: no water-cement ratio")
        << QStringList{"1", "2", "3", "10", "20", "30", "0"}
        << QStringList{"points=1,10;2,20;3,30", "line=0,10", "target=0", "crossing=0", "r=1"}
        << "f = 0.000 + 10.000·(C/W)"
        << "C/W = 0.00";
    QTest::newRow("equal ratios") << QStringList{"1.85", "1.85", "1.85", "34.2", "39.2", "45.3", "38.2"}
                                  << QStringList{"points=1.85,34.2;1.85,39.2;1.85,45.3", "target=38.2",
                                                 "message=三组的灰水比相同，画不出强度与灰水比的直线。"}
                                  << ""
                                  << "";
    QTest::newRow("equal strengths: b = 0")
        << QStringList{"1.69", "1.85", "2.04", "40", "40", "40", "38.2"}
        << QStringList{"points=1.69,40;1.85,40;2.04,40", "target=38.2",
                       "message=三组的28天抗压强度相同，直线没有斜率，求不出配制强度对应的灰水比。"}
        << ""
        << "";
    QTest::newRow("equal strengths: b is rounding noise")
        << QStringList{"1.69", "1.85", "2.04", "39.2", "39.2", "39.2", "38.2"}
        << QStringList{"points=1.69,39.2;1.85,39.2;2.04,39.2", "target=38.2",
                       "message=三组的28天抗压强度相同，直线没有斜率，求不出配制强度对应的灰水比。"}
        << ""
        << "";
    QTest::newRow("symmetric strengths: b = 0")
        << QStringList{"1", "2", "3", "30", "40", "30", "38.2"}
        << QStringList{"points=1,30;2,40;3,30", "target=38.2",
                       "message=回归直线没有斜率（b = 0），求不出配制强度对应的灰水比。"}
        << ""
        << "";
    QTest::newRow("empty ratios")
        << QStringList{"", "", "", "34.2", "39.2", "45.3", "38.2"}
        << QStringList{"points=", "target=38.2",
                       "message=各组灰水比是空的，请先用第4步的“计算”求出三组的灰水比。"}
        << ""
        << "";
    QTest::newRow("one strength missing")
        << QStringList{"1.69", "1.85", "2.04", "34.2", " ", "45.3", "38.2"}
        << QStringList{"points=", "target=38.2", "message=28天抗压强度没有填全，请填入A、B、C三组的强度。"}
        << ""
        << "";
    QTest::newRow("overflowing strengths")
        << QStringList{"1.69", "1.85", "2.04", "1e300", "2e300", "3e300", "38.2"}
        << QStringList{"points=1.69,1E+300;1.85,2E+300;2.04,3E+300", "target=38.2",
                       "message=这些数据求不出回归直线，请检查各组灰水比和28天抗压强度。"}
        << ""
        << "";
}

void TestStrengthChart::chart() {
    QFETCH(QStringList, fields);
    QFETCH(QStringList, described);
    QFETCH(QString, equation);
    QFETCH(QString, crossingText);
    const MapFields given = stepFour(fields);
    const StrengthChart chart = StrengthChart::fromFields(given);
    QCOMPARE(chart.describe(), described);
    QCOMPARE(chart.equationText(), equation);
    QCOMPARE(chart.crossingText(), crossingText);
    QVERIFY(finiteChart(chart));
    if (!chart.hasLine)
        return;
    // The line spans every point, and the crossing when there is one, on axes that hold it all.
    for (const ChartPoint& p : chart.points) {
        QVERIFY(chart.lineFrom < p.x && p.x < chart.lineTo);
        QVERIFY(chart.xAxis.from <= p.x && p.x <= chart.xAxis.to);
        QVERIFY(chart.yAxis.from <= p.y && p.y <= chart.yAxis.to);
    }
    if (chart.crossing && *chart.crossing > 0) {
        QVERIFY(chart.lineFrom < *chart.crossing && *chart.crossing < chart.lineTo);
        QVERIFY(chart.yAxis.from <= *chart.target && *chart.target <= chart.yAxis.to);
    }
}

// The chart's line and crossing are step 4's own: the same fields give the same Text67 and Text68.
void TestStrengthChart::lineAsStepFour_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("worked example") << QStringList{"1.69", "1.85", "2.04", "34.2", "39.2", "45.3", "38.2"};
    QTest::newRow("strength 39.5") << QStringList{"1.69", "1.85", "2.04", "34.2", "39.5", "45.3", "38.2"};
    QTest::newRow("near-equal strengths")
        << QStringList{"1.69", "1.85", "2.04", "40", "40.0000001", "40", "38.2"};
}

void TestStrengthChart::lineAsStepFour() {
    QFETCH(QStringList, fields);
    MapFields given = stepFour(fields);
    const StrengthChart chart = StrengthChart::fromFields(given);
    ScriptedPrompter prompter;
    prompter.queueAnswer(MessageButton::Yes);
    MixAdjustment(given, prompter).regression();
    QVERIFY(chart.crossing.has_value());
    QCOMPARE(formatNumber(*chart.crossing, u"##,##0.00"), given.text(Tiaozheng::referenceCementWater));
    QCOMPARE(formatNumber(*chart.waterCement, u"##,##0.00"), given.text(Tiaozheng::referenceWaterCement));
}

void TestStrengthChart::axisScale_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("step");
    QTest::newRow("ratios") << 1.655 << 2.075 << 1.6 << 2.1 << 0.1;
    QTest::newRow("strengths") << 34.2 << 45.3 << 32.5 << 47.5 << 2.5;
    QTest::newRow("round ends stay") << 0.0 << 50.0 << 0.0 << 50.0 << 10.0;
    QTest::newRow("negative") << -4.46 << 5.54 << -6.0 << 6.0 << 2.0;
    QTest::newRow("no width") << 1.85 << 1.85 << 1.75 << 1.95 << 0.05;
}

void TestStrengthChart::axisScale() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, step);
    const AxisScale scale = AxisScale::around(low, high);
    QCOMPARE(scale.from, from);
    QCOMPARE(scale.to, to);
    QCOMPARE(scale.step, step);
    QCOMPARE(scale.ticks().size(), qsizetype(std::lround((to - from) / step)) + 1);
}

QTEST_APPLESS_MAIN(TestStrengthChart)
#include "test_strength_chart.moc"
