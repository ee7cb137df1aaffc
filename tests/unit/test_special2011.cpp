#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/checks2011.h"
#include "design2011/design2011controls.h"
#include "design2011/design2011form.h"
#include "design2011/special2011.h"
#include "support/design2011example.h"
#include "trial2011/trialsteps2011.h"

#include <QtTest>

namespace D = Design2011;

// Concrete with special requirements (chapter 7): the tables cell by cell, the strictest limit and the source
// it names, each part of checkSpecial in both verdicts, the worked examples, and the high-strength trial
// mixes.
class TestSpecial2011 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void impermeabilityTable_data();
    void impermeabilityTable();
    void frostTables();
    void airContentRows_data();
    void airContentRows();
    void highStrengthRows();
    void strictestLimitNamesFirstSource_data();
    void strictestLimitNamesFirstSource();
    void workedExamples_data();
    void workedExamples();
    void specialParts_data();
    void specialParts();
    void highStrengthTrial();
};

namespace {

struct Window {
    MapFields fields{design2011FieldNames()};
    ScriptedPrompter prompter;
    Design2011Form form{fields, prompter};
    Window() { form.load(QDate(2026, 12, 9)); }
    void set(const QStringList& assignments) {
        const QStringList boxes = {D::sigmaFromStatistics, D::airEntrained, D::pumped, D::massConcrete};
        for (const QString& assignment : assignments) {
            const qsizetype eq = assignment.indexOf(u'=');
            const QString name = assignment.left(eq);
            if (boxes.contains(name))
                fields.setChecked(name, assignment.mid(eq + 1) == QStringLiteral("on"));
            else
                fields.setText(name, assignment.mid(eq + 1));
            if (name == D::grade)
                form.gradeChanged();
            else if (name == D::maxSize)
                form.maxSizeChanged();
            form.inputChanged();
        }
    }
    QString calculate() {
        prompter.queueAnswer(MessageButton::Ok);
        if (form.calculate()) {
            prompter.clearRecord();
            return {};
        }
        return prompter.messages().last().text;
    }
};

} // namespace

void TestSpecial2011::impermeabilityTable_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("pressure"); // 0: none, the design's plus 0.2
    QTest::newRow("P6") << int(Impermeability::P6) << 0.60 << 0.55 << 0.8;
    QTest::newRow("P8") << int(Impermeability::P8) << 0.55 << 0.50 << 1.0;
    QTest::newRow("P10") << int(Impermeability::P10) << 0.55 << 0.50 << 1.2;
    QTest::newRow("P12") << int(Impermeability::P12) << 0.55 << 0.50 << 1.4;
    QTest::newRow("P12以上") << int(Impermeability::AboveP12) << 0.50 << 0.45 << 0.0;
}
void TestSpecial2011::impermeabilityTable() {
    QFETCH(int, level);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, pressure);
    const auto which = static_cast<Impermeability>(level);
    QCOMPARE(impermeabilityMaxWb(which, 20), low);
    QCOMPARE(impermeabilityMaxWb(which, 30), low);
    QCOMPARE(impermeabilityMaxWb(which, 35), high);
    QCOMPARE(impermeabilityTestPressure(which).value_or(0.0), pressure);
}

void TestSpecial2011::frostTables() {
    QCOMPARE(frostLimits(FrostResistance::F50, false).maxWb.value(), 0.55);
    QCOMPARE(frostLimits(FrostResistance::F50, true).maxWb.value(), 0.60);
    QCOMPARE(frostLimits(FrostResistance::F50, true).minimumBinder, 300.0);
    QCOMPARE(frostLimits(FrostResistance::F100, false).maxWb.value(), 0.50);
    QCOMPARE(frostLimits(FrostResistance::F100, true).maxWb.value(), 0.55);
    QCOMPARE(frostLimits(FrostResistance::F100, true).minimumBinder, 320.0);
    QCOMPARE(frostLimits(FrostResistance::F150AndAbove, false).maxWb.value(), 0.50);
    QCOMPARE(frostLimits(FrostResistance::F150AndAbove, true).maxWb.value(), 0.50);
    QCOMPARE(frostLimits(FrostResistance::F150AndAbove, true).minimumBinder, 350.0);
    QCOMPARE(frostCompositeLimit(CementKind::Portland, 0.40), 60.0);
    QCOMPARE(frostCompositeLimit(CementKind::Ordinary, 0.40), 50.0);
    QCOMPARE(frostCompositeLimit(CementKind::Portland, 0.41), 50.0);
    QCOMPARE(frostCompositeLimit(CementKind::Ordinary, 0.41), 40.0);
}

// Table 3.0.7, and the sizes it lacks: 31.5 takes the 25 row, 16 the 20 row.
void TestSpecial2011::airContentRows_data() {
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("cold");
    QTest::addColumn<double>("salt");
    QTest::newRow("40") << 40.0 << 4.5 << 5.0;
    QTest::newRow("31.5 as 25") << 31.5 << 5.0 << 5.5;
    QTest::newRow("25") << 25.0 << 5.0 << 5.5;
    QTest::newRow("20") << 20.0 << 5.5 << 6.0;
    QTest::newRow("16 as 20") << 16.0 << 5.5 << 6.0;
}
void TestSpecial2011::airContentRows() {
    QFETCH(double, size);
    QFETCH(double, cold);
    QFETCH(double, salt);
    QCOMPARE(minimumAirContent(FrostExposure::ColdWet, size), cold);
    QCOMPARE(minimumAirContent(FrostExposure::SaltFrost, size), salt);
}

void TestSpecial2011::highStrengthRows() {
    QVERIFY(!isHighStrength(55));
    QVERIFY(isHighStrength(60));
    for (int grade : {60, 75}) {
        QCOMPARE(highStrengthLimits(grade).wb.lower, 0.28);
        QCOMPARE(highStrengthLimits(grade).binder.upper, 560.0);
    }
    for (int grade : {80, 95}) {
        QCOMPARE(highStrengthLimits(grade).wb.upper, 0.28);
        QCOMPARE(highStrengthLimits(grade).binder.lower, 520.0);
    }
    QCOMPARE(highStrengthLimits(100).wb.lower, 0.24);
    QCOMPARE(highStrengthLimits(100).binder.upper, 600.0);
}

// The strictest value, and on a tie the source that comes first.
void TestSpecial2011::strictestLimitNamesFirstSource_data() {
    QTest::addColumn<int>("impermeability");
    QTest::addColumn<int>("frost");
    QTest::addColumn<bool>("mass");
    QTest::addColumn<bool>("air");
    QTest::addColumn<double>("maxWb");
    QTest::addColumn<QString>("wbSource");
    QTest::addColumn<double>("binder"); // at W/B 0.50, reinforced, C35
    QTest::addColumn<QString>("binderSource");
    QTest::newRow("none") << 0 << 0 << false << false << 0.55 << "GB 50010 表3.5.3" << 320.0 << "表3.0.4";
    QTest::newRow("mass ties GB 50010")
        << 0 << 0 << true << false << 0.55 << "GB 50010 表3.5.3" << 320.0 << "表3.0.4";
    QTest::newRow("P8 stricter") << int(Impermeability::P8) << 0 << true << false << 0.50 << "表7.1.2"
                                 << 320.0 << "表3.0.4";
    QTest::newRow("F100 ties P8") << int(Impermeability::P8) << int(FrostResistance::F100) << false << false
                                  << 0.50 << "表7.1.2" << 320.0 << "表3.0.4";
    QTest::newRow("F150 binder") << 0 << int(FrostResistance::F150AndAbove) << false << true << 0.50
                                 << "表7.2.2-1" << 350.0 << "表7.2.2-1";
    QTest::newRow("P12以上") << int(Impermeability::AboveP12) << 0 << false << false << 0.45 << "表7.1.2"
                             << 320.0 << "表3.0.4";
}
void TestSpecial2011::strictestLimitNamesFirstSource() {
    QFETCH(int, impermeability);
    QFETCH(int, frost);
    QFETCH(bool, mass);
    QFETCH(bool, air);
    QFETCH(double, maxWb);
    QFETCH(QString, wbSource);
    QFETCH(double, binder);
    QFETCH(QString, binderSource);
    SpecialRequirements special;
    special.impermeability = static_cast<Impermeability>(impermeability);
    special.frost = static_cast<FrostResistance>(frost);
    special.massConcrete = mass;
    const SourcedLimit wb = combinedMaxWb(special, 35, Environment::TwoA, air);
    QCOMPARE(wb.value, maxWb);
    QCOMPARE(wb.source, wbSource);
    const auto least = combinedMinimumBinder(special, 35, Structure::Reinforced, air, 0.50);
    QCOMPARE(least->value, binder);
    QCOMPARE(least->source, binderSource);
    // C15 has no least binder of its own, but the requirements' still apply.
    QVERIFY(!combinedMinimumBinder({}, 15, Structure::Reinforced, false, 0.5));
    SpecialRequirements tight;
    tight.impermeability = Impermeability::P6;
    QCOMPARE(combinedMinimumBinder(tight, 15, Structure::Reinforced, false, 0.5)->source,
             QStringLiteral("第7.1.2条"));
}

void TestSpecial2011::workedExamples_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("expected"); // "field=text", "refusal=text", "red=field"
    QTest::newRow("C30 P12以上")
        << QStringList{"impermeability=P12以上"}
        << QStringList{"wbMax=0.50",
                       "wb=0.50",
                       "binder=350",
                       "sandRatio=40",
                       "checkWb=水胶比 0.50 不大于最大水胶比 0.50（表7.1.2）",
                       "checkBinder=胶凝材料用量 350 kg/m³ 不小于最小用量 320 kg/m³（表3.0.4）",
                       "checkSpecial=抗渗P12以上（第7.1节）：胶凝材料用量 350 kg/m³ 不小于 320 "
                       "kg/m³，砂率 40% 在 35%～45% 之间，试配抗渗水压为设计值加0.2 MPa"};
    QTest::newRow("C35 P8 F100 with agent")
        << QStringList{"grade=C35", "impermeability=P8", "frostResistance=F100", "airEntrained=on"}
        << QStringList{
               "wbMax=0.50", "wb=0.49", "binder=357",
               "checkSpecial=抗渗P8（第7.1节）：胶凝材料用量 357 kg/m³ 不小于 320 kg/m³，砂率 40% 在 "
               "35%～45% 之间，试配抗渗水压 1.0 MPa；抗冻F100（表7.2.2-1）：水胶比 0.49 不大于 "
               "0.55，粉煤灰与矿渣粉合计 30% 不大于 40%（表7.2.2-2）；含气量（第7.1.4条）：宜为 3.0%～5.0%"};
    QTest::newRow("C30 F150 salt frost without the agent")
        << QStringList{"frostResistance=F150及以上", "frostExposure=盐冻环境"}
        << QStringList{
               "wbMax=0.50", "binder=350",
               "checkBinder=胶凝材料用量 350 kg/m³ 不小于最小用量 350 kg/m³（表7.2.2-1）",
               "checkSpecial=抗冻F150及以上（表7.2.2-1）：应掺用引气剂；冻融环境应掺用引气剂（第3.0.7条）",
               "red=checkSpecial"};
    QTest::newRow("C60")
        << QStringList{"grade=C60", "wbOverride=0.30", "sandRatioOverride=38"}
        << QStringList{"targetStrength=69.0",
                       "sigmaUsed=",
                       "wbCalculated=",
                       "sigma=",
                       "water=175",
                       "binder=583",
                       "cement=409",
                       "checkSpecial=高强混凝土（表7.3.2）：水胶比 0.30 在 0.28～0.34 之间，胶凝材料用量 "
                       "583 kg/m³ 不在 480～560 kg/m³ 之间，砂率 38% 在 35%～42% 之间，水泥用量 409 "
                       "kg/m³ 不大于 500 kg/m³，矿物掺合料掺量 30% 在 25%～40% 之间",
                       "red=checkSpecial",
                       "trialTable.1.1=0.28",
                       "trialTable.1.3=0.32",
                       "trialTable.2.1=38",
                       "trialTable.2.3=38"};
    QTest::newRow("C60 without W/B")
        << QStringList{"grade=C60"}
        << QStringList{"refusal=C60及以上强度等级的水胶比应按表7.3.2选取并经试配确定，请输入采用水胶比。"};
    QTest::newRow("mass concrete")
        << QStringList{"maxSize=31.5", "slump=120", "pumped=off", "massConcrete=on"}
        << QStringList{"wb=0.55", "water=160", "binder=300",
                       "checkSpecial=大体积混凝土（第7.5节）：水胶比 0.53 不大于 0.55，用水量 160 "
                       "kg/m³ 不大于 175 kg/m³，砂率 38% 在 38%～42% 之间，粗骨料最大公称粒径 "
                       "31.5 mm 不小于 31.5 mm"};
}
void TestSpecial2011::workedExamples() {
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, expected);
    Window w;
    w.set(inputs);
    const QString refusal = w.calculate();
    for (const QString& line : expected) {
        const qsizetype eq = line.indexOf(u'=');
        const QString name = line.left(eq);
        const QString text = line.mid(eq + 1);
        if (name == QStringLiteral("refusal"))
            QCOMPARE(refusal, text);
        else if (name == QStringLiteral("red"))
            QCOMPARE(w.fields.colour(text), CheckColour::Red);
        else
            QCOMPARE(w.fields.text(name == QStringLiteral("trialTable.1.1")   ? D::trialCell(1, 1)
                                   : name == QStringLiteral("trialTable.1.3") ? D::trialCell(1, 3)
                                   : name == QStringLiteral("trialTable.2.1") ? D::trialCell(2, 1)
                                   : name == QStringLiteral("trialTable.2.3") ? D::trialCell(2, 3)
                                                                              : name),
                     text);
    }
    if (!expected.first().startsWith(QStringLiteral("refusal")))
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
}

// Each part in both verdicts.
void TestSpecial2011::specialParts_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("holds");
    QTest::newRow("nothing") << ""
                             << "无特殊要求" << true;
    QTest::newRow("impermeable binder low")
        << "binder=300"
        << "抗渗P8（第7.1节）：胶凝材料用量 300 kg/m³ 小于 320 kg/m³，砂率 40% 在 "
           "35%～45% 之间，试配抗渗水压 1.0 MPa"
        << false;
    QTest::newRow("frost F100 without the agent: advice only")
        << "frost"
        << "抗冻F100（表7.2.2-1）：水胶比 0.45 不大于 0.50，宜掺用引气剂（第7.2.1条）" << true;
    QTest::newRow("frost W/B too high")
        << "frost wb=0.52"
        << "抗冻F100（表7.2.2-1）：水胶比 0.52 大于 0.50，宜掺用引气剂（第7.2.1条）" << false;
    QTest::newRow("air below the least") << "air=4.5"
                                         << "含气量（表3.0.7）：4.5% 小于 5.0%，不大于 7.0%" << false;
    QTest::newRow("air within") << "air=6"
                                << "含气量（表3.0.7）：6% 不小于 5.0%，不大于 7.0%" << true;
    QTest::newRow("air above the most") << "air=7.5"
                                        << "含气量（表3.0.7）：7.5% 不小于 5.0%，大于 7.0%" << false;
    QTest::newRow("air typed, impermeable")
        << "imperm-air=4"
        << "抗渗P8（第7.1节）：胶凝材料用量 380 kg/m³ 不小于 320 kg/m³，砂率 40% 在 "
           "35%～45% 之间，试配抗渗水压 1.0 MPa；含气量（第7.1.4条）：4% 在 "
           "3.0%～5.0% 之间"
        << true;
    QTest::newRow("mass: sand ratio and size")
        << "mass"
        << "大体积混凝土（第7.5节）：水胶比 0.45 不大于 0.55，用水量 180 kg/m³ "
           "大于 175 kg/m³，砂率 40% 在 38%～42% 之间，粗骨料最大公称粒径 25 mm "
           "小于 31.5 mm"
        << false;
}
void TestSpecial2011::specialParts() {
    QFETCH(QString, change);
    QFETCH(QString, text);
    QFETCH(bool, holds);
    SpecialMix2011 m;
    m.wb = 0.45;
    m.binder = 380;
    m.cement = 266;
    m.water = 171;
    m.sandRatio = 40;
    m.flyAshPercent = 30;
    if (change == QStringLiteral("binder=300")) {
        m.special.impermeability = Impermeability::P8;
        m.binder = 300;
    } else if (change.startsWith(QStringLiteral("frost"))) {
        m.special.frost = FrostResistance::F100;
        if (change.endsWith(QStringLiteral("0.52")))
            m.wb = 0.52;
    } else if (change.startsWith(QStringLiteral("air="))) {
        m.special.exposure = FrostExposure::ColdWet;
        m.airEntrained = true;
        m.airContent = change.mid(4).toDouble();
    } else if (change == QStringLiteral("imperm-air=4")) {
        m.special.impermeability = Impermeability::P8;
        m.airEntrained = true;
        m.airContent = 4;
    } else if (change == QStringLiteral("mass")) {
        m.special.massConcrete = true;
        m.water = 180;
    }
    const Check2011 check = checkSpecial2011(m);
    QCOMPARE(check.text, text);
    QCOMPARE(check.holds, holds);
}

// Clause 7.3.3: W/B ± 0.02 at one sand ratio, which step 4 keeps.
void TestSpecial2011::highStrengthTrial() {
    TrialInputs2011 in;
    in.grade = 60;
    in.targetStrength = 69.0;
    in.water = 160;
    in.binder = 533;
    in.sandRatio = 38;
    in.rule.flyAshPercent = 15;
    in.rule.slagPercent = 15;
    in.rule.admixtureDosage = 2;
    in.trialAdmixtureDosage = 2;
    const auto mix = std::get<TrialMix2011>(trialMix2011(in));
    QCOMPARE(mix.mixes[0].wb, 0.28);
    QCOMPARE(mix.mixes[1].wb, 0.30);
    QCOMPARE(mix.mixes[2].wb, 0.32);
    for (const MixMasses& m : mix.mixes)
        QCOMPARE(m.sandRatio, 38.0);
    const auto regression = std::get<Regression2011>(regress2011(in, mix, {78.0, 71.0, 64.0}));
    const auto design = std::get<DesignMix2011>(adjustMix2011(in, mix, regression, 3.45, 2410));
    QCOMPARE(design.adjusted.sandRatio, 38.0);
    QVERIFY(design.special.text.startsWith(QStringLiteral("高强混凝土（表7.3.2）")));
    QCOMPARE(design.binder.text,
             QStringLiteral("胶凝材料用量 552 kg/m³ 不小于最小用量 330 kg/m³（表3.0.4）"));
}

QTEST_GUILESS_MAIN(TestSpecial2011)
#include "test_special2011.moc"
