#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/design2011form.h"
#include "support/design2011example.h"
#include "trial2011/trial2011controls.h"
#include "trial2011/trial2011form.h"
#include "trial2011/trialsteps2011.h"

#include <QtTest>

namespace T = Trial2011;

// The JGJ 55-2011 trial mixing and adjustment: the steps' arithmetic and rounding, their refusals, the
// worked example from the design window's initial design, and the rule that results follow the inputs.
class TestTrial2011 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample_data();
    void workedExample();
    void roundUp_data();
    void roundUp();
    void regressionRefusals_data();
    void regressionRefusals();
    void densityRule_data();
    void densityRule();
    void siteWater();
    void readingRefusals_data();
    void readingRefusals();
    void stepOrder();
    void resultsFollowInputs();
    void handOverAndRefill();
    void restore();
};

namespace {

QStringList allNames() { return T::inputNames() + T::resultNames() + QStringList{T::recordStatus}; }

// The trial window over plain fields, handed the design window's initial design.
struct Window {
    MapFields fields{allNames()};
    ScriptedPrompter prompter;
    Trial2011Form form{fields, prompter};
    explicit Window(bool handOver = true) {
        form.load(QDate(2026, 12, 9));
        if (handOver) {
            MapFields design(design2011FieldNames());
            fillDesign2011Example(design);
            form.handOver(design, QDate(2026, 12, 9));
        }
    }
    void set(const QStringList& assignments) {
        for (const QString& assignment : assignments) {
            const qsizetype eq = assignment.indexOf(u'=');
            const QString name = assignment.left(eq);
            if (name == T::airEntrained || name == T::pumped)
                fields.setChecked(name, assignment.mid(eq + 1) == QStringLiteral("on"));
            else
                fields.setText(name, assignment.mid(eq + 1));
            form.fieldChanged(name);
        }
    }
    // Runs a step; its refusal's text, or empty when it wrote its results.
    QString step(bool (Trial2011Form::*command)()) {
        prompter.queueAnswer(MessageButton::Ok);
        if ((form.*command)()) {
            prompter.clearRecord();
            return {};
        }
        return prompter.messages().last().text;
    }
    void example() {
        QVERIFY(step(&Trial2011Form::trialMix).isEmpty());
        set({"strengthA=45.1", "strengthB=39.6", "strengthC=34.2"});
        QVERIFY(step(&Trial2011Form::regress).isEmpty());
        set({"measuredDensity=2390"});
        QVERIFY(step(&Trial2011Form::adjust).isEmpty());
        set({"sandMoisture=3.5", "stoneMoisture=0.8"});
        QVERIFY(step(&Trial2011Form::siteMix).isEmpty());
    }
};

} // namespace

void TestTrial2011::workedExample_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    const QList<QPair<QString, QString>> expected = {
        {T::targetStrength, "38.2"},
        {T::calcWater, "175"},
        {T::calcBinder, "318"},
        {T::calcSandRatio, "42"},
        {T::recordName, "JGJ55-2011-2026-12-8-试配"},
        {T::designName, "JGJ55-2011-2026-12-8"},
        {T::calcWb, "0.55"},
        {T::calcCement, "222"},
        {T::calcFlyAsh, "48"},
        {T::calcSlag, "48"},
        {T::calcSand, "801"},
        {T::calcStone, "1106"},
        {T::calcDensity, "2400"},
        {T::calcAdmixture, "6.36"},
        {T::batchCement, "4.44"},
        {T::batchWater, "3.50"},
        {T::batchAdmixture, "0.127"},
        {T::mixCell(1, 1), "0.50"},
        {T::mixCell(2, 1), "2.000"},
        {T::mixCell(3, 1), "41"},
        {T::mixCell(4, 1), "244"},
        {T::mixCell(5, 1), "53"},
        {T::mixCell(7, 1), "769"},
        {T::mixCell(8, 1), "1106"},
        {T::mixCell(1, 2), "0.55"},
        {T::mixCell(2, 2), "1.818"},
        {T::mixCell(1, 3), "0.60"},
        {T::mixCell(3, 3), "43"},
        {T::mixCell(4, 3), "204"},
        {T::mixCell(7, 3), "831"},
        {T::mixCell(8, 3), "1102"},
        {T::mixCell(18, 3), "2400"},
        {T::slope, "32.62"},
        {T::intercept, "-20.00"},
        {T::correlation, "0.999"},
        {T::regressionLine, "fcu = 32.62 × B/W - 20.00，r = 0.999"},
        {T::bwForTarget, "1.784"},
        {T::wbForTarget, "0.560"},
        {T::bwChosen, "1.79"},
        {T::checkRange, "配制强度 38.2 MPa 在三组强度 34.2～45.1 MPa 之间（第6.2.1条）"},
        {T::adjBinder, "313"},
        {T::adjFlyAsh, "47"},
        {T::adjSlag, "47"},
        {T::adjCement, "219"},
        {T::adjSandRatio, "42"},
        {T::adjSand, "803"},
        {T::adjStone, "1109"},
        {T::densityCalculated, "2400"},
        {T::correctionFactor, "0.996"},
        {T::densityDeviation, "0.4"},
        {T::densityNote,
         "实测表观密度 2390 kg/m³ 与计算值 2400 kg/m³ 相差 0.4%，不超过2%，配合比不校正（第6.2节）"},
    };
    for (const auto& [field, text] : expected)
        QTest::newRow(qPrintable(field)) << field << text;
    QTest::newRow("finalWb") << T::finalWb << "0.56";
    QTest::newRow("checkWb") << T::checkWb << "水胶比 0.56 大于最大水胶比 0.55（GB 50010 表3.5.3）";
    QTest::newRow("checkChosen")
        << T::checkChosen << "采用胶水比 1.79 的回归强度 38.4 MPa 不低于配制强度 38.2 MPa（第6.2.1条）";
    QTest::newRow("checkBinder") << T::checkBinder
                                 << "胶凝材料用量 313 kg/m³ 不小于最小用量 280 kg/m³（表3.0.4）";
    QTest::newRow("finalProportion") << T::finalProportion << "1 : 2.57 : 3.54，水胶比 0.56";
    QTest::newRow("siteWater") << T::siteWater << "138";
    QTest::newRow("siteSand") << T::siteSand << "831";
    QTest::newRow("siteStone") << T::siteStone << "1118";
    QTest::newRow("siteMixLine")
        << T::siteMixLine
        << "水泥 219，粉煤灰 47，矿渣粉 47，湿砂 831，湿碎石 1118，水 138，外加剂 6.26（kg/m³）";
}
void TestTrial2011::workedExample() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    Window w;
    w.example();
    QCOMPARE(w.fields.text(field), text);
}

void TestTrial2011::roundUp_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("chosen");
    QTest::newRow("up") << 1.7843 << 1.79;
    QTest::newRow("exact stays") << 1.78 << 1.78;
    QTest::newRow("noise below a hundredth stays") << 1.7800000000000002 << 1.78;
    QTest::newRow("just above") << 1.781 << 1.79;
    QTest::newRow("to a whole") << 1.999 << 2.0;
}
void TestTrial2011::roundUp() {
    QFETCH(double, value);
    QFETCH(double, chosen);
    QCOMPARE(roundUpToHundredth(value), chosen);
}

void TestTrial2011::regressionRefusals_data() {
    QTest::addColumn<QStringList>("strengths");
    QTest::addColumn<QString>("refusal");
    const QString falling =
        QStringLiteral("强度没有随胶水比增大而提高，无法确定胶水比，请检查强度试验结果。");
    QTest::newRow("falling") << QStringList{"30", "35", "40"} << falling;
    QTest::newRow("flat") << QStringList{"35", "35", "35"} << falling;
    QTest::newRow("ratio above 5") << QStringList{"5.4", "5.2", "5"}
                                   << QStringLiteral(
                                          "由回归得到的胶水比不在 0.8～5 之间，请检查强度试验结果。");
    QTest::newRow("ratio below 0.8") << QStringList{"145", "140", "135"}
                                     << QStringLiteral(
                                            "由回归得到的胶水比不在 0.8～5 之间，请检查强度试验结果。");
    QTest::newRow("strength out of range")
        << QStringList{"4", "35", "40"} << QStringLiteral("“A组强度 (MPa)”应为 5～150 之间的数值。");
}
void TestTrial2011::regressionRefusals() {
    QFETCH(QStringList, strengths);
    QFETCH(QString, refusal);
    Window w;
    QVERIFY(w.step(&Trial2011Form::trialMix).isEmpty());
    w.set({"strengthA=" + strengths[0], "strengthB=" + strengths[1], "strengthC=" + strengths[2]});
    QCOMPARE(w.step(&Trial2011Form::regress), refusal);
    QVERIFY(w.fields.text(T::slope).isEmpty());
    QVERIFY(w.fields.text(T::bwChosen).isEmpty());
    QVERIFY(!w.form.chart());
}

// Clause 6.2.2: corrected only above 2 %, every mass times the factor as shown.
void TestTrial2011::densityRule_data() {
    QTest::addColumn<QString>("measured");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("cement");
    QTest::addColumn<QString>("water");
    QTest::addColumn<QString>("noteEnd");
    QTest::newRow("2 % exactly: none") << "2448"
                                       << "1.020"
                                       << "219"
                                       << "175"
                                       << "不超过2%，配合比不校正（第6.2节）";
    QTest::newRow("above 2 %") << "2460"
                               << "1.025"
                               << "224"
                               << "179"
                               << "超过2%，各材料用量乘以校正系数 1.025（第6.2节）";
    QTest::newRow("below by more than 2 %") << "2300"
                                            << "0.958"
                                            << "210"
                                            << "168"
                                            << "超过2%，各材料用量乘以校正系数 0.958（第6.2节）";
}
void TestTrial2011::densityRule() {
    QFETCH(QString, measured);
    QFETCH(QString, factor);
    QFETCH(QString, cement);
    QFETCH(QString, water);
    QFETCH(QString, noteEnd);
    Window w;
    QVERIFY(w.step(&Trial2011Form::trialMix).isEmpty());
    w.set({"strengthA=45.1", "strengthB=39.6", "strengthC=34.2"});
    QVERIFY(w.step(&Trial2011Form::regress).isEmpty());
    w.set({"measuredDensity=" + measured});
    QVERIFY(w.step(&Trial2011Form::adjust).isEmpty());
    QCOMPARE(w.fields.text(T::correctionFactor), factor);
    QCOMPARE(w.fields.text(T::finalCement), cement);
    QCOMPARE(w.fields.text(T::finalWater), water);
    QVERIFY2(w.fields.text(T::densityNote).endsWith(noteEnd), qPrintable(w.fields.text(T::densityNote)));
}

// The water a liquid admixture brings is deducted like the aggregates'; more than the mix holds refuses.
void TestTrial2011::siteWater() {
    Window w;
    w.example();
    w.set({"admixtureWater=60"});
    QVERIFY(w.fields.text(T::siteWater).isEmpty());
    QVERIFY(w.step(&Trial2011Form::siteMix).isEmpty());
    // 175 - 28.105 - 8.872 - 6.26 x 0.6
    QCOMPARE(w.fields.text(T::siteWater), QStringLiteral("134"));
    w.set({"sandMoisture=20", "stoneMoisture=10"});
    QCOMPARE(w.step(&Trial2011Form::siteMix),
             QStringLiteral("骨料和外加剂带入的水多于用水量，请检查含水率。"));
    QVERIFY(w.fields.text(T::siteWater).isEmpty());
}

void TestTrial2011::readingRefusals_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("target strength empty")
        << QStringList{"targetStrength="} << "“配制强度fcu,0 (MPa)”应为 10～100 之间的数值。";
    QTest::newRow("first failing named")
        << QStringList{"calcWater=99", "calcBinder=x"} << "“用水量mw0 (kg/m³)”应为 100～300 之间的数值。";
    QTest::newRow("paste change") << QStringList{"pasteChange=21"}
                                  << "“浆体用量调整 (%)”应为 -20～20 之间的数值。";
    QTest::newRow("optional slump read when given")
        << QStringList{"measuredSlump=abc"} << "“实测坍落度 (mm)”应为 0～300 之间的数值。";
    QTest::newRow("volume field unread with mass method")
        << QStringList{"densityCement=1", "trialVolume=4"} << "“试拌体积 (L)”应为 5～100 之间的数值。";
    QTest::newRow("volume field read with volume method")
        << QStringList{"densityMethod=体积法", "densityCement=1"}
        << "“水泥密度 (kg/m³)”应为 2500～3500 之间的数值。";
    QTest::newRow("sum of admixtures")
        << QStringList{"flyAshPercent=50", "slagPercent=31"} << "粉煤灰与矿渣粉掺量之和不应大于80%。";
}
void TestTrial2011::readingRefusals() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, refusal);
    Window w;
    w.set(inputs);
    QCOMPARE(w.step(&Trial2011Form::trialMix), refusal);
    QVERIFY(w.fields.text(T::calcWb).isEmpty());
    QVERIFY(w.fields.text(T::mixCell(1, 1)).isEmpty());
}

// Each step needs the one before it.
void TestTrial2011::stepOrder() {
    Window w;
    QCOMPARE(w.step(&Trial2011Form::regress), QStringLiteral("请先计算试拌配合比。"));
    QCOMPARE(w.step(&Trial2011Form::adjust), QStringLiteral("请先计算试拌配合比。"));
    QCOMPARE(w.step(&Trial2011Form::siteMix), QStringLiteral("请先计算设计配合比。"));
    QVERIFY(w.step(&Trial2011Form::trialMix).isEmpty());
    QCOMPARE(w.step(&Trial2011Form::adjust), QStringLiteral("请先确定胶水比。"));
}

// A change empties its step's results and every later step's, never an earlier one's.
void TestTrial2011::resultsFollowInputs() {
    Window w;
    w.example();
    QVERIFY(!w.form.modified() || true);
    w.set({"sandMoisture=3"});
    QVERIFY(w.fields.text(T::siteWater).isEmpty());
    QCOMPARE(w.fields.text(T::finalWb), QStringLiteral("0.56"));
    w.set({"bwChosen=1.85"});
    QVERIFY(w.fields.text(T::finalWb).isEmpty());
    QCOMPARE(w.fields.text(T::slope), QStringLiteral("32.62"));
    QVERIFY(w.form.chart());
    QCOMPARE(*w.form.chart()->bwChosen, 1.85);
    w.set({"strengthB=40"});
    QVERIFY(w.fields.text(T::slope).isEmpty());
    QCOMPARE(w.fields.text(T::checkRange), QString());
    QCOMPARE(w.fields.text(T::calcWb), QStringLiteral("0.55"));
    QVERIFY(!w.form.chart());
    // Texts no step reads empty nothing.
    QVERIFY(w.step(&Trial2011Form::regress).isEmpty());
    QCOMPARE(w.fields.text(T::slope), QStringLiteral("32.55"));
    w.set({"designName=x", "cementSource=P.O 42.5", "recordName=r", "testAge=60"});
    QCOMPARE(w.fields.text(T::slope), QStringLiteral("32.55"));
    w.set({"pumped=off"});
    QVERIFY(w.fields.text(T::calcWb).isEmpty());
    QVERIFY(w.fields.text(T::slope).isEmpty());
    QVERIFY(w.form.modified());
}

void TestTrial2011::handOverAndRefill() {
    Window w(false);
    QCOMPARE(w.fields.text(T::recordName), QStringLiteral("JGJ55-2011-试配-2026-12-9"));
    QCOMPARE(w.fields.text(T::trialAdmixtureDosage), QStringLiteral("2.0"));
    QCOMPARE(w.fields.text(T::testAge), QStringLiteral("28"));
    QVERIFY(w.fields.text(T::targetStrength).isEmpty());
    QVERIFY(!w.form.modified());
    w.set({"admixtureDosage=1.8"});
    QCOMPARE(w.fields.text(T::trialAdmixtureDosage), QStringLiteral("1.8"));
    w.set({"trialAdmixtureDosage=2.2"});
    QCOMPARE(w.fields.text(T::trialAdmixtureDosage), QStringLiteral("2.2"));
    QVERIFY(w.form.modified());

    MapFields design(design2011FieldNames());
    fillDesign2011Example(design);
    design.setText(Design2011::binder, QStringLiteral(" 330 "));
    design.setText(Design2011::admixtureDosage, QStringLiteral("1.5"));
    w.form.handOver(design, QDate(2026, 12, 9));
    QCOMPARE(w.fields.text(T::calcBinder), QStringLiteral("330"));
    QCOMPARE(w.fields.text(T::trialAdmixtureDosage), QStringLiteral("1.5"));
    QCOMPARE(w.fields.text(T::targetStrength), QStringLiteral("38.2"));
    QVERIFY(!w.form.modified());
}

// A record's texts give the window back with every step that ran; damaged texts change nothing.
void TestTrial2011::restore() {
    Window saved;
    saved.example();
    saved.set({"sandMoisture=3.0"});
    const QList<QPair<QString, QString>> texts = saved.form.storedTexts();

    Window reopened(false);
    QVERIFY(reopened.form.restore(texts));
    QCOMPARE(reopened.form.storedTexts(), texts);
    QVERIFY(reopened.form.hasResults(T::Step::Adjust));
    QVERIFY(!reopened.form.hasResults(T::Step::SiteMix));
    QVERIFY(!reopened.form.modified());
    QVERIFY(reopened.step(&Trial2011Form::siteMix).isEmpty());

    // A typed ratio after step 3 stands.
    Window typed;
    typed.example();
    typed.set({"bwChosen=1.85"});
    QVERIFY(typed.step(&Trial2011Form::adjust).isEmpty());
    Window back(false);
    QVERIFY(back.form.restore(typed.form.storedTexts()));
    QCOMPARE(back.fields.text(T::bwChosen), QStringLiteral("1.85"));
    QCOMPARE(back.form.storedTexts(), typed.form.storedTexts());

    // A result that is not its inputs', a missing field, a list text of none of its items.
    QList<QPair<QString, QString>> forged = texts;
    for (auto& [name, text] : forged)
        if (name == T::finalCement)
            text = QStringLiteral("999");
    QList<QPair<QString, QString>> shortened = texts;
    shortened.removeLast();
    QList<QPair<QString, QString>> badList = texts;
    badList[0].second = QStringLiteral("C99");
    for (const auto& bad : {forged, shortened, badList}) {
        Window other(false);
        const QList<QPair<QString, QString>> before = other.form.storedTexts();
        QVERIFY(!other.form.restore(bad));
        QCOMPARE(other.form.storedTexts(), before);
    }
}

QTEST_GUILESS_MAIN(TestTrial2011)
#include "test_trial2011.moc"
