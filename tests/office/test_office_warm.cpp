#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "office/libreofficefactory.h"
#include "office/officefaults.h"
#include "office/officelimits.h"
#include "report/reportexport.h"
#include "support/form1fields.h"
#include "support/officeprocesses.h"
#include "support/testoffice.h"
#include "support/xlsreader.h"

#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <limits>
#include <thread>

// The office kept ready ahead of need, against the real LibreOffice: reused, replaced when in doubt, handed
// over, and gone with the program.
class OfficeWarmTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QTemporaryDir m_temp;

    QString root() const { return m_root.path() + u'/'; }

    // "文件保存为" (or "导入EXCEL" with handOver) of a complete report, or of the name alone; the messages.
    QStringList export_(LibreOfficeFactory& factory, const QString& name, bool complete = true,
                        bool handOver = false) {
        MapFields fields(form1FieldNames());
        if (complete)
            fillAutomaticReport(fields, name);
        else
            fields.setText(Form1::fileName, name);
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        ReportExport exporter(fields, prompter, factory, InstallPaths(m_root.path()));
        handOver ? exporter.showAutomaticReport() : exporter.saveAutomaticReport();
        QStringList texts;
        for (const MessageBoxRequest& box : prompter.messages())
            texts << box.text;
        return texts;
    }

    // The pid of the office program (soffice.bin) of a process group, or -1.
    static int officeProgram(int group) {
        for (const QString& pid : processIds())
            if (runningGroup(pid) == group && processFile(pid, "comm").trimmed() == "soffice.bin")
                return pid.toInt();
        return -1;
    }

    QStringList locks() const {
        return QDir(m_root.path()).entryList({QStringLiteral(".~lock.*")}, QDir::Files | QDir::Hidden);
    }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phm.xls"}));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    // Ten exports in a row are written by the one office started ahead of them, which holds no file in
    // between; a failed command gives it back too, with nothing of its workbook left for the next.
    void exportsReuseOneOffice() {
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
        factory.keepReady();
        const int group = factory.keptProcessGroup();
        QVERIFY(groupAlive(group));
        QCOMPARE(factory.running(), 0);
        for (int i = 1; i <= 10; ++i) {
            const QString name = QStringLiteral("R%1").arg(i);
            QCOMPARE(export_(factory, name), QStringList());
            QCOMPARE(factory.keptProcessGroup(), group);
            QCOMPARE(factory.processGroups(), std::vector<int>{group});
            QCOMPARE(factory.running(), 0);
            QCOMPARE(locks(), QStringList());
            QVERIFY(QFile::exists(root() + name + QStringLiteral(".pdf")));
        }
        const int processes = processesWith(profileMarker(m_temp.path()));
        // Before any calculation the ratio cells fail: the command's message, the office kept.
        QCOMPARE(export_(factory, QStringLiteral("E1"), false), QStringList{"您输入的参数值对吗？"});
        QCOMPARE(factory.keptProcessGroup(), group);
        QVERIFY(!QFile::exists(root() + QStringLiteral("E1.xls")));
        QCOMPARE(export_(factory, QStringLiteral("R11")), QStringList());
        QCOMPARE(factory.keptProcessGroup(), group);
        QCOMPARE(processesWith(profileMarker(m_temp.path())), processes);

        const QJsonObject book = readWorkbook(root() + QStringLiteral("R11.xls"));
        QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{ReportExport::sheetName()});
        const QJsonObject cells = book[QStringLiteral("cells")].toObject();
        QCOMPARE(cells[QStringLiteral("I10")].toArray(), (QJsonArray{"number", 0.53, "system", "0.00"}));
        QCOMPARE(cells[QStringLiteral("I20")].toArray().at(1), QJsonValue(618.0));
    }

    // An office in doubt is ended and a new one is kept ready once the program is idle again; one killed
    // while idle makes the next command start its own, which is then kept.
    void officeInDoubtIsReplaced_data() {
        QTest::addColumn<bool>("whileIdle");
        QTest::newRow("killed while idle") << true;
        QTest::newRow("killed in a command") << false;
    }
    void officeInDoubtIsReplaced() {
        QFETCH(bool, whileIdle);
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
        QCOMPARE(export_(factory, QStringLiteral("D1")), QStringList());
        const int first = factory.keptProcessGroup();
        QVERIFY(groupAlive(first));
        if (whileIdle) {
            ::kill(-first, SIGKILL);
            QTRY_VERIFY(factory.keptProcessGroup() < 0);
            QCOMPARE(export_(factory, QStringLiteral("D2")), QStringList());
        } else {
            OfficeFaults faults(factory);
            faults.injectFault(StartFault::Kill);
            QCOMPARE(export_(factory, QStringLiteral("D2")), QStringList{"您输入的参数值对吗？"});
            QTRY_VERIFY(!groupAlive(first));
            QTRY_VERIFY(groupAlive(factory.keptProcessGroup()));
        }
        const int next = factory.keptProcessGroup();
        QVERIFY(groupAlive(next));
        QVERIFY(next != first);
        QCOMPARE(export_(factory, QStringLiteral("D3")), QStringList());
        QCOMPARE(factory.keptProcessGroup(), next);
        QCOMPARE(factory.running(), 0);
    }

    // An office kept ready that was stopped or lost its office program while idle is not waited for: the
    // export starts an office of its own and succeeds in the time of a cold start, and the one in doubt is
    // ended.
    void keptOfficeInDoubtWhileIdle_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("process group stopped") << "stop group";
        QTest::newRow("office program stopped") << "stop program";
        QTest::newRow("office program killed") << "kill program";
    }
    void keptOfficeInDoubtWhileIdle() {
        QFETCH(QString, fault);
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
        QCOMPARE(export_(factory, QStringLiteral("S1")), QStringList());
        const int kept = factory.keptProcessGroup();
        QVERIFY(groupAlive(kept));
        const int program = officeProgram(kept);
        QVERIFY(program > 0);
        if (fault == QStringLiteral("stop group"))
            ::kill(-kept, SIGSTOP);
        else
            ::kill(program, fault == QStringLiteral("stop program") ? SIGSTOP : SIGKILL);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(export_(factory, QStringLiteral("S2")), QStringList());
        QVERIFY2(timer.elapsed() < OfficeLimits().callMs / 2, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(QFile::exists(root() + QStringLiteral("S2.pdf")));
        QTRY_VERIFY(!groupAlive(kept));
        QCOMPARE(factory.running(), 0);
        // The office that stood in is the one kept now.
        QVERIFY(groupAlive(factory.keptProcessGroup()));
        QCOMPARE(export_(factory, QStringLiteral("S3")), QStringList());
    }

    // An office kept ready whose office program dies while it starts, with an export waiting for it: the
    // export starts one of its own, not a message that the office cannot be started.
    void keptOfficeDyingWhileStarting() {
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
        factory.keepReady();
        const int kept = factory.keptProcessGroup();
        QVERIFY(groupAlive(kept));
        std::atomic<bool> killed{false};
        std::thread killer([kept, &killed] {
            QDeadlineTimer deadline(10000);
            while (!deadline.hasExpired()) {
                if (const int program = officeProgram(kept); program > 0) {
                    killed = ::kill(program, SIGKILL) == 0;
                    return;
                }
                QThread::msleep(5);
            }
        });
        QStringList messages;
        try {
            messages = export_(factory, QStringLiteral("K1"));
        } catch (...) {
            killer.join();
            throw;
        }
        killer.join();
        QVERIFY(killed);
        QCOMPARE(messages, QStringList());
        QVERIFY(QFile::exists(root() + QStringLiteral("K1.pdf")));
        QVERIFY(!groupAlive(kept));
        QCOMPARE(factory.running(), 0);
    }

    // An office kept ready that is stopped while it starts, before its pipe is there or once it is (its
    // connect may then hang on it): an export starts one of its own in far less than a call's limit, and the
    // stopped one is ended, as is every office when the factory goes.
    void keptOfficeStoppedWhileStarting_data() {
        QTest::addColumn<bool>("atItsPipe");
        QTest::newRow("before its pipe") << false;
        QTest::newRow("at its pipe") << true;
    }
    void keptOfficeStoppedWhileStarting() {
        QFETCH(bool, atItsPipe);
        int kept = -1;
        {
            LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                       LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
            factory.keepReady();
            kept = factory.keptProcessGroup();
            QVERIFY(groupAlive(kept));
            QCOMPARE(factory.startedProfiles().size(), 1);
            if (atItsPipe) {
                const QString pipe = QStringLiteral("/tmp/OSL_PIPE_%1_").arg(getuid()) +
                                     QDir(factory.startedProfiles().first()).dirName();
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pipe), 20000);
            }
            ::kill(-kept, SIGSTOP);
            // The window's thread goes on answering meanwhile.
            QElapsedTimer timer;
            timer.start();
            QTest::qWait(300);
            QCOMPARE(export_(factory, QStringLiteral("P1")), QStringList());
            QVERIFY2(timer.elapsed() < OfficeLimits().callMs / 2,
                     qPrintable(QString::number(timer.elapsed())));
            QVERIFY(QFile::exists(root() + QStringLiteral("P1.pdf")));
            QTRY_VERIFY(!groupAlive(kept));
            QCOMPARE(factory.running(), 0);
        }
        QCOMPARE(processesWith(profileMarker(m_temp.path())), 0);
    }

    // The office kept ready is replaced in idle time once it has served its number of commands, or has
    // grown past its memory size; the exports before that use the one office.
    void keptOfficeRenewed_data() {
        QTest::addColumn<int>("uses");
        QTest::addColumn<qint64>("residentBytes");
        QTest::addColumn<int>("renewedAfter");
        QTest::newRow("after three commands") << 3 << std::numeric_limits<qint64>::max() << 3;
        QTest::newRow("above its memory size") << 1000 << qint64(1) << 1;
    }
    void keptOfficeRenewed() {
        QFETCH(int, uses);
        QFETCH(qint64, residentBytes);
        QFETCH(int, renewedAfter);
        OfficeLimits limits;
        limits.keptUses = uses;
        limits.keptResidentBytes = residentBytes;
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On,
                                   limits);
        factory.keepReady();
        const int first = factory.keptProcessGroup();
        for (int i = 1; i < renewedAfter; ++i) {
            QCOMPARE(export_(factory, QStringLiteral("N%1").arg(i)), QStringList());
            QTest::qWait(200);
            QCOMPARE(factory.keptProcessGroup(), first);
        }
        QCOMPARE(export_(factory, QStringLiteral("N%1").arg(renewedAfter)), QStringList());
        QTRY_VERIFY(factory.keptProcessGroup() > 0 && factory.keptProcessGroup() != first);
        QTRY_VERIFY(!groupAlive(first));
        const int next = factory.keptProcessGroup();
        QVERIFY(factory.keptResidentBytes() > 0);
        QCOMPARE(export_(factory, QStringLiteral("N0")), QStringList());
        QCOMPARE(factory.running(), 0);
        QCOMPARE(factory.keptProcessGroup(), next);
    }

    // Where visible work runs headless too, "导入EXCEL" takes the office kept ready and leaves it to the
    // user; the next one is started, and the user's closing ends the handed-over one.
    void handOverTakesTheKeptOffice() {
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
        factory.keepReady();
        const int kept = factory.keptProcessGroup();
        QCOMPARE(export_(factory, QStringLiteral("H1"), true, true), QStringList());
        QCOMPARE(factory.running(), 1);
        QVERIFY(groupAlive(kept));
        QVERIFY(factory.keptProcessGroup() != kept);
        QTRY_VERIFY(groupAlive(factory.keptProcessGroup()));
        factory.closeHandedOver();
        QTRY_VERIFY(!groupAlive(kept));
        QCOMPARE(factory.running(), 0);
        QVERIFY(groupAlive(factory.keptProcessGroup()));
    }

    // The kept office goes with the factory, and with the program however it ends: its own end or SIGKILL.
    void endsWithTheProgram_data() {
        QTest::addColumn<bool>("killed");
        QTest::newRow("program ends") << false;
        QTest::newRow("program killed") << true;
    }
    void endsWithTheProgram() {
        QFETCH(bool, killed);
        {
            LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                       LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
            factory.keepReady();
            QVERIFY(groupAlive(factory.keptProcessGroup()));
        }
        QCOMPARE(processesWith(profileMarker(m_temp.path())), 0);

        QTemporaryDir temp;
        const QString script = temp.filePath(QStringLiteral("s.scn"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(killed ? "pause 600000\n"
                          : "answer Yes\nclick Form1.Command1\nclick Form1.Command10\npause 2000\n");
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        QProcess runner;
        runner.setProcessEnvironment(environment);
        runner.start(QStringLiteral(RUNNER_PATH),
                     {QStringLiteral("--root"), root(), QStringLiteral("--warm-office"), script});
        QVERIFY(runner.waitForStarted());
        QVERIFY(officeAppears(temp.path(), 15000));
        if (killed) {
            QThread::msleep(500);
            ::kill(pid_t(runner.processId()), SIGKILL);
        }
        QVERIFY(runner.waitForFinished(30000));
        QVERIFY(officesBecome(temp.path(), 0, 5000));
        QTRY_VERIFY_WITH_TIMEOUT(
            QDir(temp.path()).entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs).isEmpty(), 5000);
    }
};

QTEST_GUILESS_MAIN(OfficeWarmTest)
#include "test_office_warm.moc"
