#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "support/adjustcommands.h"

#include <QMap>
#include <QTest>

namespace {

// Answers every box from a queue and notes which fields were yellow while it was asked.
class WatchingPrompter : public ScriptedPrompter {
public:
    explicit WatchingPrompter(const MapFields& fields) : m_fields(fields) {}
    MessageButton message(const MessageBoxRequest& request) override {
        QStringList yellow;
        for (const QString& name : MixAdjustment::controlNames())
            if (m_fields.highlighted(name))
                yellow.append(name);
        m_yellow.append(yellow);
        return ScriptedPrompter::message(request);
    }
    const QList<QStringList>& yellow() const { return m_yellow; }

private:
    const MapFields& m_fields;
    QList<QStringList> m_yellow;
};

QMap<QString, QString> snapshot(const MapFields& fields) {
    QMap<QString, QString> texts;
    for (const QString& name : MixAdjustment::controlNames())
        texts.insert(name, fields.text(name));
    return texts;
}

} // namespace

class TestAdjustProtocol : public QObject {
    Q_OBJECT

private slots:
    void highlightAndPrompt_data();
    void highlightAndPrompt();
    void noChangesOnlyColours_data();
    void noChangesOnlyColours();
    void failureShownOnceThenHighlightRemoved();
    void loadState();
    void workedExampleAsksNothing();
};

void TestAdjustProtocol::highlightAndPrompt_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("inputs");

    QTest::newRow(qPrintable(Tiaozheng::trialBatchButton))
        << Tiaozheng::trialBatchButton
        << QStringList{Tiaozheng::mixCement, Tiaozheng::mixWater, Tiaozheng::mixSand, Tiaozheng::mixStone,
                       Tiaozheng::trialVolume};
    QTest::newRow(qPrintable(Tiaozheng::workabilityButton))
        << Tiaozheng::workabilityButton << QStringList{Tiaozheng::pasteChange, Tiaozheng::pastePercent};
    QTest::newRow(qPrintable(Tiaozheng::strengthGroupsButton))
        << Tiaozheng::strengthGroupsButton
        << QStringList{Tiaozheng::groupRatio, Tiaozheng::ratioSpread, Tiaozheng::groupWater};
    QTest::newRow(qPrintable(Tiaozheng::regressionButton))
        << Tiaozheng::regressionButton
        << QStringList{Tiaozheng::strengthA, Tiaozheng::strengthB, Tiaozheng::strengthC,
                       Tiaozheng::targetStrength};
    QTest::newRow(qPrintable(Tiaozheng::takeParametersButton))
        << Tiaozheng::takeParametersButton
        << QStringList{Tiaozheng::pasteChange, Tiaozheng::pastePercent, Tiaozheng::mixWater,
                       Tiaozheng::referenceCementWater, Tiaozheng::referenceWaterCement};
    QTest::newRow(qPrintable(Tiaozheng::correctWaterCementButton))
        << Tiaozheng::correctWaterCementButton
        << QStringList{Tiaozheng::parameterPasteChange, Tiaozheng::parameterWater,
                       Tiaozheng::parameterPastePercent, Tiaozheng::parameterWaterCement};
    QTest::newRow(qPrintable(Tiaozheng::absoluteVolumeButton))
        << Tiaozheng::absoluteVolumeButton
        << QStringList{Tiaozheng::correctedWater, Tiaozheng::correctedCement, Tiaozheng::cementDensity,
                       Tiaozheng::sandDensity,    Tiaozheng::stoneDensity,    Tiaozheng::airContent,
                       Tiaozheng::sandRatio};
    QTest::newRow(qPrintable(Tiaozheng::densityCorrectionButton))
        << Tiaozheng::densityCorrectionButton << QStringList{Tiaozheng::measuredDensity};
    QTest::newRow(qPrintable(Tiaozheng::keepUncorrectedButton))
        << Tiaozheng::keepUncorrectedButton
        << QStringList{Tiaozheng::correctedWater, Tiaozheng::correctedCement, Tiaozheng::volumeSand,
                       Tiaozheng::volumeStone};
    QTest::newRow(qPrintable(Tiaozheng::siteMixButton))
        << Tiaozheng::siteMixButton << QStringList{Tiaozheng::sandMoisture, Tiaozheng::stoneMoisture};
}

// The step's inputs, and only they, are yellow while the question is open; the box is the step protocol's.
void TestAdjustProtocol::highlightAndPrompt() {
    QFETCH(QString, command);
    QFETCH(QStringList, inputs);

    MapFields fields(MixAdjustment::controlNames());
    WatchingPrompter prompter(fields);
    prompter.queueAnswer(MessageButton::No);
    MixAdjustment adjustment(fields, prompter);
    (adjustment.*adjustCommands().value(command))();

    QCOMPARE(prompter.messages().size(), 1);
    QStringList yellow = prompter.yellow().first();
    yellow.sort();
    inputs.sort();
    QCOMPARE(yellow, inputs);
    const MessageBoxRequest& box = prompter.messages().first();
    QCOMPARE(box.text, QStringLiteral("请确定变颜色的文本框参数输入正确！并且以前步骤已计算完成。"));
    QCOMPARE(box.title, QStringLiteral("请确认计算参数！"));
    QVERIFY(box.icon == MessageIcon::Exclamation);
    QVERIFY(box.buttons == MessageButtons::YesNo);
    QVERIFY(box.defaultButton == MessageButton::Yes);
    QCOMPARE(box.helpFile, QStringLiteral("DEMO.HLP"));
    QCOMPARE(box.helpContext, 1000);
}

void TestAdjustProtocol::noChangesOnlyColours_data() { highlightAndPrompt_data(); }

// With every field holding the worked example (so each step could compute), No leaves every text as it was.
void TestAdjustProtocol::noChangesOnlyColours() {
    QFETCH(QString, command);

    MapFields fields(MixAdjustment::controlNames());
    ScriptedPrompter prompter;
    MixAdjustment adjustment(fields, prompter);
    adjustment.workedExample();
    fields.setText(Tiaozheng::measuredDensity, "2400");
    fields.setText(Tiaozheng::trialCement, "5");
    fields.setText(Tiaozheng::cementWaterA, "1.69");
    fields.setText(Tiaozheng::cementWaterB, "1.85");
    fields.setText(Tiaozheng::cementWaterC, "2.04");
    const auto before = snapshot(fields);
    fields.clearWrites();

    prompter.queueAnswer(MessageButton::No);
    (adjustment.*adjustCommands().value(command))();
    QCOMPARE(fields.writes(), QStringList());
    QCOMPARE(snapshot(fields), before);
    for (const QString& name : MixAdjustment::controlNames())
        QVERIFY2(!fields.highlighted(name), qPrintable(name));
}

void TestAdjustProtocol::failureShownOnceThenHighlightRemoved() {
    MapFields fields(MixAdjustment::controlNames());
    WatchingPrompter prompter(fields);
    prompter.queueAnswer(MessageButton::Yes);
    prompter.queueAnswer(MessageButton::Cancel);
    MixAdjustment adjustment(fields, prompter);
    adjustment.absoluteVolume(); // every input empty: strict reading fails

    QCOMPARE(prompter.messages().size(), 2);
    const MessageBoxRequest& box = prompter.messages().last();
    QCOMPARE(box.text, QStringLiteral("以前的步骤没有计算完成！或您输入的参数可能有错误！"));
    QCOMPARE(box.title, QStringLiteral("重要提示"));
    QVERIFY(box.icon == MessageIcon::Stop);
    QVERIFY(box.buttons == MessageButtons::OkCancel);
    QCOMPARE(box.helpFile, QStringLiteral("DEMO.HLP"));
    QCOMPARE(box.helpContext, 1000);
    // The inputs stay yellow while the failure is shown, and lose the colour after it.
    QCOMPARE(prompter.yellow().last().size(), 7);
    for (const QString& name : MixAdjustment::controlNames())
        QVERIFY2(!fields.highlighted(name), qPrintable(name));
    QCOMPARE(prompter.pendingAnswers(), 0);
}

void TestAdjustProtocol::loadState() {
    MapFields fields(MixAdjustment::controlNames());
    for (const QString& name : MixAdjustment::controlNames())
        fields.setText(name, "design-time");
    fields.setText(Tiaozheng::pasteChange, "不变");
    fields.setText(Tiaozheng::pastePercent, "0");
    ScriptedPrompter prompter;
    MixAdjustment adjustment(fields, prompter);
    adjustment.load(QDate(2026, 12, 7));

    QCOMPARE(fields.text(Tiaozheng::fileName), QStringLiteral("---TZ(2026-12-7)"));
    QCOMPARE(fields.text(Tiaozheng::dateTag), QStringLiteral("TZ(2026-12-7)"));
    QCOMPARE(fields.text(Tiaozheng::pasteChange), QStringLiteral("不变"));
    QCOMPARE(fields.text(Tiaozheng::pastePercent), QStringLiteral("0"));
    for (const QString& name : MixAdjustment::stepFields())
        QVERIFY2(fields.text(name).isEmpty(), qPrintable(name));
    QVERIFY(MixAdjustment::stepFields().contains(Tiaozheng::parameterCementWater));
    QVERIFY(!MixAdjustment::stepFields().contains(Tiaozheng::parameterPastePercent));
    QCOMPARE(prompter.messages().size(), 0);
}

void TestAdjustProtocol::workedExampleAsksNothing() {
    MapFields fields(MixAdjustment::controlNames());
    for (const QString& name : MixAdjustment::stepFields())
        fields.setText(name, "old");
    fields.setText(Tiaozheng::parameterPasteChange, "减少");
    fields.setText(Tiaozheng::parameterPastePercent, "7");
    ScriptedPrompter prompter; // no answers queued: any question would throw
    MixAdjustment adjustment(fields, prompter);
    adjustment.workedExample();

    QCOMPARE(fields.text(Tiaozheng::strengthB), QStringLiteral("39.2"));
    QCOMPARE(fields.text(Tiaozheng::pasteChange), QStringLiteral("增加"));
    QCOMPARE(fields.text(Tiaozheng::sandRatio), QStringLiteral("0.33"));
    QCOMPARE(fields.text(Tiaozheng::stoneMoisture), QStringLiteral("1"));
    for (const QString& emptied :
         QStringList{Tiaozheng::trialCement, Tiaozheng::measuredDensity, Tiaozheng::referenceCementWater,
                     Tiaozheng::parameterWater, Tiaozheng::parameterWaterCement,
                     Tiaozheng::parameterCementWater, Tiaozheng::siteStoneRatio})
        QVERIFY2(fields.text(emptied).isEmpty(), qPrintable(emptied));
    QCOMPARE(fields.text(Tiaozheng::parameterPasteChange), QStringLiteral("减少"));
    QCOMPARE(fields.text(Tiaozheng::parameterPastePercent), QStringLiteral("7"));
    QCOMPARE(prompter.messages().size(), 0);
}

QTEST_GUILESS_MAIN(TestAdjustProtocol)
#include "test_adjust_protocol.moc"
