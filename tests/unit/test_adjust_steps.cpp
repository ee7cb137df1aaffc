#include "adjust/mixadjustment.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "support/adjustcommands.h"

#include <QMap>
#include <QTest>

namespace {

const QString kFailure = QStringLiteral("以前的步骤没有计算完成！或您输入的参数可能有错误！");

// "Name=text" pairs; the text may be empty.
void apply(MapFields& fields, const QStringList& assignments) {
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        fields.setText(a.left(eq), a.mid(eq + 1));
    }
}

} // namespace

class TestAdjustSteps : public QObject {
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void writeOrder_data();
    void writeOrder();
    void workedExampleEndToEnd();
};

// Each row: the command, the field texts before it runs, the texts expected afterwards (fields written before
// a failure included, fields it must not reach with their old text), and whether it fails.
void TestAdjustSteps::steps_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("fails");

    const QStringList demoBatch = {"Text1=343", "Text2=185", "Text3=613", "Text4=1251", "Text5=15"};
    QTest::newRow("step2 demo, general form")
        << "Command2" << demoBatch << QStringList{"Text6=5.145", "Text7=2.775", "Text8=9.195", "Text9=18.765"}
        << false;
    QTest::newRow("step2 empty volume gives 0") << "Command2" << QStringList{"Text1=343", "Text5="}
                                                << QStringList{"Text6=0", "Text7=0", "Text9=0"} << false;
    QTest::newRow("step2 units after numbers are ignored")
        << "Command2" << QStringList{"Text1=200kg", "Text5=20L"} << QStringList{"Text6=4"} << false;

    const QStringList trial = {"Text6=5.145", "Text7=2.775", "Text8=9.195", "Text9=18.765", "Text11=5"};
    QTest::newRow("step3 increase") << "Command1" << (trial + QStringList{"Combo1=增加"})
                                    << QStringList{"Text12=5.402",  "Text13=2.914", "Text14=9.195",
                                                   "Text15=18.765", "Text16=1.00",  "Text17=1.70",
                                                   "Text18=3.47",   "Text19=0.54"}
                                    << false;
    QTest::newRow("step3 decrease") << "Command1" << (trial + QStringList{"Combo1=减少"})
                                    << QStringList{"Text12=4.888", "Text13=2.636", "Text16=1.00"} << false;
    QTest::newRow("step3 unchanged, general form")
        << "Command1" << (trial + QStringList{"Combo1=不变"})
        << QStringList{"Text12=5.145", "Text13=2.775", "Text17=1.79", "Text19=0.54"} << false;
    QTest::newRow("step3 copies sand and stone as text")
        << "Command1" << QStringList{"Combo1=不变", "Text6=5", "Text8=abc", "Text9=9.1950"}
        << QStringList{"Text14=abc", "Text15=9.1950", "Text17=0.00", "Text18=1.84"} << false;
    QTest::newRow("step3 unknown change keeps the batch, recomputes ratios")
        << "Command1"
        << (trial + QStringList{"Combo1=多加", "Text12=4", "Text13=2", "Text14=8", "Text15=16", "Text16=x"})
        << QStringList{"Text12=4",    "Text13=2",    "Text14=8",    "Text15=16",
                       "Text16=1.00", "Text17=2.00", "Text18=4.00", "Text19=0.50"}
        << false;
    QTest::newRow("step3 without step 2 fails at the ratios")
        << "Command1" << QStringList{"Combo1=增加", "Text11=5", "Text8=9.195", "Text16=old", "Text19=old"}
        << QStringList{"Text12=0.000", "Text13=0.000", "Text14=9.195", "Text16=old", "Text19=old"} << true;
    QTest::newRow("step3 unchanged without step 2 writes 0")
        << "Command1" << QStringList{"Combo1=不变"} << QStringList{"Text12=0", "Text13=0", "Text16="} << true;

    const QStringList groups = {"Text20=0.54", "Text21=0.05", "Text31=2.92"};
    QTest::newRow("step4 groups demo")
        << "Command3" << groups
        << QStringList{"Text22=0.59", "Text23=0.54", "Text24=0.49", "Text25=1.69", "Text26=1.85",
                       "Text27=2.04", "Text28=4.95", "Text29=5.41", "Text30=5.96"}
        << false;
    QTest::newRow("step4 groups from the rounded base ratio")
        << "Command3" << QStringList{"Text20=0.545", "Text21=0.05", "Text31=2.92"}
        << QStringList{"Text23=0.55", "Text22=0.60", "Text24=0.50", "Text27=2.00"} << false;
    QTest::newRow("step4 a percentage typed as such")
        << "Command3" << QStringList{"Text20=0.54", "Text21=5", "Text31=2.92"}
        << QStringList{"Text22=5.54", "Text24=-4.46", "Text27=-0.22", "Text30=-0.65"} << false;
    QTest::newRow("step4 step of 0 does not fail here")
        << "Command3" << QStringList{"Text20=0.54", "Text21=0", "Text31=2.92"}
        << QStringList{"Text22=0.54", "Text24=0.54", "Text25=1.85", "Text27=1.85"} << false;
    QTest::newRow("step4 group C at ratio 0 fails after A and B")
        << "Command3" << QStringList{"Text20=0.54", "Text21=0.54", "Text31=2.92", "Text27=old", "Text28=old"}
        << QStringList{"Text22=1.08", "Text24=0.00", "Text25=0.93", "Text26=1.85", "Text27=old", "Text28=old"}
        << true;
    QTest::newRow("step4 empty fields fail at the first ratio")
        << "Command3" << QStringList{"Text25=old"} << QStringList{"Text23=0.00", "Text24=0.00", "Text25=old"}
        << true;

    const QStringList ratios = {"Text25=1.69", "Text26=1.85", "Text27=2.04", "Text35=38.2"};
    QTest::newRow("regression demo") << "Command7"
                                     << (ratios + QStringList{"Text32=34.2", "Text33=39.2", "Text34=45.3"})
                                     << QStringList{"Text67=1.82", "Text68=0.55"} << false;
    QTest::newRow("regression other B strength")
        << "Command7" << (ratios + QStringList{"Text32=34.2", "Text33=39.5", "Text34=45.3"})
        << QStringList{"Text67=1.81", "Text68=0.55"} << false;
    QTest::newRow("regression equal ratios fail before writing")
        << "Command7" << QStringList{"Text25=1.85", "Text26=1.85", "Text27=1.85", "Text32=34.2",
                                     "Text33=39.2", "Text34=45.3", "Text67=old",  "Text68=old"}
        << QStringList{"Text67=old", "Text68=old"} << true;
    QTest::newRow("regression equal strengths fail when the slope is 0")
        << "Command7" << QStringList{"Text25=1",  "Text26=2",  "Text27=3",  "Text32=40",
                                     "Text33=40", "Text34=40", "Text35=38", "Text67=old"}
        << QStringList{"Text67=old"} << true;
    QTest::newRow("regression result 0 fails after the cement-water ratio")
        << "Command7" << QStringList{"Text25=1",  "Text26=2",  "Text27=3", "Text32=10",
                                     "Text33=20", "Text34=30", "Text35=",  "Text68=old"}
        << QStringList{"Text67=0.00", "Text68=old"} << true;
    QTest::newRow("regression groups thousands")
        << "Command7" << QStringList{"Text25=1",  "Text26=2",  "Text27=3",    "Text32=10",
                                     "Text33=20", "Text34=30", "Text35=12345"}
        << QStringList{"Text67=1,234.50", "Text68=0.00"} << false;

    QTest::newRow("take over parameters as typed")
        << "Command8"
        << QStringList{"Text2=185kg", "Combo1=多加", "Text11=5", "Text68=0.55", "Text67=1.82", "Text73=x"}
        << QStringList{"Text69=185kg", "Combo2=多加", "Text70=5", "Text71=0.55", "Text73=1.82"} << false;

    const QStringList corr = {"Text69=185", "Text70=5", "Text71=0.55"};
    QTest::newRow("correction increase") << "Command9" << (corr + QStringList{"Combo2=增加"})
                                         << QStringList{"Text36=194", "Text37=353", "Text73=1.82"} << false;
    QTest::newRow("correction decrease") << "Command9" << (corr + QStringList{"Combo2=减少"})
                                         << QStringList{"Text36=176", "Text37=320"} << false;
    QTest::newRow("correction unchanged keeps decimals")
        << "Command9" << QStringList{"Text69=185.5", "Text70=5", "Text71=0.5", "Combo2=不变"}
        << QStringList{"Text36=185.5", "Text37=371", "Text73=2.00"} << false;
    QTest::newRow("correction unknown change keeps the water")
        << "Command9" << (corr + QStringList{"Combo2=多加", "Text36=200"})
        << QStringList{"Text36=200", "Text37=364", "Text73=1.82"} << false;
    QTest::newRow("correction without ratio fails after the water")
        << "Command9" << QStringList{"Text69=185", "Text70=5", "Combo2=增加", "Text37=old"}
        << QStringList{"Text36=194", "Text37=old"} << true;

    const QStringList volume = {"Text36=194", "Text37=353", "Text38=3.1", "Text39=2.65",
                                "Text40=2.7", "Text41=1",   "Text42=0.33"};
    auto with = [&volume](const QString& change) {
        QStringList list = volume;
        const QString name = change.left(change.indexOf(u'=') + 1);
        for (QString& entry : list)
            if (entry.startsWith(name))
                entry = change;
        return list + QStringList{"Text43=old", "Text44=old"};
    };
    QTest::newRow("absolute volume demo")
        << "Command4" << volume << QStringList{"Text43=604", "Text44=1226"} << false;
    QTest::newRow("absolute volume blanks around numbers")
        << "Command4" << with("Text38= 3.1 ") << QStringList{"Text43=604"} << false;
    for (const char* bad : {"Text36=", "Text37=353kg", "Text38=abc", "Text41=", "Text42=0.33%"})
        QTest::newRow(qPrintable(QStringLiteral("absolute volume strict ") + bad))
            << "Command4" << with(QString::fromUtf8(bad)) << QStringList{"Text43=old", "Text44=old"} << true;
    QTest::newRow("absolute volume cement density 0")
        << "Command4" << with("Text38=0") << QStringList{"Text43=old", "Text44=old"} << true;
    QTest::newRow("absolute volume sand density 0")
        << "Command4" << with("Text39=0") << QStringList{"Text43=old"} << true;
    QTest::newRow("absolute volume sand ratio as percent")
        << "Command4" << with("Text42=33") << QStringList{"Text43=37456", "Text44=-36321"} << false;

    const QStringList base = {"Text36=194", "Text37=353", "Text43=604", "Text44=1226"};
    QTest::newRow("density correction demo")
        << "Command5" << (base + QStringList{"Text47=2400"})
        << QStringList{"Text46=2377", "Text48=1.010", "Text49=357",  "Text50=196",  "Text51=610",
                       "Text52=1238", "Text53=1.00",  "Text56=0.55", "Text54=1.71", "Text55=3.47"}
        << false;
    QTest::newRow("density correction nothing computed")
        << "Command5" << QStringList{"Text47=2400", "Text48=old"} << QStringList{"Text46=0", "Text48=old"}
        << true;
    QTest::newRow("density correction without measured density")
        << "Command5" << (base + QStringList{"Text53=old"})
        << QStringList{"Text46=2377", "Text48=0.000", "Text49=0", "Text52=0", "Text53=old"} << true;

    QTest::newRow("no correction copies and keeps the ratios")
        << "Command15" << (base + QStringList{"Text53=1.00", "Text54=1.71", "Text36=194.0"})
        << QStringList{"Text49=353",  "Text50=194.0", "Text51=604",
                       "Text52=1226", "Text53=1.00",  "Text54=1.71"}
        << false;

    const QStringList lab = {"Text49=357", "Text50=196", "Text51=610", "Text52=1238"};
    QTest::newRow("site mix demo") << "Command6" << (lab + QStringList{"Text57=5", "Text58=1"})
                                   << QStringList{"Text59=357",  "Text61=641",  "Text62=1250", "Text60=153",
                                                  "Text63=1.00", "Text64=0.43", "Text65=1.80", "Text66=3.50"}
                                   << false;
    QTest::newRow("site mix dry aggregates")
        << "Command6" << QStringList{"Text49=356.6", "Text50=196.4", "Text51=610", "Text52=1238"}
        << QStringList{"Text59=357", "Text60=196", "Text61=610", "Text62=1238", "Text64=0.55", "Text66=3.47"}
        << false;
    QTest::newRow("site mix very wet aggregates give negative water")
        << "Command6" << (lab + QStringList{"Text57=30", "Text58=2"})
        << QStringList{"Text60=-12", "Text64=-0.03"} << false;
    QTest::newRow("site mix without cement fails at the ratios")
        << "Command6" << QStringList{"Text50=196", "Text51=610", "Text52=1238", "Text57=5", "Text63=old"}
        << QStringList{"Text59=0", "Text61=641", "Text62=1238", "Text60=166", "Text63=old"} << true;
    QTest::newRow("overflow fails instead of writing inf")
        << "Command6" << QStringList{"Text49=1", "Text51=1e308", "Text57=1e10", "Text61=old"}
        << QStringList{"Text59=1", "Text61=old"} << true;
}

void TestAdjustSteps::steps() {
    QFETCH(QString, command);
    QFETCH(QStringList, given);
    QFETCH(QStringList, expected);
    QFETCH(bool, fails);

    MapFields fields(MixAdjustment::controlNames());
    apply(fields, given);
    ScriptedPrompter prompter;
    prompter.queueAnswer(MessageButton::Yes);
    if (fails)
        prompter.queueAnswer(MessageButton::Ok);
    MixAdjustment adjustment(fields, prompter);
    (adjustment.*adjustCommands().value(command))();

    for (const QString& e : expected) {
        const qsizetype eq = e.indexOf(u'=');
        QCOMPARE(fields.text(e.left(eq)), e.mid(eq + 1));
    }
    QCOMPARE(prompter.messages().size(), fails ? 2 : 1);
    if (fails)
        QCOMPARE(prompter.messages().last().text, kFailure);
    for (const QString& name : MixAdjustment::controlNames())
        QVERIFY2(!fields.highlighted(name), qPrintable(name));
}

void TestAdjustSteps::writeOrder_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("step 3") << "Command1" << QStringList{"Combo1=增加", "Text6=5", "Text7=2"}
                            << QStringList{"Text12", "Text13", "Text14", "Text15",
                                           "Text16", "Text17", "Text18", "Text19"};
    QTest::newRow("groups") << "Command3" << QStringList{"Text20=0.5", "Text21=0.05", "Text31=3"}
                            << QStringList{"Text23", "Text22", "Text24", "Text25", "Text26",
                                           "Text27", "Text28", "Text29", "Text30"};
    QTest::newRow("density correction")
        << "Command5" << QStringList{"Text36=1", "Text37=1", "Text43=1", "Text44=1", "Text47=4"}
        << QStringList{"Text46", "Text48", "Text49", "Text50", "Text51",
                       "Text52", "Text53", "Text56", "Text54", "Text55"};
    QTest::newRow("site mix") << "Command6" << QStringList{"Text49=1"}
                              << QStringList{"Text59", "Text61", "Text62", "Text60",
                                             "Text63", "Text64", "Text65", "Text66"};
}

void TestAdjustSteps::writeOrder() {
    QFETCH(QString, command);
    QFETCH(QStringList, given);
    QFETCH(QStringList, order);

    MapFields fields(MixAdjustment::controlNames());
    apply(fields, given);
    fields.clearWrites();
    ScriptedPrompter prompter;
    prompter.queueAnswer(MessageButton::Yes);
    MixAdjustment adjustment(fields, prompter);
    (adjustment.*adjustCommands().value(command))();
    QCOMPARE(fields.writes(), order);
}

// The worked example run through every step, in order, as the user would.
void TestAdjustSteps::workedExampleEndToEnd() {
    MapFields fields(MixAdjustment::controlNames());
    ScriptedPrompter prompter;
    MixAdjustment adjustment(fields, prompter);
    adjustment.load(QDate(2026, 12, 7));
    adjustment.command16();
    QCOMPARE(prompter.messages().size(), 0);

    const QList<QPair<AdjustCommand, QStringList>> run = {
        {&MixAdjustment::command2, {"Text6=5.145", "Text7=2.775", "Text8=9.195", "Text9=18.765"}},
        {&MixAdjustment::command1,
         {"Text12=5.402", "Text13=2.914", "Text14=9.195", "Text15=18.765", "Text16=1.00", "Text17=1.70",
          "Text18=3.47", "Text19=0.54"}},
        {&MixAdjustment::command3,
         {"Text22=0.59", "Text23=0.54", "Text24=0.49", "Text25=1.69", "Text26=1.85", "Text27=2.04",
          "Text28=4.95", "Text29=5.41", "Text30=5.96"}},
        {&MixAdjustment::command7, {"Text67=1.82", "Text68=0.55"}},
        {&MixAdjustment::command8, {"Text69=185", "Combo2=增加", "Text70=5", "Text71=0.55", "Text73=1.82"}},
        {&MixAdjustment::command9, {"Text36=194", "Text37=353", "Text73=1.82"}},
        {&MixAdjustment::command4, {"Text43=604", "Text44=1226"}},
        {&MixAdjustment::command5,
         {"Text46=2377", "Text48=1.010", "Text49=357", "Text50=196", "Text51=610", "Text52=1238",
          "Text53=1.00", "Text54=1.71", "Text55=3.47", "Text56=0.55"}},
        {&MixAdjustment::command6,
         {"Text59=357", "Text60=153", "Text61=641", "Text62=1250", "Text63=1.00", "Text64=0.43",
          "Text65=1.80", "Text66=3.50"}},
    };
    for (const auto& [command, expected] : run) {
        if (command == &MixAdjustment::command5)
            fields.setText("Text47", "2400");
        prompter.queueAnswer(MessageButton::Yes);
        (adjustment.*command)();
        for (const QString& e : expected) {
            const qsizetype eq = e.indexOf(u'=');
            QCOMPARE(fields.text(e.left(eq)), e.mid(eq + 1));
        }
    }
    QCOMPARE(prompter.messages().size(), run.size());
}

QTEST_GUILESS_MAIN(TestAdjustSteps)
#include "test_adjust_steps.moc"
