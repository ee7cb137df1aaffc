#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/design2011controls.h"
#include "design2011/design2011form.h"
#include "design2011/standard2011.h"
#include "support/design2011example.h"

#include <QtTest>

namespace D = Design2011;

// The JGJ 55-2011 design: the standard's tables cell by cell, the interpolations, the window's commands over
// plain fields with the worked examples, every refusal and both verdicts of every check.
class TestDesign2011 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sigmaAndCement();
    void influence_data();
    void influence();
    void water_data();
    void water();
    void sandRatio_data();
    void sandRatio();
    void limits();
    void minimumBinderRows_data();
    void minimumBinderRows();
    void mineralTables();

    void initialTexts();
    void refills();
    void workedExamples_data();
    void workedExamples();
    void trialTable();
    void volumeMethod();
    void refusals_data();
    void refusals();
    void checks_data();
    void checks();
    void calculationState();
    void sigmaFloorRaises_data();
    void sigmaFloorRaises();
    void listsFollowEnums();
    void resultsFollowInputs();
    void sideTrialWithoutRoom();
    void setInputsKeepsSavedRefills();
    void fullWidthInputs_data();
    void fullWidthInputs();
};

namespace {

// A loaded form over plain fields; refusals are answered and recorded.
struct Window {
    MapFields fields{design2011FieldNames()};
    ScriptedPrompter prompter;
    Design2011Form form{fields, prompter};
    Window() { form.load(QDate(2026, 12, 8)); }

    // Sets inputs as "name=text" pairs (boxes "on"/"off"), refilling as the window does.
    void set(const QStringList& assignments) {
        for (const QString& assignment : assignments) {
            const qsizetype eq = assignment.indexOf(u'=');
            const QString name = assignment.left(eq);
            fields.setText(name, assignment.mid(eq + 1));
            if (name == D::grade || name == D::sigmaFromStatistics)
                form.gradeChanged();
            else if (name == D::cementClass)
                form.cementClassChanged();
            else if (name == D::flyAshPercent)
                form.flyAshChanged();
            else if (name == D::slagPercent || name == D::slagGrade)
                form.slagChanged();
            else if (name == D::maxSize)
                form.maxSizeChanged();
            else if (name == D::environment)
                form.environmentChanged();
            form.inputChanged();
        }
    }
    bool calculate() {
        prompter.queueAnswer(MessageButton::Ok);
        const bool done = form.calculate();
        if (done)
            prompter.clearRecord();
        return done;
    }
    QString refusal() const {
        return prompter.messages().isEmpty() ? QString() : prompter.messages().last().text;
    }
};

} // namespace

void TestDesign2011::sigmaAndCement() {
    const int grades[] = {10, 15, 20, 25, 30, 35, 40, 45, 50, 55};
    const double sigmas[] = {4, 4, 4, 5, 5, 5, 5, 5, 6, 6};
    const double floors[] = {3, 3, 3, 3, 3, 4, 4, 4, 4, 4};
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(tableSigma(grades[i]), sigmas[i]);
        QCOMPARE(sigmaFloor(grades[i]), floors[i]);
    }
    QCOMPARE(cementSurplusFactor(32.5).value(), 1.12);
    QCOMPARE(cementSurplusFactor(42.5).value(), 1.16);
    QCOMPARE(cementSurplusFactor(52.5).value(), 1.10);
    QVERIFY(!cementSurplusFactor(62.5));
}

void TestDesign2011::influence_data() {
    QTest::addColumn<bool>("flyAsh");
    QTest::addColumn<double>("dosage");
    QTest::addColumn<double>("lower"); // negative: outside the table
    QTest::addColumn<double>("upper");
    const double fly[][3] = {{0, 1, 1}, {10, .85, .95}, {20, .75, .85}, {30, .65, .75}, {40, .55, .65}};
    for (const auto& row : fly)
        QTest::addRow("fly ash %g", row[0]) << true << row[0] << row[1] << row[2];
    const double slag[][3] = {{0, 1, 1},    {10, 1, 1},     {20, .95, 1},
                              {30, .90, 1}, {40, .80, .90}, {50, .70, .85}};
    for (const auto& row : slag)
        QTest::addRow("slag %g", row[0]) << false << row[0] << row[1] << row[2];
    QTest::newRow("fly ash 15 between rows") << true << 15.0 << 0.80 << 0.90;
    QTest::newRow("fly ash 37.5") << true << 37.5 << 0.575 << 0.675;
    QTest::newRow("slag 15") << false << 15.0 << 0.975 << 1.0;
    QTest::newRow("slag 45") << false << 45.0 << 0.75 << 0.875;
    QTest::newRow("fly ash past the table") << true << 40.01 << -1.0 << -1.0;
    QTest::newRow("slag past the table") << false << 50.5 << -1.0 << -1.0;
    QTest::newRow("negative") << true << -1.0 << -1.0 << -1.0;
}

void TestDesign2011::influence() {
    QFETCH(bool, flyAsh);
    QFETCH(double, dosage);
    QFETCH(double, lower);
    QFETCH(double, upper);
    const std::optional<Range> range = flyAsh ? flyAshInfluence(dosage) : slagInfluence(dosage);
    if (lower < 0) {
        QVERIFY(!range);
        return;
    }
    QVERIFY(range);
    QVERIFY(qAbs(range->lower - lower) < 1e-12);
    QVERIFY(qAbs(range->upper - upper) < 1e-12);
}

void TestDesign2011::water_data() {
    QTest::addColumn<double>("slump");
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("water");
    const double table[4][4] = {
        {200, 185, 175, 165}, {210, 195, 185, 175}, {220, 205, 195, 185}, {230, 215, 205, 195}};
    const double sizes[] = {16, 20, 31.5, 40};
    const double slumps[][2] = {{10, 30}, {35, 50}, {55, 70}, {75, 90}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (double slump : slumps[row])
                QTest::addRow("%g mm at %g", slump, sizes[column])
                    << slump << sizes[column] << table[row][column];
    QTest::newRow("band edge 31 is the second row") << 31.0 << 20.0 << 195.0;
    QTest::newRow("size 25 between 20 and 31.5") << 80.0 << 25.0 << 215.0 - 10.0 * 5.0 / 11.5;
    QTest::newRow("180 mm: 90 mm + 22.5") << 180.0 << 20.0 << 237.5;
    QTest::newRow("250 mm at 40") << 250.0 << 40.0 << 235.0;
}

void TestDesign2011::water() {
    QFETCH(double, slump);
    QFETCH(double, size);
    QFETCH(double, water);
    QVERIFY(qAbs(waterBeforeReduction(slump, size) - water) < 1e-9);
}

void TestDesign2011::sandRatio_data() {
    QTest::addColumn<double>("wb");
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("lower"); // negative: no value
    const double table[4][3] = {{30, 29, 27}, {33, 32, 30}, {36, 35, 33}, {39, 38, 36}};
    const double rows[] = {0.40, 0.50, 0.60, 0.70};
    const double sizes[] = {16, 20, 40};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column)
            QTest::addRow("%g at %g", rows[row], sizes[column])
                << rows[row] << sizes[column] << table[row][column];
    QTest::newRow("size 25") << 0.50 << 25.0 << 31.5;
    QTest::newRow("size 31.5") << 0.60 << 31.5 << 33.85;
    QTest::newRow("W/B between rows") << 0.55 << 20.0 << 33.5;
    QTest::newRow("W/B and size between") << 0.55 << 25.0 << 33.0;
    QTest::newRow("above 0.70 keeps the last row") << 0.85 << 16.0 << 39.0;
    QTest::newRow("below 0.40") << 0.39 << 20.0 << -1.0;
}

void TestDesign2011::sandRatio() {
    QFETCH(double, wb);
    QFETCH(double, size);
    QFETCH(double, lower);
    const std::optional<Range> range = sandRatioRange(wb, size);
    if (lower < 0) {
        QVERIFY(!range);
        return;
    }
    QVERIFY(range);
    QVERIFY2(qAbs(range->lower - lower) < 1e-9, qPrintable(QString::number(range->lower)));
    QVERIFY(qAbs(range->upper - range->lower - 5.0) < 1e-9);
    QCOMPARE(sandRatioSlumpCorrection(60), 0.0);
    QCOMPARE(sandRatioSlumpCorrection(180), 6.0);
}

void TestDesign2011::limits() {
    const struct {
        Environment environment;
        double maxWb, maxWbAir;
        int lowest, lowestAir;
    } rows[] = {{Environment::One, 0.60, 0.60, 20, 20},
                {Environment::TwoA, 0.55, 0.55, 25, 25},
                {Environment::TwoB, 0.50, 0.55, 30, 25},
                {Environment::ThreeA, 0.45, 0.50, 35, 30},
                {Environment::ThreeB, 0.40, 0.40, 40, 40}};
    for (const auto& row : rows) {
        QCOMPARE(environmentLimit(row.environment, false).maxWb, row.maxWb);
        QCOMPARE(environmentLimit(row.environment, true).maxWb, row.maxWbAir);
        QCOMPARE(environmentLimit(row.environment, false).lowestGrade, row.lowest);
        QCOMPARE(environmentLimit(row.environment, true).lowestGrade, row.lowestAir);
    }
    QVERIFY(exemptFromMinimumBinder(10));
    QVERIFY(exemptFromMinimumBinder(15));
    QVERIFY(!exemptFromMinimumBinder(20));
}

void TestDesign2011::minimumBinderRows_data() {
    QTest::addColumn<double>("wb");
    QTest::addColumn<double>("plain");
    QTest::addColumn<double>("reinforced");
    QTest::addColumn<double>("prestressed");
    QTest::newRow("0.70") << 0.70 << 250.0 << 280.0 << 300.0;
    QTest::newRow("0.60") << 0.60 << 250.0 << 280.0 << 300.0;
    QTest::newRow("0.56") << 0.56 << 250.0 << 280.0 << 300.0;
    QTest::newRow("0.55") << 0.55 << 280.0 << 300.0 << 300.0;
    QTest::newRow("0.51") << 0.51 << 280.0 << 300.0 << 300.0;
    QTest::newRow("0.50") << 0.50 << 320.0 << 320.0 << 320.0;
    QTest::newRow("0.46") << 0.46 << 320.0 << 320.0 << 320.0;
    QTest::newRow("0.45") << 0.45 << 330.0 << 330.0 << 330.0;
    QTest::newRow("0.30") << 0.30 << 330.0 << 330.0 << 330.0;
}

void TestDesign2011::minimumBinderRows() {
    QFETCH(double, wb);
    QFETCH(double, plain);
    QFETCH(double, reinforced);
    QFETCH(double, prestressed);
    QCOMPARE(minimumBinder(wb, Structure::Plain), plain);
    QCOMPARE(minimumBinder(wb, Structure::Reinforced), reinforced);
    QCOMPARE(minimumBinder(wb, Structure::Prestressed), prestressed);
}

void TestDesign2011::mineralTables() {
    QVERIFY(!mineralLimits(Structure::Plain, CementKind::Portland, 0.3));
    // Portland / ordinary at W/B <= 0.40 and > 0.40: fly ash, slag, composite.
    const struct {
        Structure structure;
        double wb;
        double portland[3];
        double ordinary[3];
    } rows[] = {{Structure::Reinforced, 0.40, {45, 65, 65}, {35, 55, 55}},
                {Structure::Reinforced, 0.41, {40, 55, 55}, {30, 45, 45}},
                {Structure::Prestressed, 0.40, {35, 55, 55}, {30, 45, 45}},
                {Structure::Prestressed, 0.41, {25, 45, 45}, {20, 35, 35}}};
    for (const auto& row : rows) {
        const MineralLimits p = mineralLimits(row.structure, CementKind::Portland, row.wb).value();
        const MineralLimits o = mineralLimits(row.structure, CementKind::Ordinary, row.wb).value();
        QCOMPARE(p.flyAsh, row.portland[0]);
        QCOMPARE(p.slag, row.portland[1]);
        QCOMPARE(p.composite, row.portland[2]);
        QCOMPARE(o.flyAsh, row.ordinary[0]);
        QCOMPARE(o.slag, row.ordinary[1]);
        QCOMPARE(o.composite, row.ordinary[2]);
        QCOMPARE(p.prestressed, row.structure == Structure::Prestressed);
    }
}

void TestDesign2011::initialTexts() {
    Window w;
    const QStringList expected = {
        "grade=C30",
        "sigmaFromStatistics=off",
        "sigma=5.0",
        "cementKind=普通硅酸盐水泥",
        "cementClass=42.5",
        "gammaC=1.16",
        "fceMeasured=",
        "maxSize=25",
        "slump=180",
        "waterReduction=25",
        "admixtureDosage=2.0",
        "flyAshPercent=15",
        "flyAshGrade=Ⅱ级",
        "gammaF=0.90",
        "gammaFRange=表5.1.3：0.80～0.90",
        "slagPercent=15",
        "slagGrade=S95",
        "gammaS=1.00",
        "gammaSRange=表5.1.3：0.98～1.00",
        "environment=二a",
        "airEntrained=off",
        "structure=钢筋混凝土",
        "pumped=on",
        "densityMethod=质量法",
        "assumedDensity=2400",
        "densityCement=3100",
        "densityFlyAsh=2200",
        "densitySlag=2900",
        "densitySand=2650",
        "densityStone=2700",
        "airContent=1",
        "wbOverride=",
        "sandRatioOverride=",
        "trialVolume=20",
        "reportName=JGJ55-2011-2026-12-8",
        "environmentText=室内潮湿环境；非严寒和非寒冷地区的露天环境；与无侵蚀性的水或土壤直接接触的环境",
        "wb=",
        "checkPump=",
        "trialTable.16.3="};
    for (const QString& pair : expected) {
        const qsizetype eq = pair.indexOf(u'=');
        QCOMPARE(pair.left(eq) + u'=' + w.fields.text(pair.left(eq)), pair);
    }
    QVERIFY(!w.form.hasCalculation());
    QVERIFY(!w.form.sigmaEditable());
    QVERIFY(!w.form.volumeMethod());
}

void TestDesign2011::refills() {
    Window w;
    const struct {
        QStringList set;
        QStringList expect;
    } cases[] = {
        {{"grade=C20"}, {"sigma=4.0"}},
        {{"grade=C55"}, {"sigma=6.0"}},
        {{"sigmaFromStatistics=on", "sigma=3.5", "grade=C50"}, {"sigma=3.5"}},
        {{"sigmaFromStatistics=on", "sigma=3.5", "grade=C50", "sigmaFromStatistics=off"}, {"sigma=6.0"}},
        {{"cementClass=32.5"}, {"gammaC=1.12"}},
        {{"cementClass=52.5"}, {"gammaC=1.10"}},
        {{"flyAshPercent=40"}, {"gammaF=0.65", "gammaFRange=表5.1.3：0.55～0.65"}},
        {{"flyAshPercent=0"}, {"gammaF=1.00", "gammaFRange=表5.1.3：1.00～1.00"}},
        {{"flyAshPercent=45"}, {"gammaF=", "gammaFRange=表5.1.3：应经试验确定"}},
        {{"flyAshPercent=-3"}, {"gammaF=0.90", "gammaFRange=表5.1.3：0.80～0.90"}},
        {{"flyAshPercent=1"}, {"gammaF=1.00", "gammaFRange=表5.1.3：0.99～1.00"}},
        {{"flyAshPercent=1a"}, {"gammaF=0.90"}},
        {{"slagGrade=S75"}, {"gammaS=0.98", "gammaSRange=表5.1.3：0.98～1.00"}},
        {{"slagGrade=S105"}, {"gammaS=1.05"}},
        {{"slagGrade=S105", "slagPercent=0"}, {"gammaS=1.00", "gammaSRange=表5.1.3：1.00～1.00"}},
        {{"slagGrade=S75", "slagPercent=0"}, {"gammaS=1.00"}},
        {{"slagPercent=50", "slagGrade=S105"}, {"gammaS=0.90", "gammaSRange=表5.1.3：0.70～0.85"}},
        {{"slagPercent=55"}, {"gammaS=", "gammaSRange=表5.1.3：应经试验确定"}},
        {{"slagPercent=abc"}, {"gammaS=1.00"}},
        {{"maxSize=40"}, {"trialVolume=25"}},
        {{"maxSize=40", "maxSize=31.5"}, {"trialVolume=20"}},
        {{"environment=三b"}, {"environmentText=盐渍土环境；受除冰盐作用环境；海岸环境"}},
    };
    for (const auto& c : cases) {
        Window fresh;
        fresh.set(c.set);
        for (const QString& pair : c.expect) {
            const qsizetype eq = pair.indexOf(u'=');
            QCOMPARE(pair.left(eq) + u'=' + fresh.fields.text(pair.left(eq)), pair);
        }
    }
    w.set({"sigmaFromStatistics=on"});
    QVERIFY(w.form.sigmaEditable());
    w.set({"densityMethod=体积法"});
    QVERIFY(w.form.volumeMethod());
}

void TestDesign2011::workedExamples_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("initial inputs")
        << QStringList{}
        << QStringList{
               "sigmaUsed=5.0",
               "targetStrength=38.2",
               "fce=49.3",
               "fb=44.4",
               "wbCalculated=0.548",
               "wbMax=0.55",
               "wb=0.55",
               "waterTable=233",
               "water=175",
               "binder=318",
               "flyAsh=48",
               "slag=48",
               "cement=222",
               "admixture=6.36",
               "sandRatioTable=39.0～44.0",
               "sandRatio=42",
               "sand=801",
               "stone=1106",
               "density=2400",
               "mixLine=水泥 222，粉煤灰 48，矿渣粉 48，砂 801，碎石 1106，水 175，外加剂 6.36（kg/m³）",
               "proportion=1 : 2.52 : 3.48，水胶比 0.55",
               "checkWb=水胶比 0.55 不大于最大水胶比 0.55（GB 50010 表3.5.3）",
               "checkGrade=强度等级 C30 不低于最低强度等级 C25（GB 50010 表3.5.3）",
               "checkBinder=胶凝材料用量 318 kg/m³ 不小于最小用量 300 kg/m³（表3.0.4）",
               "checkMineral=矿物掺合料掺量符合表3.0.5-1的规定",
               "checkPump=泵送混凝土：胶凝材料用量 318 kg/m³ 不小于 300 kg/m³，砂率 42% 在 35%～45% 之间"};
    QTest::newRow("三a, not pumped, 50 mm: raised to the least binder")
        << QStringList{"environment=三a", "pumped=off", "slump=50"}
        << QStringList{"wb=0.45",
                       "wbMax=0.45",
                       "water=143",
                       "binder=330",
                       "checkBinder=胶凝材料用量按最小用量 330 kg/m³ 取值（表3.0.4），实际水胶比 0.43",
                       "checkPump=非泵送混凝土"};
    QTest::newRow("C20 in 三a with 40 % fly ash and 30 % slag")
        << QStringList{"grade=C20", "environment=三a", "flyAshPercent=40", "slagPercent=30", "pumped=off"}
        << QStringList{
               "checkGrade=强度等级 C20 低于最低强度等级 C35（GB 50010 表3.5.3）",
               "checkMineral=矿物掺合料掺量超过表3.0.5-1的规定：粉煤灰 40% 大于 30%，复合 70% 大于 45%"};
    QTest::newRow("a published C40 design")
        << QStringList{"grade=C40",           "maxSize=20",          "slump=180",         "flyAshPercent=20",
                       "gammaF=0.85",         "slagPercent=0",       "waterReduction=22", "admixtureDosage=1",
                       "assumedDensity=2400", "sandRatioOverride=39"}
        << QStringList{
               "targetStrength=48.2", "fb=41.9",      "wbCalculated=0.422", "wb=0.42",    "waterTable=238",
               "water=186",           "binder=443",   "flyAsh=89",          "slag=0",     "cement=354",
               "admixture=4.43",      "sandRatio=39", "sand=691",           "stone=1080", "density=2400"};
}

void TestDesign2011::workedExamples() {
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    Window w;
    w.set(inputs);
    QVERIFY2(w.calculate(), qPrintable(w.refusal()));
    for (const QString& pair : results) {
        const qsizetype eq = pair.indexOf(u'=');
        QCOMPARE(pair.left(eq) + u'=' + w.fields.text(pair.left(eq)), pair);
    }
}

void TestDesign2011::trialTable() {
    Window w;
    QVERIFY(w.calculate());
    // W/B - 0.05, the design, W/B + 0.05: the same water and dosages, sand ratio -+ 1, binder not raised.
    const QStringList rows[] = {
        {"0.50", "0.55", "0.60"},    {"41", "42", "43"},          {"244", "222", "204"},
        {"53", "48", "44"},          {"53", "48", "44"},          {"769", "801", "831"},
        {"1106", "1106", "1102"},    {"175", "175", "175"},       {"7.00", "6.36", "5.84"},
        {"4.88", "4.44", "4.08"},    {"1.06", "0.96", "0.88"},    {"1.06", "0.96", "0.88"},
        {"15.38", "16.02", "16.62"}, {"22.12", "22.12", "22.04"}, {"3.50", "3.50", "3.50"},
        {"0.140", "0.127", "0.117"}};
    for (int row = 1; row <= D::trialRows; ++row)
        for (int column = 1; column <= D::trialColumns; ++column)
            QCOMPARE(w.fields.text(D::trialCell(row, column)), rows[row - 1][column - 1]);
    // A 25 L batch.
    w.set({"trialVolume=25"});
    QVERIFY(w.calculate());
    QCOMPARE(w.fields.text(D::trialCell(10, 2)), QStringLiteral("5.55"));
    QCOMPARE(w.fields.text(D::trialCell(16, 2)), QStringLiteral("0.159"));
}

void TestDesign2011::volumeMethod() {
    Window w;
    w.set({"densityMethod=体积法", "assumedDensity=junk"});
    QVERIFY2(w.calculate(), qPrintable(w.refusal()));
    QCOMPARE(w.fields.text(D::sand), QStringLiteral("793"));
    QCOMPARE(w.fields.text(D::stone), QStringLiteral("1095"));
    QCOMPARE(w.fields.text(D::density), QStringLiteral("2381"));
    // Mass method: the masses add up to the assumed density exactly, at any sand ratio.
    for (const char* ratio : {"35", "37", "41", "44", "49"}) {
        Window m;
        m.set({"sandRatioOverride=" + QString::fromLatin1(ratio), "assumedDensity=2437"});
        QVERIFY(m.calculate());
        QCOMPARE(m.fields.text(D::density), QStringLiteral("2437"));
    }
}

void TestDesign2011::refusals_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("message");
    const auto range = [](const char* caption, const char* lo, const char* hi) {
        return QStringLiteral("“%1”应为 %2～%3 之间的数值。").arg(QString::fromUtf8(caption), lo, hi);
    };
    QTest::newRow("sigma from statistics")
        << QStringList{"sigmaFromStatistics=on", "sigma=11"} << range("强度标准差σ (MPa)", "1", "10");
    QTest::newRow("gammaC") << QStringList{"gammaC=1.31"} << range("富余系数γc", "0.8", "1.3");
    QTest::newRow("fce measured") << QStringList{"fceMeasured=19.9"}
                                  << range("水泥28d实测强度 (MPa)", "20", "80");
    QTest::newRow("slump with unit") << QStringList{"slump=180mm"} << range("坍落度 (mm)", "10", "250");
    QTest::newRow("slump empty") << QStringList{"slump="} << range("坍落度 (mm)", "10", "250");
    QTest::newRow("water reduction") << QStringList{"waterReduction=41"}
                                     << range("外加剂减水率β (%)", "0", "40");
    QTest::newRow("dosage with %") << QStringList{"admixtureDosage=2%"}
                                   << range("外加剂掺量βa (%)", "0", "5");
    QTest::newRow("fly ash") << QStringList{"flyAshPercent=61"} << range("粉煤灰掺量βf (%)", "0", "60");
    QTest::newRow("fly ash 45 needs a typed γf")
        << QStringList{"flyAshPercent=45"} << range("粉煤灰影响系数γf", "0.3", "1.2");
    QTest::newRow("slag") << QStringList{"slagPercent=70.5"} << range("粒化高炉矿渣粉掺量βk (%)", "0", "70");
    QTest::newRow("gammaS") << QStringList{"gammaS=0.2"} << range("矿渣粉影响系数γs", "0.3", "1.2");
    QTest::newRow("assumed density") << QStringList{"assumedDensity=2601"}
                                     << range("假定表观密度 (kg/m³)", "2200", "2600");
    QTest::newRow("cement density") << QStringList{"densityMethod=体积法", "densityCement=x"}
                                    << range("水泥密度 (kg/m³)", "2500", "3500");
    QTest::newRow("air content") << QStringList{"densityMethod=体积法", "airContent=11"}
                                 << range("含气量α (%)", "0", "10");
    QTest::newRow("W/B override") << QStringList{"wbOverride=0.19"}
                                  << range("采用水胶比（可选）", "0.2", "1");
    QTest::newRow("sand ratio override")
        << QStringList{"sandRatioOverride=51"} << range("采用砂率 %（可选）", "20", "50");
    QTest::newRow("trial volume") << QStringList{"trialVolume=4"} << range("试配体积 (L)", "5", "100");
    QTest::newRow("first failing field named")
        << QStringList{"trialVolume=4", "slump=5"} << range("坍落度 (mm)", "10", "250");
    QTest::newRow("fly ash and slag above 80")
        << QStringList{"flyAshPercent=40", "slagPercent=41", "gammaS=0.8"}
        << QStringLiteral("粉煤灰与矿渣粉掺量之和不应大于80%。");
    QTest::newRow("W/B below 0.40 without sand ratio")
        << QStringList{"wbOverride=0.39"}
        << QStringLiteral("水胶比小于0.40，砂率应经试验确定，请输入采用砂率。");
}

void TestDesign2011::refusals() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.calculate());
    w.set(inputs);
    w.fields.clearWrites();
    QVERIFY(!w.calculate());
    QCOMPARE(w.refusal(), message);
    const MessageBoxRequest& box = w.prompter.messages().last();
    QCOMPARE(box.icon, MessageIcon::Stop);
    QCOMPARE(box.buttons, MessageButtons::Ok);
    QVERIFY(box.title.isEmpty());
    QVERIFY(w.fields.writes().isEmpty()); // the earlier results stay as they were
    QVERIFY(!w.form.hasCalculation());
}

void TestDesign2011::checks_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("red");
    QTest::newRow("W/B typed above the maximum")
        << QStringList{"wbOverride=0.60"} << D::checkWb
        << QStringLiteral("水胶比 0.60 大于最大水胶比 0.55（GB 50010 表3.5.3）") << true;
    QTest::newRow("air-entrained 二b keeps 0.55")
        << QStringList{"environment=二b", "airEntrained=on"} << D::checkWb
        << QStringLiteral("水胶比 0.55 不大于最大水胶比 0.55（GB 50010 表3.5.3）") << false;
    QTest::newRow("grade below 二a's C25")
        << QStringList{"grade=C20"} << D::checkGrade
        << QStringLiteral("强度等级 C20 低于最低强度等级 C25（GB 50010 表3.5.3）") << true;
    QTest::newRow("C15 exempt") << QStringList{"grade=C15", "environment=一"} << D::checkBinder
                                << QStringLiteral("C15及以下强度等级不受最小胶凝材料用量限制（表3.0.4）")
                                << false;
    QTest::newRow("prestressed, fly ash only")
        << QStringList{"structure=预应力混凝土", "flyAshPercent=25", "slagPercent=0"} << D::checkMineral
        << QStringLiteral("矿物掺合料掺量超过表3.0.5-2的规定：粉煤灰 25% 大于 20%") << true;
    QTest::newRow("slag alone over, Portland at 0.40")
        << QStringList{"cementKind=硅酸盐水泥", "wbOverride=0.40", "flyAshPercent=0", "slagPercent=66",
                       "gammaS=0.7"}
        << D::checkMineral << QStringLiteral("矿物掺合料掺量超过表3.0.5-1的规定：矿渣粉 66% 大于 65%")
        << true;
    QTest::newRow("plain concrete") << QStringList{"structure=素混凝土", "flyAshPercent=60", "gammaF=0.5",
                                                   "sandRatioOverride=40"}
                                    << D::checkMineral
                                    << QStringLiteral("素混凝土：表3.0.5未规定矿物掺合料最大掺量") << false;
    QTest::newRow("pump: little binder")
        << QStringList{"wbOverride=0.70", "slump=100"} << D::checkPump
        << QStringLiteral("泵送混凝土：胶凝材料用量 280 kg/m³ 小于 300 kg/m³，砂率 42% 在 35%～45% 之间")
        << true;
    QTest::newRow("pump: sand ratio outside")
        << QStringList{"sandRatioOverride=46"} << D::checkPump
        << QStringLiteral("泵送混凝土：胶凝材料用量 318 kg/m³ 不小于 300 kg/m³，砂率 46% 不在 35%～45% 之间")
        << true;
}

void TestDesign2011::checks() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, red);
    Window w;
    w.set(inputs);
    QVERIFY2(w.calculate(), qPrintable(w.refusal()));
    QCOMPARE(w.fields.text(field), text);
    QCOMPARE(w.fields.colour(field), red ? CheckColour::Red : CheckColour::Normal);
}

void TestDesign2011::calculationState() {
    Window w;
    QVERIFY(w.calculate());
    QVERIFY(w.form.hasCalculation());
    w.set({"slump=170"});
    QVERIFY(!w.form.hasCalculation());
    QVERIFY(w.calculate());
    w.set({"slump=x"});
    QVERIFY(!w.calculate());
    QVERIFY(!w.form.hasCalculation());
}

// Clause 4.0.2: a σ from statistics below its floor is raised to it; at or above it, it stands.
void TestDesign2011::sigmaFloorRaises_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("sigma");
    QTest::addColumn<QString>("used");
    QTest::newRow("C30 raised to 3.0") << "C30"
                                       << "2.0"
                                       << "3.0";
    QTest::newRow("C30 at the floor") << "C30"
                                      << "3.0"
                                      << "3.0";
    QTest::newRow("C30 above") << "C30"
                               << "3.4"
                               << "3.4";
    QTest::newRow("C35 raised to 4.0") << "C35"
                                       << "3.5"
                                       << "4.0";
    QTest::newRow("C35 above") << "C35"
                               << "4.5"
                               << "4.5";
}
void TestDesign2011::sigmaFloorRaises() {
    QFETCH(QString, grade);
    QFETCH(QString, sigma);
    QFETCH(QString, used);
    Window w;
    w.set({"grade=" + grade, "sigmaFromStatistics=on", "sigma=" + sigma});
    QVERIFY(w.calculate());
    QCOMPARE(w.fields.text(D::sigmaUsed), used);
}

// The enums the inputs are read into follow the order of the lists' items.
void TestDesign2011::listsFollowEnums() {
    QCOMPARE(D::cementKinds.at(int(CementKind::Ordinary)), QStringLiteral("普通硅酸盐水泥"));
    QCOMPARE(D::cementKinds.at(int(CementKind::Portland)), QStringLiteral("硅酸盐水泥"));
    QCOMPARE(D::environments.at(int(Environment::One)), QStringLiteral("一"));
    QCOMPARE(D::environments.at(int(Environment::TwoA)), QStringLiteral("二a"));
    QCOMPARE(D::environments.at(int(Environment::TwoB)), QStringLiteral("二b"));
    QCOMPARE(D::environments.at(int(Environment::ThreeA)), QStringLiteral("三a"));
    QCOMPARE(D::environments.at(int(Environment::ThreeB)), QStringLiteral("三b"));
    QCOMPARE(D::structures.at(int(Structure::Plain)), QStringLiteral("素混凝土"));
    QCOMPARE(D::structures.at(int(Structure::Reinforced)), QStringLiteral("钢筋混凝土"));
    QCOMPARE(D::structures.at(int(Structure::Prestressed)), QStringLiteral("预应力混凝土"));
    QCOMPARE(D::densityMethods.at(int(DensityMethod::Mass)), QStringLiteral("质量法"));
    QCOMPARE(D::densityMethods.at(int(DensityMethod::Volume)), QStringLiteral("体积法"));
    QCOMPARE(D::slagGrades.at(int(SlagGrade::S75)), QStringLiteral("S75"));
    QCOMPARE(D::slagGrades.at(int(SlagGrade::S95)), QStringLiteral("S95"));
    QCOMPARE(D::slagGrades.at(int(SlagGrade::S105)), QStringLiteral("S105"));
    QCOMPARE(D::flyAshGrades.at(int(FlyAshGrade::One)), QStringLiteral("Ⅰ级"));
    QCOMPARE(D::flyAshGrades.at(int(FlyAshGrade::Two)), QStringLiteral("Ⅱ级"));
}

// A changed input empties every result, check, trial cell and the report's status; the report name does not.
void TestDesign2011::resultsFollowInputs() {
    Window w;
    QVERIFY(w.calculate());
    w.fields.setText(D::reportStatus, QStringLiteral("已保存：a.xls、a.pdf"));
    w.fields.setText(D::reportName, QStringLiteral("other"));
    QCOMPARE(w.fields.text(D::wb), QStringLiteral("0.55"));
    w.set({"grade=C40"});
    for (const QString& name : D::resultNames())
        QVERIFY2(w.fields.text(name).isEmpty(), qPrintable(name));
    QVERIFY(w.fields.text(D::reportStatus).isEmpty());
    QVERIFY(!w.form.hasCalculation());
}

// A side trial mix without room for aggregate shows "—" below its W/B and sand ratio; the design stands.
void TestDesign2011::sideTrialWithoutRoom() {
    Window w;
    w.set({"wbOverride=0.2", "sandRatioOverride=40", "waterReduction=0", "slump=250", "densityMethod=体积法",
           "airContent=10", "densityCement=2500", "densityFlyAsh=1800", "densitySlag=2500"});
    QVERIFY(w.calculate());
    QCOMPARE(w.fields.text(D::trialCell(1, 1)), QStringLiteral("0.15"));
    QCOMPARE(w.fields.text(D::trialCell(2, 1)), QStringLiteral("39"));
    for (int row = 3; row <= D::trialRows; ++row)
        QCOMPARE(w.fields.text(D::trialCell(row, 1)), QStringLiteral("—"));
    QVERIFY(w.fields.text(D::trialCell(3, 2)) != QStringLiteral("—"));
    QVERIFY(w.fields.text(D::trialCell(3, 3)) != QStringLiteral("—"));
}

// Inputs set back as a sheet kept them: a saved value of a refilled field stands after its source.
void TestDesign2011::setInputsKeepsSavedRefills() {
    Window w;
    QVERIFY(w.calculate());
    w.form.setInputs({{D::grade, "C40"},
                      {D::sigmaFromStatistics, "off"},
                      {D::sigma, "6.0"},
                      {D::flyAshPercent, "20"},
                      {D::gammaF, "0.77"},
                      {D::maxSize, "40"},
                      {D::trialVolume, "30"}});
    QCOMPARE(w.fields.text(D::gammaF), QStringLiteral("0.77"));
    QCOMPARE(w.fields.text(D::gammaFRange), QStringLiteral("表5.1.3：0.75～0.85"));
    QCOMPARE(w.fields.text(D::trialVolume), QStringLiteral("30"));
    QCOMPARE(w.fields.text(D::sigma), QStringLiteral("6.0"));
    QVERIFY(!w.form.hasCalculation());
    QVERIFY(w.fields.text(D::wb).isEmpty());
}

void TestDesign2011::fullWidthInputs_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("outcome"); // a result "name=text", or the refusal
    QTest::newRow("slump") << QStringList{"slump=１８０"} << "water=175";
    QTest::newRow("point") << QStringList{"wbOverride=０．５０"} << "wb=0.50";
    QTest::newRow("refilled γf") << QStringList{"flyAshPercent=４０"} << "gammaF=0.65";
    QTest::newRow("full-width percent stays refused")
        << QStringList{"admixtureDosage=２％"} << "“外加剂掺量βa (%)”应为 0～5 之间的数值。";
}

// Digits typed by a Chinese input method in full-width mode read as the ASCII digits.
void TestDesign2011::fullWidthInputs() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, outcome);
    Window w;
    w.set(inputs);
    const bool calculated = w.calculate();
    if (!outcome.contains(u'=')) {
        QVERIFY(!calculated);
        QCOMPARE(w.refusal(), outcome);
        return;
    }
    QVERIFY2(calculated, qPrintable(w.refusal()));
    const qsizetype eq = outcome.indexOf(u'=');
    QCOMPARE(outcome.left(eq) + u'=' + w.fields.text(outcome.left(eq)), outcome);
}

QTEST_GUILESS_MAIN(TestDesign2011)
#include "test_design2011.moc"
