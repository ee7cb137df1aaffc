#include "common/failure.h"
#include "design/tables.h"

#include <QtTest>

class TestDesignTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sandRatio_data();
    void sandRatio();
    void sandRatioSizeMustBeNumber();
    void water_data();
    void water();
    void durability_data();
    void durability();
    void gradeRange_data();
    void gradeRange();
};

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

void TestDesignTables::sandRatioSizeMustBeNumber() {
    QVERIFY_THROWS_EXCEPTION(CalcFailure, sandRatioPercent(0.55, QStringLiteral("31.5mm")));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, sandRatioPercent(0.55, QString()));
}

void TestDesignTables::water_data() {
    QTest::addColumn<QString>("slump");
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("water");
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
    QTest::newRow("dry plain") << "干燥环境"
                               << "素混凝土" << 1.0 << 200.0;
    QTest::newRow("dry reinforced") << "干燥环境"
                                    << "钢筋混凝土" << 0.65 << 260.0;
    QTest::newRow("wet no frost") << "潮湿环境无冻害"
                                  << "素混凝土" << 0.70 << 225.0;
    QTest::newRow("frost reinforced") << "潮湿环境有冻害"
                                      << "钢筋混凝土" << 0.55 << 280.0;
    QTest::newRow("de-icing prestressed") << "有冻害和除冰剂的潮湿环境"
                                          << "预应力混凝土" << 0.50 << 300.0;
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

QTEST_GUILESS_MAIN(TestDesignTables)
#include "test_design_tables.moc"
