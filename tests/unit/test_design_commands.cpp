#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "design/mixdesign.h"
#include "support/form1fields.h"

#include <QtTest>
#include <memory>

namespace {

const QString kConfirm = QStringLiteral("您填入的数据正确吗？");
const QString kFailure = QStringLiteral("您输入的参数值对吗？");
const QString kNoSandRatio =
    QStringLiteral("您的水灰比较小，无法自动在表中选取砂率！请您自己输入合适的砂率！");

// The main window's fields with their initial texts, and a prompter that answers from a queue.
struct DesignRig {
    MapFields fields{form1FieldNames()};
    ScriptedPrompter prompter;
    MixDesign design{fields, prompter};

    DesignRig() {
        const QList<std::pair<QString, const char*>> initial = {
            {Form1::gradeRange, "C20-C35"},   {Form1::sigma, "5"},
            {Form1::gradeStrength, "30"},     {Form1::cementGrade, "42.5"},
            {Form1::cementFactor, "1.13"},    {Form1::slump, "35-50"},
            {Form1::stoneSize, "31.5"},       {Form1::coefficientA, "0.46"},
            {Form1::coefficientB, "0.07"},    {Form1::density, "2400"},
            {Form1::environment, "干燥环境"}, {Form1::reinforcement, "素混凝土"}};
        for (const auto& [name, text] : initial)
            fields.setText(name, QString::fromUtf8(text));
        design.load(QDate(2005, 6, 12));
        fields.clearWrites();
    }
    QString operator[](const QString& name) const { return fields.text(name); }
    void set(const QString& name, const char* text) { fields.setText(name, QString::fromUtf8(text)); }
    bool red(const QString& name) const { return fields.colour(name) == CheckColour::Red; }
    QStringList messageTexts() const {
        QStringList texts;
        for (const MessageBoxRequest& box : prompter.messages())
            texts << box.text;
        return texts;
    }
};

} // namespace

class TestDesignCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadState();
    void automaticWithInitialInputs();
    void automaticRatioAboveMaximum_data();
    void automaticRatioAboveMaximum();
    void automaticCancelledRatioEndsQuietly();
    void automaticLowSigmaStillComputes();
    void automaticNonNumberSigmaWritesNothing();
    void automaticNoSandRatioRow();
    void automaticOverflowFails();
    void automaticUnsetMaximum();
    void declinedConfirmationChangesNothing();
    void stepwiseWaterCement();
    void stepwiseSandRatio_data();
    void stepwiseSandRatio();
    void stepwiseComplete();
    void stepwiseCompleteRecomputesRatio();
    void smallActions();
};

void TestDesignCommands::loadState() {
    DesignRig f;
    QCOMPARE(f[Form1::dateTag], QStringLiteral("PB(2005-6-12)"));
    QCOMPARE(f[Form1::fileName], QStringLiteral("-PB(2005-6-12)"));
    for (const QString& name :
         Form1::automaticColumn() + Form1::stepwiseColumn() +
             QStringList{Form1::mixLine, Form1::referenceWater, Form1::referenceSandRatio})
        QVERIFY2(f[name].isEmpty(), qPrintable(name));
    QCOMPARE(f[Form1::sigma], QStringLiteral("5"));
    // A window opened anew remembers no admixture water.
    f.set(Form1::sentAdmixtureWater, "157.25");
    f.design.load(QDate(2005, 6, 13));
    QVERIFY(f[Form1::sentAdmixtureWater].isEmpty());
}

void TestDesignCommands::automaticWithInitialInputs() {
    DesignRig f;
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.automaticDesign();
    QCOMPARE(f[Form1::sigmaCheck], QStringLiteral("混凝土强度标准差符合规定！"));
    QCOMPARE(f[Form1::automaticSigma], QStringLiteral("5"));
    QCOMPARE(f[Form1::automaticTarget], QStringLiteral("38.225"));
    QCOMPARE(f[Form1::automaticCementStrength], QStringLiteral("48.025"));
    QCOMPARE(f[Form1::automaticRatio], QStringLiteral("0.56"));
    QCOMPARE(f[Form1::ratioCheck], QStringLiteral("水灰比符合规定！"));
    QCOMPARE(f[Form1::automaticWater], QStringLiteral("185"));
    QCOMPARE(f[Form1::automaticCement], QStringLiteral("333"));
    QCOMPARE(f[Form1::cementCheck], QStringLiteral("水泥用量符合规定！"));
    QCOMPARE(f[Form1::automaticSandRatio], QStringLiteral("0.338"));
    QCOMPARE(f[Form1::automaticSand], QStringLiteral("636"));
    QCOMPARE(f[Form1::automaticStone], QStringLiteral("1246"));
    QCOMPARE(f[Form1::mixLine],
             QStringLiteral("水泥333.056149423987水185砂635.590680078088碎石1246.40931992191"));
    QCOMPARE(f[Form1::proportion], QStringLiteral("1:1.91:3.74:0.56"));
    QVERIFY(!f.red(Form1::sigmaCheck) && !f.red(Form1::ratioCheck) && !f.red(Form1::cementCheck));
    QCOMPARE(f.prompter.beeps(), 0);
    QCOMPARE(f.messageTexts(), QStringList{kConfirm});
    const QStringList order = {Form1::sigmaCheck,      Form1::automaticSigma,
                               Form1::automaticTarget, Form1::automaticCementStrength,
                               Form1::automaticRatio,  Form1::ratioCheck,
                               Form1::automaticWater,  Form1::automaticCement,
                               Form1::cementCheck,     Form1::automaticSandRatio,
                               Form1::automaticSand,   Form1::automaticStone,
                               Form1::mixLine,         Form1::proportion};
    QCOMPARE(f.fields.writes(), order);
}

void TestDesignCommands::automaticRatioAboveMaximum_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("check");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("cement"); // empty: the run fails at the cement content
    QTest::newRow("accept maximum") << "0.55"
                                    << "0.55"
                                    << "校核后符合规定！" << false << "336";
    QTest::newRow("keep too high") << "0.6"
                                   << "0.60"
                                   << "水灰比不符合规定！" << true << "308";
    QTest::newRow("empty answer reads 0") << ""
                                          << "0.00"
                                          << "校核后符合规定！" << false << "";
    QTest::newRow("text answer reads 0") << "abc"
                                         << "0.00"
                                         << "校核后符合规定！" << false << "";
}

void TestDesignCommands::automaticRatioAboveMaximum() {
    QFETCH(QString, answer);
    QFETCH(QString, ratio);
    QFETCH(QString, check);
    QFETCH(bool, red);
    QFETCH(QString, cement);
    DesignRig f;
    f.set(Form1::environment, "潮湿环境有冻害");
    f.set(Form1::reinforcement, "钢筋混凝土");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(answer);
    if (cement.isEmpty())
        f.prompter.queueAnswer(MessageButton::No);
    f.design.automaticDesign();
    QCOMPARE(f.prompter.beeps(), 3);
    QCOMPARE(f.prompter.inputs().size(), 1);
    const InputBoxRequest box = f.prompter.inputs().first();
    QCOMPARE(box.title, QStringLiteral("水灰比验证提示！"));
    QCOMPARE(box.proposal, QStringLiteral("0.55"));
    QCOMPARE(box.prompt,
             QStringLiteral("按水灰比计算公式计算的水灰比为：0.56\r\n该工程规范规定的最大水灰比为：0.55"));
    QCOMPARE(f[Form1::automaticRatio], ratio);
    QCOMPARE(f[Form1::ratioCheck], check);
    QCOMPARE(f.red(Form1::ratioCheck), red);
    if (cement.isEmpty()) {
        QCOMPARE(f.messageTexts().last(), kFailure);
        QCOMPARE(f[Form1::automaticWater], QStringLiteral("185"));
        QVERIFY(f[Form1::automaticCement].isEmpty());
    } else {
        QCOMPARE(f[Form1::automaticCement], cement);
        QCOMPARE(f.messageTexts(), QStringList{kConfirm});
    }
}

void TestDesignCommands::automaticCancelledRatioEndsQuietly() {
    DesignRig f;
    f.set(Form1::environment, "潮湿环境有冻害");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(std::nullopt);
    f.design.automaticDesign();
    QCOMPARE(f[Form1::automaticRatio], QStringLiteral("0.56"));
    QVERIFY(f[Form1::ratioCheck].isEmpty());
    QVERIFY(f[Form1::automaticWater].isEmpty());
    QCOMPARE(f.messageTexts(), QStringList{kConfirm});
}

void TestDesignCommands::automaticLowSigmaStillComputes() {
    DesignRig f;
    f.set(Form1::gradeRange, "低于C20");
    f.set(Form1::sigma, "2");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.automaticDesign();
    QCOMPARE(f[Form1::sigmaCheck], QStringLiteral("混凝土强度标准差不符合规定！"));
    QVERIFY(f.red(Form1::sigmaCheck));
    QCOMPARE(f.prompter.beeps(), 3);
    QCOMPARE(f[Form1::automaticTarget], QStringLiteral("33.290"));
    QCOMPARE(f[Form1::automaticSigma], QStringLiteral("2"));

    // A later passing run turns the check back to the normal colour.
    f.set(Form1::sigma, "4");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.automaticDesign();
    QVERIFY(!f.red(Form1::sigmaCheck));
}

void TestDesignCommands::automaticNonNumberSigmaWritesNothing() {
    for (const char* range : {"C20-C35", "C40"}) {
        DesignRig f;
        f.set(Form1::gradeRange, range);
        f.set(Form1::sigma, "五");
        f.fields.clearWrites();
        f.prompter.queueAnswer(MessageButton::Yes);
        f.prompter.queueAnswer(MessageButton::Yes);
        f.design.automaticDesign();
        QCOMPARE(f.messageTexts(), (QStringList{kConfirm, kFailure}));
        QVERIFY(f.fields.writes().isEmpty());
    }
}

void TestDesignCommands::automaticNoSandRatioRow() {
    DesignRig f;
    f.set(Form1::environment, "潮湿环境有冻害");
    f.set(Form1::automaticSandRatio, "old13");
    f.set(Form1::proportion, "old5");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.38"));
    f.prompter.queueAnswer(MessageButton::No);
    f.design.automaticDesign();
    QCOMPARE(f[Form1::automaticCement], QStringLiteral("487"));
    QCOMPARE(f[Form1::cementCheck], QStringLiteral("水泥用量符合规定！"));
    QCOMPARE(f[Form1::automaticSandRatio], QStringLiteral("old13"));
    QCOMPARE(f[Form1::proportion], QStringLiteral("old5"));
    QCOMPARE(f.messageTexts().last(), kFailure);
}

void TestDesignCommands::automaticOverflowFails() {
    DesignRig f;
    f.set(Form1::cementGrade, "1e308");
    f.set(Form1::cementFactor, "10");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.automaticDesign();
    QCOMPARE(f[Form1::automaticTarget], QStringLiteral("38.225"));
    QVERIFY(f[Form1::automaticCementStrength].isEmpty());
    QCOMPARE(f.messageTexts().last(), kFailure);
}

void TestDesignCommands::automaticUnsetMaximum() {
    DesignRig f;
    f.set(Form1::environment, "室内");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.5"));
    f.design.automaticDesign();
    QCOMPARE(f.prompter.inputs().first().proposal, QStringLiteral("0.00"));
    QCOMPARE(f[Form1::ratioCheck], QStringLiteral("水灰比不符合规定！"));
    // Minimum cement 0: any positive content passes.
    QCOMPARE(f[Form1::cementCheck], QStringLiteral("水泥用量符合规定！"));
    QCOMPARE(f[Form1::proportion], QStringLiteral("1:1.55:3.44:0.50"));
}

void TestDesignCommands::declinedConfirmationChangesNothing() {
    DesignRig f;
    for (void (MixDesign::*command)() : {&MixDesign::automaticDesign, &MixDesign::waterStep,
                                         &MixDesign::sandRatioStep, &MixDesign::completeStepwise}) {
        f.prompter.queueAnswer(MessageButton::No);
        (f.design.*command)();
    }
    QVERIFY(f.fields.writes().isEmpty());
    QCOMPARE(f.prompter.beeps(), 0);
}

void TestDesignCommands::stepwiseWaterCement() {
    DesignRig f;
    f.set(Form1::stepwiseWater, "kept");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.56"));
    f.design.waterStep();
    QCOMPARE(f.prompter.beeps(), 6);
    const InputBoxRequest box = f.prompter.inputs().first();
    QCOMPARE(box.title, QStringLiteral("确定水灰比！"));
    QCOMPARE(box.proposal, QStringLiteral("0.56"));
    QCOMPARE(
        box.prompt,
        QStringLiteral("按水灰比计算公式计算的水灰比为：0.56\r\n您采用该水灰比或者输入您自己的水灰比！"));
    QCOMPARE(f[Form1::stepwiseTarget], QStringLiteral("38.225"));
    QCOMPARE(f[Form1::stepwiseSigma], QStringLiteral("5"));
    QCOMPARE(f[Form1::stepwiseCementStrength], QStringLiteral("48.025"));
    QCOMPARE(f[Form1::stepwiseRatio], QStringLiteral("0.56"));
    QCOMPARE(f[Form1::ratioCheck], QStringLiteral("校核后符合规定！"));
    QCOMPARE(f[Form1::referenceWater], QStringLiteral("185"));
    QCOMPARE(f[Form1::stepwiseWater], QStringLiteral("kept"));
    QVERIFY(f[Form1::automaticTarget].isEmpty());

    // Over the maximum the box proposes the maximum under its own title.
    DesignRig g;
    g.set(Form1::environment, "有冻害和除冰剂的潮湿环境");
    g.prompter.queueAnswer(MessageButton::Yes);
    g.prompter.queueInput(QStringLiteral("0.52"));
    g.design.waterStep();
    QCOMPARE(g.prompter.inputs().first().title, QStringLiteral("水灰比验证提示！"));
    QCOMPARE(g.prompter.inputs().first().proposal, QStringLiteral("0.50"));
    QCOMPARE(g[Form1::stepwiseRatio], QStringLiteral("0.52"));
    QCOMPARE(g[Form1::ratioCheck], QStringLiteral("水灰比不符合规定！"));
    QVERIFY(g.red(Form1::ratioCheck));

    // Cancel ends the step with the formula's ratio written and no reference water.
    DesignRig h;
    h.prompter.queueAnswer(MessageButton::Yes);
    h.prompter.queueInput(std::nullopt);
    h.design.waterStep();
    QCOMPARE(h[Form1::stepwiseRatio], QStringLiteral("0.56"));
    QVERIFY(h[Form1::referenceWater].isEmpty());
}

void TestDesignCommands::stepwiseSandRatio_data() {
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("water");
    QTest::addColumn<QString>("cement");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("reference"); // empty: the no-row message
    QTest::newRow("initial") << "0.56"
                             << "185"
                             << "330"
                             << "水泥用量符合规定！"
                             << "0.340";
    QTest::newRow("cement equal to minimum") << "0.5"
                                             << "100"
                                             << "200"
                                             << "水泥用量不符合规定！"
                                             << "0.310";
    QTest::newRow("ratio below table") << "0.38"
                                       << "185"
                                       << "487"
                                       << "水泥用量符合规定！"
                                       << "";
    QTest::newRow("row 1") << "0.45"
                           << "185"
                           << "411"
                           << "水泥用量符合规定！"
                           << "0.283";
}

void TestDesignCommands::stepwiseSandRatio() {
    QFETCH(QString, ratio);
    QFETCH(QString, water);
    QFETCH(QString, cement);
    QFETCH(QString, check);
    QFETCH(QString, reference);
    DesignRig f;
    f.fields.setText(Form1::stepwiseRatio, ratio);
    f.fields.setText(Form1::stepwiseWater, water);
    f.set(Form1::referenceSandRatio, "old");
    f.prompter.queueAnswer(MessageButton::Yes);
    if (reference.isEmpty())
        f.prompter.queueAnswer(MessageButton::Yes);
    f.design.sandRatioStep();
    QCOMPARE(f[Form1::stepwiseCement], cement);
    QCOMPARE(f[Form1::cementCheck], check);
    QCOMPARE(f.red(Form1::cementCheck), check.contains(QStringLiteral("不符合")));
    if (reference.isEmpty()) {
        QCOMPARE(f[Form1::referenceSandRatio], QStringLiteral("old"));
        QCOMPARE(f.messageTexts().last(), kNoSandRatio);
    } else {
        QCOMPARE(f[Form1::referenceSandRatio], reference);
    }
}

void TestDesignCommands::stepwiseComplete() {
    DesignRig f;
    f.set(Form1::stepwiseWater, "185");
    f.set(Form1::stepwiseSandRatio, "0.34");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.completeStepwise();
    QCOMPARE(f[Form1::stepwiseTarget], QStringLiteral("38.225"));
    QCOMPARE(f[Form1::ratioCheck], QStringLiteral("水灰比符合规定！"));
    QCOMPARE(f[Form1::stepwiseCement], QStringLiteral("333"));
    QCOMPARE(f[Form1::stepwiseSandRatio], QStringLiteral("0.340"));
    QCOMPARE(f[Form1::stepwiseSand], QStringLiteral("640"));
    QCOMPARE(f[Form1::stepwiseStone], QStringLiteral("1242"));
    QCOMPARE(f[Form1::proportion], QStringLiteral("1:1.92:3.73:0.56"));
    QVERIFY(f[Form1::stepwiseRatio].isEmpty());

    // A percentage typed where a fraction belongs gives a negative stone content, as the field says.
    f.set(Form1::stepwiseSandRatio, "34");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.completeStepwise();
    QCOMPARE(f[Form1::stepwiseSandRatio], QStringLiteral("34.000"));
    QVERIFY(f[Form1::stepwiseStone].startsWith(u'-'));

    // Empty water: cement 0, which is no division failure; the stone reads the water field strictly.
    DesignRig g;
    g.set(Form1::stepwiseSandRatio, "0.34");
    g.prompter.queueAnswer(MessageButton::Yes);
    g.prompter.queueAnswer(MessageButton::Yes);
    g.design.completeStepwise();
    QCOMPARE(g[Form1::stepwiseCement], QStringLiteral("0"));
    QCOMPARE(g[Form1::cementCheck], QStringLiteral("水泥用量不符合规定！"));
    QCOMPARE(g.messageTexts().last(), kFailure);
    QVERIFY(g[Form1::stepwiseStone].isEmpty());
}

void TestDesignCommands::stepwiseCompleteRecomputesRatio() {
    DesignRig f;
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.50"));
    f.design.waterStep();
    f.set(Form1::stepwiseWater, "185");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.sandRatioStep();
    QCOMPARE(f[Form1::stepwiseCement], QStringLiteral("370"));
    f.set(Form1::stepwiseSandRatio, "0.34");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.completeStepwise();
    QCOMPARE(f[Form1::stepwiseCement], QStringLiteral("333"));
    QCOMPARE(f[Form1::stepwiseRatio], QStringLiteral("0.50"));
}

void TestDesignCommands::smallActions() {
    DesignRig f;
    const QList<std::pair<const char*, const char*>> ranges = {
        {"低于C20", "4"}, {"C20-C35", "5"}, {"高于C35", "6"}, {"C40", "6"}};
    for (const auto& [range, sigma] : ranges) {
        f.set(Form1::gradeRange, range);
        f.design.gradeRangeLeft();
        QCOMPARE(f[Form1::sigma], QString::fromUtf8(sigma));
    }
    f.set(Form1::stepwiseWater, "200");
    f.set(Form1::sentAdmixtureWater, "200");
    f.design.importWater();
    QVERIFY(f[Form1::stepwiseWater].isEmpty());
    // The imported water is the table's, whatever the admixture window sent before.
    QVERIFY(f[Form1::sentAdmixtureWater].isEmpty());
    f.set(Form1::referenceSandRatio, "0.338");
    f.design.importSandRatio();
    QCOMPARE(f[Form1::stepwiseSandRatio], QStringLiteral("0.338"));
    f.set(Form1::fileName, "C30-PB(2005-6-12)");
    f.design.completeFileName();
    QCOMPARE(f[Form1::fileName], QStringLiteral("C30-PB(2005-6-12)-PB(2005-6-12)"));
}

QTEST_GUILESS_MAIN(TestDesignCommands)
#include "test_design_commands.moc"
