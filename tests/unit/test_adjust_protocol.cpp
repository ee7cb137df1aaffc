#include "adjust/mixadjustment.h"
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

    QTest::newRow("Command2") << QStringLiteral("Command2")
                              << QStringList{"Text1", "Text2", "Text3", "Text4", "Text5"};
    QTest::newRow("Command1") << QStringLiteral("Command1") << QStringList{"Combo1", "Text11"};
    QTest::newRow("Command3") << QStringLiteral("Command3") << QStringList{"Text20", "Text21", "Text31"};
    QTest::newRow("Command7") << QStringLiteral("Command7")
                              << QStringList{"Text32", "Text33", "Text34", "Text35"};
    QTest::newRow("Command8") << QStringLiteral("Command8")
                              << QStringList{"Combo1", "Text11", "Text2", "Text67", "Text68"};
    QTest::newRow("Command9") << QStringLiteral("Command9")
                              << QStringList{"Combo2", "Text69", "Text70", "Text71"};
    QTest::newRow("Command4") << QStringLiteral("Command4")
                              << QStringList{"Text36", "Text37", "Text38", "Text39",
                                             "Text40", "Text41", "Text42"};
    QTest::newRow("Command5") << QStringLiteral("Command5") << QStringList{"Text47"};
    QTest::newRow("Command15") << QStringLiteral("Command15")
                               << QStringList{"Text36", "Text37", "Text43", "Text44"};
    QTest::newRow("Command6") << QStringLiteral("Command6") << QStringList{"Text57", "Text58"};
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
    adjustment.command16();
    fields.setText("Text47", "2400");
    fields.setText("Text6", "5");
    fields.setText("Text25", "1.69");
    fields.setText("Text26", "1.85");
    fields.setText("Text27", "2.04");
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
    adjustment.command4(); // every input empty: strict reading fails

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
    fields.setText("Combo1", "不变");
    fields.setText("Text11", "0");
    ScriptedPrompter prompter;
    MixAdjustment adjustment(fields, prompter);
    adjustment.load(QDate(2026, 12, 7));

    QCOMPARE(fields.text("Text75"), QStringLiteral("---TZ(2026-12-7)"));
    QCOMPARE(fields.text("Label76"), QStringLiteral("TZ(2026-12-7)"));
    QCOMPARE(fields.text("Combo1"), QStringLiteral("不变"));
    QCOMPARE(fields.text("Text11"), QStringLiteral("0"));
    for (const QString& name : MixAdjustment::stepFields())
        QVERIFY2(fields.text(name).isEmpty(), qPrintable(name));
    QVERIFY(MixAdjustment::stepFields().contains("Text73"));
    QVERIFY(!MixAdjustment::stepFields().contains("Text70"));
    QCOMPARE(prompter.messages().size(), 0);
}

void TestAdjustProtocol::workedExampleAsksNothing() {
    MapFields fields(MixAdjustment::controlNames());
    for (const QString& name : MixAdjustment::stepFields())
        fields.setText(name, "old");
    fields.setText("Combo2", "减少");
    fields.setText("Text70", "7");
    ScriptedPrompter prompter; // no answers queued: any question would throw
    MixAdjustment adjustment(fields, prompter);
    adjustment.command16();

    QCOMPARE(fields.text("Text33"), QStringLiteral("39.2"));
    QCOMPARE(fields.text("Combo1"), QStringLiteral("增加"));
    QCOMPARE(fields.text("Text42"), QStringLiteral("0.33"));
    QCOMPARE(fields.text("Text58"), QStringLiteral("1"));
    for (const char* emptied : {"Text6", "Text47", "Text67", "Text69", "Text71", "Text73", "Text66"})
        QVERIFY2(fields.text(emptied).isEmpty(), emptied);
    QCOMPARE(fields.text("Combo2"), QStringLiteral("减少"));
    QCOMPARE(fields.text("Text70"), QStringLiteral("7"));
    QCOMPARE(prompter.messages().size(), 0);
}

QTEST_GUILESS_MAIN(TestAdjustProtocol)
#include "test_adjust_protocol.moc"
