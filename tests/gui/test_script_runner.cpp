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
};

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

QTEST_GUILESS_MAIN(TestScriptRunner)
#include "test_script_runner.moc"
