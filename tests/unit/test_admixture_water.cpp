#include "admixture/admixturewater.h"
#include "admixture/wai.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"

#include <QTest>

namespace {

const QStringList kWaiFields = {Wai::baseWater, Wai::reductionRate, Wai::result, Wai::note};

} // namespace

class TestAdmixtureWater : public QObject {
    Q_OBJECT

private slots:
    void compute_data();
    void compute();
    void failureKeepsResult_data();
    void failureKeepsResult();
    void noLeavesEverything();
    void sendBack_data();
    void sendBack();
    void loadAndReceive();
};

// Base water and rate as typed, and Text3 after "计算" answered with Yes.
void TestAdmixtureWater::compute_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("result");

    QTest::newRow("185 at 15 %") << "185"
                                 << "15"
                                 << "157.25";
    QTest::newRow("195 at 12 %") << "195"
                                 << "12"
                                 << "171.6";
    QTest::newRow("both empty") << ""
                                << ""
                                << "0";
    QTest::newRow("percent sign ignored") << "180"
                                          << "12%"
                                          << "158.4";
    QTest::newRow("letters read as no reduction") << "180"
                                                  << "abc"
                                                  << "180";
    QTest::newRow("letters as base") << "kg"
                                     << "15"
                                     << "0";
    QTest::newRow("unit after base") << "  185kg"
                                     << "15"
                                     << "157.25";
    QTest::newRow("rate above 100 goes negative") << "180"
                                                  << "120"
                                                  << "-36";
    QTest::newRow("rate of 100 gives 0") << "180"
                                         << "100"
                                         << "0";
    QTest::newRow("negative rate adds water") << "200"
                                              << "-10"
                                              << "220";
    QTest::newRow("decimal base and rate") << "187.5"
                                           << "18.5"
                                           << "152.8125";
}

void TestAdmixtureWater::compute() {
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(QString, result);
    MapFields fields(kWaiFields);
    ScriptedPrompter prompter;
    AdmixtureWater wai(fields, prompter);
    fields.setText(Wai::baseWater, base);
    fields.setText(Wai::reductionRate, rate);
    fields.setText(Wai::result, "old");
    prompter.queueAnswer(MessageButton::Yes);
    wai.computeWater();
    QCOMPARE(fields.text(Wai::result), result);
    QCOMPARE(fields.text(Wai::baseWater), base);
    QCOMPARE(fields.text(Wai::reductionRate), rate);
    QCOMPARE(prompter.messages().size(), 1);
    const MessageBoxRequest& box = prompter.messages().first();
    QCOMPARE(box.text, QStringLiteral("您填入的数据正确吗？"));
    QVERIFY(box.title.isEmpty());
    QCOMPARE(box.icon, MessageIcon::Question);
    QCOMPARE(box.buttons, MessageButtons::YesNo);
}

// Values past double: the stop box "请输入正确的参数！", whichever button closes it, and Text3 untouched.
void TestAdmixtureWater::failureKeepsResult_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<MessageButton>("answer");

    QTest::newRow("base past double, OK") << "1e400"
                                          << "10" << MessageButton::Ok;
    QTest::newRow("rate past double, Cancel") << "180"
                                              << "1e400" << MessageButton::Cancel;
    QTest::newRow("product overflows") << "1e308"
                                       << "-1e308" << MessageButton::Ok;
    QTest::newRow("infinite base times nothing left") << "1e999"
                                                      << "100" << MessageButton::Ok;
}

void TestAdmixtureWater::failureKeepsResult() {
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(MessageButton, answer);
    MapFields fields(kWaiFields);
    ScriptedPrompter prompter;
    AdmixtureWater wai(fields, prompter);
    fields.setText(Wai::baseWater, base);
    fields.setText(Wai::reductionRate, rate);
    fields.setText(Wai::result, "157.25");
    prompter.queueAnswer(MessageButton::Yes);
    prompter.queueAnswer(answer);
    wai.computeWater();
    QCOMPARE(fields.text(Wai::result), QStringLiteral("157.25"));
    QCOMPARE(prompter.messages().size(), 2);
    const MessageBoxRequest& box = prompter.messages().at(1);
    QCOMPARE(box.text, QStringLiteral("请输入正确的参数！"));
    QCOMPARE(box.title, QStringLiteral("重要提示"));
    QCOMPARE(box.icon, MessageIcon::Stop);
    QCOMPARE(box.buttons, MessageButtons::OkCancel);
}

void TestAdmixtureWater::noLeavesEverything() {
    MapFields fields(kWaiFields);
    ScriptedPrompter prompter;
    AdmixtureWater wai(fields, prompter);
    fields.setText(Wai::baseWater, "185");
    fields.setText(Wai::reductionRate, "15");
    fields.setText(Wai::result, "before");
    fields.clearWrites();
    prompter.queueAnswer(MessageButton::No);
    wai.computeWater();
    QVERIFY(fields.writes().isEmpty());
    QCOMPARE(fields.text(Wai::result), QStringLiteral("before"));
    QCOMPARE(prompter.messages().size(), 1);
}

// Text3 goes into the main window's Text21 exactly as it stands, and is remembered in its hidden Text31;
// nothing else of the main window changes.
void TestAdmixtureWater::sendBack_data() {
    QTest::addColumn<QString>("result");
    QTest::newRow("number") << "157.25";
    QTest::newRow("empty empties the water") << "";
    QTest::newRow("not a number") << "abc 12";
    QTest::newRow("blanks kept") << " 171.6 ";
}

void TestAdmixtureWater::sendBack() {
    QFETCH(QString, result);
    MapFields fields(kWaiFields);
    MapFields main(
        {Form1::stepwiseWater, Form1::referenceWater, Form1::automaticWater, Form1::sentAdmixtureWater});
    ScriptedPrompter prompter;
    AdmixtureWater wai(fields, prompter);
    fields.setText(Wai::result, result);
    main.setText(Form1::stepwiseWater, "185");
    main.setText(Form1::referenceWater, "185");
    main.clearWrites();
    wai.sendWaterBack(main);
    QCOMPARE(main.text(Form1::stepwiseWater), result);
    QCOMPARE(main.writes(), (QStringList{Form1::stepwiseWater, Form1::sentAdmixtureWater}));
    QCOMPARE(main.text(Form1::sentAdmixtureWater), result);
    QCOMPARE(main.text(Form1::referenceWater), QStringLiteral("185"));
    QCOMPARE(fields.text(Wai::result), result);
    QVERIFY(prompter.messages().isEmpty());
}

void TestAdmixtureWater::loadAndReceive() {
    MapFields fields(kWaiFields);
    ScriptedPrompter prompter;
    AdmixtureWater wai(fields, prompter);
    for (const QString& name : kWaiFields)
        fields.setText(name, "left over");
    wai.load();
    QCOMPARE(fields.text(Wai::baseWater), QString());
    QCOMPARE(fields.text(Wai::reductionRate), QString());
    QCOMPARE(fields.text(Wai::result), QString());
    const QString note = fields.text(Wai::note);
    QVERIFY(note.startsWith(QStringLiteral("目前外加剂得到了广泛的应用，")));
    QVERIFY(note.endsWith(QStringLiteral("您可以把外掺剂的品种、掺量等内容写在设计书备注里。\n")));
    QCOMPARE(note.count(u'\n'), 1);

    fields.setText(Wai::reductionRate, "15");
    fields.clearWrites();
    wai.receiveBaseWater("195");
    QCOMPARE(fields.writes(), QStringList{Wai::baseWater});
    QCOMPARE(fields.text(Wai::baseWater), QStringLiteral("195"));
    QCOMPARE(fields.text(Wai::reductionRate), QStringLiteral("15"));
}

QTEST_GUILESS_MAIN(TestAdmixtureWater)
#include "test_admixture_water.moc"
