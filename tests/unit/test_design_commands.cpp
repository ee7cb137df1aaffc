#include "common/mapfields.h"
#include "common/scriptedprompter.h"
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
struct Form1 {
    MapFields fields{form1FieldNames()};
    ScriptedPrompter prompter;
    MixDesign design{fields, prompter};

    Form1() {
        const QList<std::pair<const char*, const char*>> initial = {
            {"Combo1", "C20-C35"}, {"Text29", "5"},     {"Text2", "30"},        {"Text3", "42.5"},
            {"Text4", "1.13"},     {"Combo3", "35-50"}, {"Combo2", "31.5"},     {"Combo4", "0.46"},
            {"Combo5", "0.07"},    {"Combo6", "2400"},  {"Combo7", "干燥环境"}, {"Combo8", "素混凝土"}};
        for (const auto& [name, text] : initial)
            fields.setText(QString::fromUtf8(name), QString::fromUtf8(text));
        design.load(QDate(2005, 6, 12));
        fields.clearWrites();
    }
    QString operator[](const char* name) const { return fields.text(QString::fromUtf8(name)); }
    void set(const char* name, const char* text) {
        fields.setText(QString::fromUtf8(name), QString::fromUtf8(text));
    }
    bool red(const char* name) const { return fields.colour(QString::fromUtf8(name)) == CheckColour::Red; }
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
    Form1 f;
    QCOMPARE(f["Label28"], QStringLiteral("PB(2005-6-12)"));
    QCOMPARE(f["Text28"], QStringLiteral("-PB(2005-6-12)"));
    for (int i = 7; i <= 27; ++i)
        QVERIFY(f.fields.text(QStringLiteral("Text%1").arg(i)).isEmpty());
    QCOMPARE(f["Text29"], QStringLiteral("5"));
}

void TestDesignCommands::automaticWithInitialInputs() {
    Form1 f;
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command1();
    QCOMPARE(f["Text30"], QStringLiteral("混凝土强度标准差符合规定！"));
    QCOMPARE(f["Text8"], QStringLiteral("5"));
    QCOMPARE(f["Text7"], QStringLiteral("38.225"));
    QCOMPARE(f["Text9"], QStringLiteral("48.025"));
    QCOMPARE(f["Text10"], QStringLiteral("0.56"));
    QCOMPARE(f["Text1"], QStringLiteral("水灰比符合规定！"));
    QCOMPARE(f["Text11"], QStringLiteral("185"));
    QCOMPARE(f["Text12"], QStringLiteral("333"));
    QCOMPARE(f["Text6"], QStringLiteral("水泥用量符合规定！"));
    QCOMPARE(f["Text13"], QStringLiteral("0.338"));
    QCOMPARE(f["Text14"], QStringLiteral("636"));
    QCOMPARE(f["Text15"], QStringLiteral("1246"));
    QCOMPARE(f["Text16"], QStringLiteral("水泥333.056149423987水185砂635.590680078088碎石1246.40931992191"));
    QCOMPARE(f["Text5"], QStringLiteral("1:1.91:3.74:0.56"));
    QVERIFY(!f.red("Text30") && !f.red("Text1") && !f.red("Text6"));
    QCOMPARE(f.prompter.beeps(), 0);
    QCOMPARE(f.messageTexts(), QStringList{kConfirm});
    const QStringList order = {"Text30", "Text8", "Text7",  "Text9",  "Text10", "Text1",  "Text11",
                               "Text12", "Text6", "Text13", "Text14", "Text15", "Text16", "Text5"};
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
    Form1 f;
    f.set("Combo7", "潮湿环境有冻害");
    f.set("Combo8", "钢筋混凝土");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(answer);
    if (cement.isEmpty())
        f.prompter.queueAnswer(MessageButton::No);
    f.design.command1();
    QCOMPARE(f.prompter.beeps(), 3);
    QCOMPARE(f.prompter.inputs().size(), 1);
    const InputBoxRequest box = f.prompter.inputs().first();
    QCOMPARE(box.title, QStringLiteral("水灰比验证提示！"));
    QCOMPARE(box.proposal, QStringLiteral("0.55"));
    QCOMPARE(box.prompt,
             QStringLiteral("按水灰比计算公式计算的水灰比为：0.56\r\n该工程规范规定的最大水灰比为：0.55"));
    QCOMPARE(f["Text10"], ratio);
    QCOMPARE(f["Text1"], check);
    QCOMPARE(f.red("Text1"), red);
    if (cement.isEmpty()) {
        QCOMPARE(f.messageTexts().last(), kFailure);
        QCOMPARE(f["Text11"], QStringLiteral("185"));
        QVERIFY(f["Text12"].isEmpty());
    } else {
        QCOMPARE(f["Text12"], cement);
        QCOMPARE(f.messageTexts(), QStringList{kConfirm});
    }
}

void TestDesignCommands::automaticCancelledRatioEndsQuietly() {
    Form1 f;
    f.set("Combo7", "潮湿环境有冻害");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(std::nullopt);
    f.design.command1();
    QCOMPARE(f["Text10"], QStringLiteral("0.56"));
    QVERIFY(f["Text1"].isEmpty());
    QVERIFY(f["Text11"].isEmpty());
    QCOMPARE(f.messageTexts(), QStringList{kConfirm});
}

void TestDesignCommands::automaticLowSigmaStillComputes() {
    Form1 f;
    f.set("Combo1", "低于C20");
    f.set("Text29", "2");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command1();
    QCOMPARE(f["Text30"], QStringLiteral("混凝土强度标准差不符合规定！"));
    QVERIFY(f.red("Text30"));
    QCOMPARE(f.prompter.beeps(), 3);
    QCOMPARE(f["Text7"], QStringLiteral("33.290"));
    QCOMPARE(f["Text8"], QStringLiteral("2"));

    // A later passing run turns the check back to the normal colour.
    f.set("Text29", "4");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command1();
    QVERIFY(!f.red("Text30"));
}

void TestDesignCommands::automaticNonNumberSigmaWritesNothing() {
    for (const char* range : {"C20-C35", "C40"}) {
        Form1 f;
        f.set("Combo1", range);
        f.set("Text29", "五");
        f.fields.clearWrites();
        f.prompter.queueAnswer(MessageButton::Yes);
        f.prompter.queueAnswer(MessageButton::Yes);
        f.design.command1();
        QCOMPARE(f.messageTexts(), (QStringList{kConfirm, kFailure}));
        QVERIFY(f.fields.writes().isEmpty());
    }
}

void TestDesignCommands::automaticNoSandRatioRow() {
    Form1 f;
    f.set("Combo7", "潮湿环境有冻害");
    f.set("Text13", "old13");
    f.set("Text5", "old5");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.38"));
    f.prompter.queueAnswer(MessageButton::No);
    f.design.command1();
    QCOMPARE(f["Text12"], QStringLiteral("487"));
    QCOMPARE(f["Text6"], QStringLiteral("水泥用量符合规定！"));
    QCOMPARE(f["Text13"], QStringLiteral("old13"));
    QCOMPARE(f["Text5"], QStringLiteral("old5"));
    QCOMPARE(f.messageTexts().last(), kFailure);
}

void TestDesignCommands::automaticOverflowFails() {
    Form1 f;
    f.set("Text3", "1e308");
    f.set("Text4", "10");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command1();
    QCOMPARE(f["Text7"], QStringLiteral("38.225"));
    QVERIFY(f["Text9"].isEmpty());
    QCOMPARE(f.messageTexts().last(), kFailure);
}

void TestDesignCommands::automaticUnsetMaximum() {
    Form1 f;
    f.set("Combo7", "室内");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.5"));
    f.design.command1();
    QCOMPARE(f.prompter.inputs().first().proposal, QStringLiteral("0.00"));
    QCOMPARE(f["Text1"], QStringLiteral("水灰比不符合规定！"));
    // Minimum cement 0: any positive content passes.
    QCOMPARE(f["Text6"], QStringLiteral("水泥用量符合规定！"));
    QCOMPARE(f["Text5"], QStringLiteral("1:1.55:3.44:0.50"));
}

void TestDesignCommands::declinedConfirmationChangesNothing() {
    Form1 f;
    for (void (MixDesign::*command)() :
         {&MixDesign::command1, &MixDesign::command3, &MixDesign::command4, &MixDesign::command5}) {
        f.prompter.queueAnswer(MessageButton::No);
        (f.design.*command)();
    }
    QVERIFY(f.fields.writes().isEmpty());
    QCOMPARE(f.prompter.beeps(), 0);
}

void TestDesignCommands::stepwiseWaterCement() {
    Form1 f;
    f.set("Text21", "kept");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.56"));
    f.design.command3();
    QCOMPARE(f.prompter.beeps(), 6);
    const InputBoxRequest box = f.prompter.inputs().first();
    QCOMPARE(box.title, QStringLiteral("确定水灰比！"));
    QCOMPARE(box.proposal, QStringLiteral("0.56"));
    QCOMPARE(
        box.prompt,
        QStringLiteral("按水灰比计算公式计算的水灰比为：0.56\r\n您采用该水灰比或者输入您自己的水灰比！"));
    QCOMPARE(f["Text17"], QStringLiteral("38.225"));
    QCOMPARE(f["Text18"], QStringLiteral("5"));
    QCOMPARE(f["Text19"], QStringLiteral("48.025"));
    QCOMPARE(f["Text20"], QStringLiteral("0.56"));
    QCOMPARE(f["Text1"], QStringLiteral("校核后符合规定！"));
    QCOMPARE(f["Text26"], QStringLiteral("185"));
    QCOMPARE(f["Text21"], QStringLiteral("kept"));
    QVERIFY(f["Text7"].isEmpty());

    // Over the maximum the box proposes the maximum under its own title.
    Form1 g;
    g.set("Combo7", "有冻害和除冰剂的潮湿环境");
    g.prompter.queueAnswer(MessageButton::Yes);
    g.prompter.queueInput(QStringLiteral("0.52"));
    g.design.command3();
    QCOMPARE(g.prompter.inputs().first().title, QStringLiteral("水灰比验证提示！"));
    QCOMPARE(g.prompter.inputs().first().proposal, QStringLiteral("0.50"));
    QCOMPARE(g["Text20"], QStringLiteral("0.52"));
    QCOMPARE(g["Text1"], QStringLiteral("水灰比不符合规定！"));
    QVERIFY(g.red("Text1"));

    // Cancel ends the step with the formula's ratio written and no reference water.
    Form1 h;
    h.prompter.queueAnswer(MessageButton::Yes);
    h.prompter.queueInput(std::nullopt);
    h.design.command3();
    QCOMPARE(h["Text20"], QStringLiteral("0.56"));
    QVERIFY(h["Text26"].isEmpty());
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
    Form1 f;
    f.fields.setText(QStringLiteral("Text20"), ratio);
    f.fields.setText(QStringLiteral("Text21"), water);
    f.set("Text27", "old");
    f.prompter.queueAnswer(MessageButton::Yes);
    if (reference.isEmpty())
        f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command4();
    QCOMPARE(f["Text22"], cement);
    QCOMPARE(f["Text6"], check);
    QCOMPARE(f.red("Text6"), check.contains(QStringLiteral("不符合")));
    if (reference.isEmpty()) {
        QCOMPARE(f["Text27"], QStringLiteral("old"));
        QCOMPARE(f.messageTexts().last(), kNoSandRatio);
    } else {
        QCOMPARE(f["Text27"], reference);
    }
}

void TestDesignCommands::stepwiseComplete() {
    Form1 f;
    f.set("Text21", "185");
    f.set("Text23", "0.34");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command5();
    QCOMPARE(f["Text17"], QStringLiteral("38.225"));
    QCOMPARE(f["Text1"], QStringLiteral("水灰比符合规定！"));
    QCOMPARE(f["Text22"], QStringLiteral("333"));
    QCOMPARE(f["Text23"], QStringLiteral("0.340"));
    QCOMPARE(f["Text24"], QStringLiteral("640"));
    QCOMPARE(f["Text25"], QStringLiteral("1242"));
    QCOMPARE(f["Text5"], QStringLiteral("1:1.92:3.73:0.56"));
    QVERIFY(f["Text20"].isEmpty());

    // A percentage typed where a fraction belongs gives a negative stone content, as the field says.
    f.set("Text23", "34");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command5();
    QCOMPARE(f["Text23"], QStringLiteral("34.000"));
    QVERIFY(f["Text25"].startsWith(u'-'));

    // Empty water: cement 0, which is no division failure; the stone reads the water field strictly.
    Form1 g;
    g.set("Text23", "0.34");
    g.prompter.queueAnswer(MessageButton::Yes);
    g.prompter.queueAnswer(MessageButton::Yes);
    g.design.command5();
    QCOMPARE(g["Text22"], QStringLiteral("0"));
    QCOMPARE(g["Text6"], QStringLiteral("水泥用量不符合规定！"));
    QCOMPARE(g.messageTexts().last(), kFailure);
    QVERIFY(g["Text25"].isEmpty());
}

void TestDesignCommands::stepwiseCompleteRecomputesRatio() {
    Form1 f;
    f.prompter.queueAnswer(MessageButton::Yes);
    f.prompter.queueInput(QStringLiteral("0.50"));
    f.design.command3();
    f.set("Text21", "185");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command4();
    QCOMPARE(f["Text22"], QStringLiteral("370"));
    f.set("Text23", "0.34");
    f.prompter.queueAnswer(MessageButton::Yes);
    f.design.command5();
    QCOMPARE(f["Text22"], QStringLiteral("333"));
    QCOMPARE(f["Text20"], QStringLiteral("0.50"));
}

void TestDesignCommands::smallActions() {
    Form1 f;
    const QList<std::pair<const char*, const char*>> ranges = {
        {"低于C20", "4"}, {"C20-C35", "5"}, {"高于C35", "6"}, {"C40", "6"}};
    for (const auto& [range, sigma] : ranges) {
        f.set("Combo1", range);
        f.design.gradeRangeLeft();
        QCOMPARE(f["Text29"], QString::fromUtf8(sigma));
    }
    f.set("Text21", "200");
    f.design.importWater();
    QVERIFY(f["Text21"].isEmpty());
    f.set("Text27", "0.338");
    f.design.importSandRatio();
    QCOMPARE(f["Text23"], QStringLiteral("0.338"));
    f.set("Text28", "C30-PB(2005-6-12)");
    f.design.completeFileName();
    QCOMPARE(f["Text28"], QStringLiteral("C30-PB(2005-6-12)-PB(2005-6-12)"));
}

QTEST_GUILESS_MAIN(TestDesignCommands)
#include "test_design_commands.moc"
