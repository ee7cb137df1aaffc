#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

// The script runner as its users call it: a script file in, a transcript and an exit status out.
class TestScriptRunner : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exitStatus_data();
    void exitStatus();
    void dumpShowsBoxesAndEveryCell();
};

namespace {

// The runner's exit status and its output lines for a script, with the spreadsheet recorder.
std::pair<int, QStringList> runScript(const QString& script) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("t.scn")));
    if (!file.open(QIODevice::WriteOnly))
        return {-1, {}};
    file.write(script.toUtf8());
    file.close();
    QProcess runner;
    runner.start(QStringLiteral(RUNNER_PATH), {QStringLiteral("--spreadsheet"), QStringLiteral("log"),
                                               QStringLiteral("--root"), dir.path(), file.fileName()});
    if (!runner.waitForFinished(60000))
        return {-1, {}};
    return {runner.exitCode(), QString::fromUtf8(runner.readAllStandardOutput()).split(u'\n')};
}

} // namespace

void TestScriptRunner::exitStatus_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("printed"); // a line the transcript must hold; empty: nothing checked

    QTest::newRow("expectation held") << "expect Form1.Text29 5\n" << 0 << "";
    QTest::newRow("comments and blank lines") << "# note\n\n   \nexpect Form1.Combo1 C20-C35\n" << 0 << "";
    QTest::newRow("expectation failed") << "expect Form1.Text29 6\n"
                                        << 1 << "FAIL line 1: expect Form1.Text29 \"6\" but was \"5\"";
    QTest::newRow("unknown action") << "frobnicate Form1.Text1\n"
                                    << 2 << "ERROR line 1: unknown action frobnicate";
    QTest::newRow("unknown control") << "click Form1.Nothing\n"
                                     << 2 << "ERROR line 1: no control Form1.Nothing";
    QTest::newRow("window not open") << "click tiaozheng.Command2\n" << 2 << "";
    QTest::newRow("dialog without answer")
        << "click Form1.Command1\nexpect Form1.Text7 never\n"
        << 3
        << "MSGBOX icon=question buttons=YesNo title=\"普通混凝土配合比设计\" text=\"您填入的数据正确吗？\" "
           "-> (no answer queued)";
    QTest::newRow("answer never asked for") << "answer Yes\n"
                                            << 1 << "FAIL end: 1 queued answer(s) were never asked for";
    QTest::newRow("answer that does not fit") << "answer OK\nclick Form1.Command1\n" << 2 << "";
    QTest::newRow("empty text") << "set Form1.Text28 \nexpect Form1.Text28 \n" << 0 << "";
    QTest::newRow("escapes") << "set Form1.Text28 a\\b\"c\nexpect Form1.Text28 a\\\\b\\\"c\n" << 0 << "";
    QTest::newRow("blanks kept in text") << "set Form1.Text28  x \nexpect Form1.Text28  x \n" << 0 << "";
    QTest::newRow("windows open and close")
        << "menu Form1.tz\nexpect-open tiaozheng yes\nclose tiaozheng\nexpect-open tiaozheng no\n"
           "menu Form1.exit\nexpect-open Form1 no\n"
        << 0 << "";
    QTest::newRow("cancelled input prints cancelled")
        << "answer Yes\ninput-cancel\nclick Form1.Command3\n"
        << 0
        << "INPUTBOX title=\"确定水灰比！\" "
           "prompt=\"按水灰比计算公式计算的水灰比为：0.56\\r\\n您采用该水灰比或者输入您自己的水灰比！\" "
           "default=\"0.56\" -> cancelled";
    QTest::newRow("dump") << "dump Form1\n" << 0 << "Form1.Text29=5";
    QTest::newRow("root") << "set Form1.Text28 ${ROOT}x\nexpect Form1.Text28 ${ROOT}x\ndump Form1\n"
                          << 0 << "";
    QTest::newRow("user-close ends a workbook left open")
        << "answer Yes\nclick Form1.Command1\nclick Form1.Command12\nexpect-offices 1\nuser-close\n"
           "expect-offices 0\n"
        << 0 << "XLS user-close";
    QTest::newRow("expect-offices counts") << "expect-offices 1\n"
                                           << 1 << "FAIL line 1: expect-offices 1 but 0 run";
    QTest::newRow("expect-offices needs a count") << "expect-offices many\n" << 2 << "";
    QTest::newRow("office-fault needs kill or stop") << "office-fault crash\n" << 2 << "";
    QTest::newRow("pause") << "pause 50\npause 0\nexpect Form1.Text29 5\n" << 0 << "";
    QTest::newRow("pause needs milliseconds") << "pause soon\n" << 2 << "";
    QTest::newRow("pause no longer than ten minutes") << "pause 600001\n" << 2 << "";
    QTest::newRow("office fault fails the export")
        << "answer Yes\nclick Form1.Command1\noffice-fault kill\nanswer Yes\nclick Form1.Command10\n"
           "expect-offices 0\n"
        << 0
        << "MSGBOX icon=question buttons=YesNo title=\"普通混凝土配合比设计\" text=\"您输入的参数值对吗？\" "
           "-> Yes";

    // Lists that take no typed text, check boxes and table cells.
    const QString open = QStringLiteral("menu Form1.jgj2011\n");
    QTest::newRow("list item chosen as a person chooses it")
        << open + "set design2011.grade C50\nexpect design2011.grade C50\nexpect design2011.sigma 6.0\n"
        << 0 << "";
    QTest::newRow("list without the item") << open + "set design2011.grade C105\n"
                                           << 2 << "ERROR line 2: design2011.grade has no item \"C105\"";
    QTest::newRow("list item by its exact text") << open + "set design2011.grade C50 \n" << 2 << "";
    QTest::newRow("list item in its own case") << open + "set design2011.slagGrade s95\n" << 2 << "";
    QTest::newRow("list expectation failed")
        << open + "expect design2011.grade C35\n"
        << 1 << "FAIL line 2: expect design2011.grade \"C35\" but was \"C30\"";
    QTest::newRow("box ticked and cleared")
        << open + "set design2011.pumped off\nexpect design2011.pumped off\nset design2011.pumped off\n"
                  "expect design2011.pumped off\nset design2011.sigmaFromStatistics on\n"
                  "expect design2011.sigmaFromStatistics on\nset design2011.sigma 3.5\n"
                  "set design2011.sigmaFromStatistics off\nexpect design2011.sigma 5.0\n"
        << 0 << "";
    QTest::newRow("box takes on or off") << open + "set design2011.pumped yes\n"
                                         << 2 << "ERROR line 2: design2011.pumped takes on or off";
    QTest::newRow("box expectation failed")
        << open + "expect design2011.pumped off\n"
        << 1 << "FAIL line 2: expect design2011.pumped \"off\" but was \"on\"";
    QTest::newRow("table cells")
        << open + "click design2011.calculate\nexpect design2011.trialTable.1.2 0.55\n"
                  "expect design2011.trialTable.16.3 0.117\nexpect design2011.trialTable.1.1 0.55\n"
        << 1 << "FAIL line 5: expect design2011.trialTable.1.1 \"0.55\" but was \"0.50\"";
    QTest::newRow("cell outside the table") << open + "expect design2011.trialTable.17.1 x\n"
                                            << 2 << "ERROR line 2: no cell design2011.trialTable.17.1";
    QTest::newRow("cell of no table") << open + "expect design2011.nothing.1.1 x\n"
                                      << 2 << "ERROR line 2: no control design2011.nothing.1.1";
    QTest::newRow("check field colours")
        << open + "set design2011.grade C20\nset design2011.environment 三a\nclick design2011.calculate\n"
                  "expect-colour design2011.checkGrade red\nexpect-colour design2011.checkBinder normal\n"
        << 0 << "";
}

void TestScriptRunner::exitStatus() {
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QString, printed);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("t.scn")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script.toUtf8());
    file.close();

    // Once with the given root, once with the runner's own temporary one, which goes on every exit.
    for (const bool ownRoot : {false, true}) {
        QTemporaryDir temp;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        QProcess runner;
        runner.setProcessEnvironment(environment);
        QStringList arguments = {QStringLiteral("--spreadsheet"), QStringLiteral("log")};
        if (!ownRoot)
            arguments << QStringLiteral("--root") << dir.path();
        runner.start(QStringLiteral(RUNNER_PATH), arguments << file.fileName());
        QVERIFY(runner.waitForFinished(60000));
        const QString output = QString::fromUtf8(runner.readAllStandardOutput());
        QCOMPARE(runner.exitCode(), status);
        if (!printed.isEmpty())
            QVERIFY2(output.split(u'\n').contains(printed), qPrintable(output));
        QCOMPARE(QDir(temp.path())
                     .entryList({QStringLiteral("mixdesign-script-*")}, QDir::AllEntries | QDir::Hidden),
                 QStringList());
    }
}

// Boxes print as on or off; a table prints every cell, row by row, in its place among the controls.
void TestScriptRunner::dumpShowsBoxesAndEveryCell() {
    const auto [status, lines] =
        runScript(QStringLiteral("menu Form1.jgj2011\nclick design2011.calculate\ndump design2011\n"));
    QCOMPARE(status, 0);
    QVERIFY(lines.contains(QStringLiteral("design2011.pumped=on")));
    QVERIFY(lines.contains(QStringLiteral("design2011.airEntrained=off")));
    QVERIFY(lines.contains(QStringLiteral("design2011.grade=C30")));
    const qsizetype first = lines.indexOf(QStringLiteral("design2011.trialTable.1.1=0.50"));
    QVERIFY(first > 0);
    QStringList cells;
    for (int row = 1; row <= 16; ++row)
        for (int column = 1; column <= 3; ++column)
            cells << QStringLiteral("design2011.trialTable.%1.%2=").arg(row).arg(column);
    for (qsizetype i = 0; i < cells.size(); ++i)
        QVERIFY2(lines.value(first + i).startsWith(cells[i]), qPrintable(lines.value(first + i)));
    QCOMPARE(lines.value(first + 47), QStringLiteral("design2011.trialTable.16.3=0.117"));
    QVERIFY(lines.value(first - 1) < QStringLiteral("design2011.trialTable"));
    QVERIFY(lines.value(first + 48) > QStringLiteral("design2011.trialTable"));
    QVERIFY(!lines.contains(QStringLiteral("design2011.trialTable=")));
}

QTEST_GUILESS_MAIN(TestScriptRunner)
#include "test_script_runner.moc"
