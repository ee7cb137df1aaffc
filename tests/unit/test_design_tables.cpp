#include "common/failure.h"
#include "design/tables.h"

#include <QtTest>

class TestDesignTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sandRatio_data();
    void sandRatio();
    void sandRatioEveryCell_data();
    void sandRatioEveryCell();
    void sandRatioSizeMustBeNumber();
    void water_data();
    void water();
    void durability_data();
    void durability();
    void gradeRange_data();
    void gradeRange();
    void listKeys();
    void shownWaterTable();
    void shownSandRatioTable();
};

namespace {

// The standard's tables, written out independently of the program's data.
const char* const kSizes[] = {"16", "20", "31.5", "40"};
const char* const kSlumps[] = {"10-30", "35-50", "55-70", "75-90"};
const double kWater[4][4] = {
    {200, 185, 175, 165}, {210, 195, 185, 175}, {220, 205, 195, 185}, {230, 215, 205, 195}};
// Lowest sand ratio in percent of each row (w from 0.40, 0.50, 0.60, 0.70) by stone size.
const double kSandLowest[4][4] = {{30, 29, 28, 27}, {33, 32, 31, 30}, {36, 35, 34, 33}, {39, 38, 37, 36}};

} // namespace

void TestDesignTables::sandRatio_data() {
    QTest::addColumn<double>("w");
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("percent"); // negative: no row
    QTest::newRow("row 2 at 31.5") << 0.55 << "31.5" << 33.5;
    QTest::newRow("lower bound belongs to row 2") << 0.50 << "16" << 33.0;
    QTest::newRow("row 1 slope is 5") << 0.45 << "20" << 29.25;
    QTest::newRow("just below 0.50") << 0.4999 << "20" << 29.0 + 5 * 0.0999;
    QTest::newRow("row 4 has no upper bound") << 0.85 << "40" << 43.5;
    QTest::newRow("row 3") << 0.60 << "31.5" << 34.0;
    QTest::newRow("below 0.40") << 0.38 << "31.5" << -1.0;
    QTest::newRow("below 0.40 size 16") << 0.3999 << "16" << -1.0;
    QTest::newRow("size 25") << 0.55 << "25" << -1.0;
    QTest::newRow("size as 31.50") << 0.55 << "31.50" << 33.5;
}

void TestDesignTables::sandRatio() {
    QFETCH(double, w);
    QFETCH(QString, size);
    QFETCH(double, percent);
    const auto result = sandRatioPercent(w, size);
    if (percent < 0) {
        QVERIFY(!result);
    } else {
        QVERIFY(result);
        QVERIFY(qFuzzyCompare(*result, percent));
    }
}

// Every cell at its row's lowest ratio and inside the row, where the row's slope shows.
void TestDesignTables::sandRatioEveryCell_data() {
    QTest::addColumn<double>("w");
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("percent");
    const double lower[] = {0.40, 0.50, 0.60, 0.70};
    for (int r = 0; r < 4; ++r) {
        const double slope = r == 0 ? 5 : 50;
        for (int c = 0; c < 4; ++c) {
            const double base = kSandLowest[r][c];
            QTest::addRow("w %.2f at %s", lower[r], kSizes[c]) << lower[r] << kSizes[c] << base;
            QTest::addRow("w %.2f at %s", lower[r] + 0.08, kSizes[c])
                << lower[r] + 0.08 << kSizes[c] << base + slope * 0.08;
        }
    }
}

void TestDesignTables::sandRatioEveryCell() {
    QFETCH(double, w);
    QFETCH(QString, size);
    QFETCH(double, percent);
    const auto result = sandRatioPercent(w, size);
    QVERIFY(result);
    QVERIFY2(qAbs(*result - percent) < 1e-9, qPrintable(QString::number(*result)));
}

void TestDesignTables::sandRatioSizeMustBeNumber() {
    QVERIFY_THROWS_EXCEPTION(CalcFailure, sandRatioPercent(0.55, QStringLiteral("31.5mm")));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, sandRatioPercent(0.55, QString()));
}

void TestDesignTables::water_data() {
    QTest::addColumn<QString>("slump");
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("water");
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            QTest::addRow("%s at %s", kSlumps[r], kSizes[c]) << kSlumps[r] << kSizes[c] << kWater[r][c];
    }
    QTest::newRow("corner") << "10-30"
                            << "16" << 200.0;
    QTest::newRow("initial") << "35-50"
                             << "31.5" << 185.0;
    QTest::newRow("55-70 at 20") << "55-70"
                                 << "20" << 205.0;
    QTest::newRow("last") << "75-90"
                          << "40" << 195.0;
    QTest::newRow("unknown slump") << "100"
                                   << "16" << 195.0;
    QTest::newRow("unknown size") << "10-30"
                                  << "25" << 195.0;
    QTest::newRow("size compared as text") << "10-30"
                                           << "31.50" << 195.0;
}

void TestDesignTables::water() {
    QFETCH(QString, slump);
    QFETCH(QString, size);
    QFETCH(double, water);
    QCOMPARE(waterContent(slump, size), water);
}

void TestDesignTables::durability_data() {
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("reinforcement");
    QTest::addColumn<double>("maxRatio"); // negative: unset
    QTest::addColumn<double>("minCement");
    const char* const environments[] = {"干燥环境", "潮湿环境无冻害", "潮湿环境有冻害",
                                        "有冻害和除冰剂的潮湿环境"};
    const char* const reinforcements[] = {"素混凝土", "钢筋混凝土", "预应力混凝土"};
    // Maximum water-cement ratio and minimum cement by environment row and reinforcement column; a dry plain
    // concrete has no real maximum: 1.
    const double maxRatio[4][3] = {
        {1, 0.65, 0.60}, {0.70, 0.60, 0.60}, {0.55, 0.55, 0.55}, {0.50, 0.50, 0.50}};
    const double minCement[4][3] = {{200, 260, 300}, {225, 280, 300}, {250, 280, 300}, {300, 300, 300}};
    for (int e = 0; e < 4; ++e) {
        for (int r = 0; r < 3; ++r)
            QTest::addRow("%s %s", environments[e], reinforcements[r])
                << QString::fromUtf8(environments[e]) << QString::fromUtf8(reinforcements[r])
                << maxRatio[e][r] << minCement[e][r];
    }
    QTest::newRow("typed environment") << "室内"
                                       << "素混凝土" << -1.0 << 0.0;
    QTest::newRow("typed reinforcement") << "干燥环境"
                                         << "钢筋" << -1.0 << 0.0;
}

void TestDesignTables::durability() {
    QFETCH(QString, environment);
    QFETCH(QString, reinforcement);
    QFETCH(double, maxRatio);
    QFETCH(double, minCement);
    const DurabilityLimits limits = durabilityLimits(environment, reinforcement);
    QCOMPARE(limits.maxWaterCement.has_value(), maxRatio >= 0);
    if (maxRatio >= 0)
        QCOMPARE(*limits.maxWaterCement, maxRatio);
    QCOMPARE(limits.minCement, minCement);
    // Only the dry plain concrete's 1 stands for "不作规定".
    QCOMPARE(limits.waterCementUnregulated,
             environment == QStringLiteral("干燥环境") && reinforcement == QStringLiteral("素混凝土"));
}

void TestDesignTables::gradeRange_data() {
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("sigma");
    QTest::addColumn<double>("threshold"); // negative: no check
    QTest::newRow("below C20") << "低于C20"
                               << "4" << 2.5;
    QTest::newRow("C20-C35") << "C20-C35"
                             << "5" << 3.0;
    QTest::newRow("above C35") << "高于C35"
                               << "6" << 3.0;
    QTest::newRow("typed") << "C40"
                           << "6" << -1.0;
    QTest::newRow("empty") << ""
                           << "6" << -1.0;
}

void TestDesignTables::gradeRange() {
    QFETCH(QString, range);
    QFETCH(QString, sigma);
    QFETCH(double, threshold);
    QCOMPARE(defaultSigmaText(range), sigma);
    const auto t = sigmaThreshold(range);
    QCOMPARE(t.has_value(), threshold >= 0);
    if (t)
        QCOMPARE(*t, threshold);
}

// The main window's lists offer the tables' keys in the standard's order.
void TestDesignTables::listKeys() {
    QCOMPARE(gradeRanges(), QStringList({"低于C20", "C20-C35", "高于C35"}));
    QCOMPARE(slumpRanges(), QStringList({"10-30", "35-50", "55-70", "75-90"}));
    QCOMPARE(stoneSizes(), QStringList({"16", "20", "31.5", "40"}));
    QCOMPARE(environments(),
             QStringList({"干燥环境", "潮湿环境无冻害", "潮湿环境有冻害", "有冻害和除冰剂的潮湿环境"}));
    QCOMPARE(reinforcements(), QStringList({"素混凝土", "钢筋混凝土", "预应力混凝土"}));
}

// As the standard prints it, with the 25 mm column the calculation does not use.
void TestDesignTables::shownWaterTable() {
    const QList<QStringList> expected = {{"坍落度", "16", "20", "25", "31.5", "40"},
                                         {"10~30", "200", "185", "180", "175", "165"},
                                         {"35~50", "210", "195", "190", "185", "175"},
                                         {"55~70", "220", "205", "200", "195", "185"},
                                         {"75~90", "230", "215", "210", "205", "195"}};
    QCOMPARE(waterTableRows(), expected);
}

void TestDesignTables::shownSandRatioTable() {
    const QList<QStringList> expected = {{"水灰比", "16", "20", "31.5", "40"},
                                         {"0.40", "30~35", "29~34", "28~33", "27~32"},
                                         {"0.50", "33~38", "32~37", "31~36", "30~35"},
                                         {"0.60", "36~41", "35~40", "34~39", "33~38"},
                                         {"0.70", "39~44", "38~43", "37~42", "36~41"}};
    QCOMPARE(sandRatioTableRows(), expected);
}

QTEST_GUILESS_MAIN(TestDesignTables)
#include "test_design_tables.moc"
