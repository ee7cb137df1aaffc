#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "report/reportexport.h"
#include "support/files.h"
#include "support/form1fields.h"
#include "support/officeprocesses.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <poll.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

// The life of office instances, against the real LibreOffice: offices that die or stop answering, programs
// killed or interrupted, workbooks that outlive the program; what each leaves behind.
namespace {

// What the program and its offices leave in the installation folder while they write: scratch files, the
// offices' locks and temporary files.
QStringList junk(const QString& folder) {
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        .filter(QRegularExpression(QStringLiteral("^(\\.mixdesign-|\\.~lock\\.|lu.*\\.tmp$)")));
}

// Kills the office of every process with the marker in its command line as soon as an office temporary file
// appears in the folder after the lock of a PDF: the office dies while it writes the PDF.
class PdfKiller {
public:
    PdfKiller(const QString& folder, QByteArray marker) : m_marker(std::move(marker)) {
        m_watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(m_watch, QFile::encodeName(folder).constData(), IN_CREATE);
        m_thread = std::thread([this] { run(); });
    }
    ~PdfKiller() {
        m_stop = true;
        m_thread.join();
        ::close(m_watch);
    }
    bool killed() const { return m_killed; }

private:
    void run() {
        bool pdfLocked = false;
        char buffer[4096];
        while (!m_stop && !m_killed) {
            pollfd ready{m_watch, POLLIN, 0};
            if (::poll(&ready, 1, 50) <= 0)
                continue;
            const ssize_t length = ::read(m_watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const QByteArray name(event->len ? event->name : "");
                pdfLocked = pdfLocked || (name.startsWith(".~lock..mixdesign-") && name.endsWith(".pdf#"));
                if (pdfLocked && name.startsWith("lu") && name.endsWith(".tmp") && !m_killed) {
                    killOffices();
                    m_killed = true;
                }
                at += ssize_t(sizeof(inotify_event)) + event->len;
            }
        }
    }
    void killOffices() const {
        for (const QString& pid : processIds())
            if (processFile(pid, "cmdline").contains(m_marker))
                ::kill(-runningGroup(pid), SIGKILL);
    }

    QByteArray m_marker;
    int m_watch = -1;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_killed{false};
    std::thread m_thread;
};

} // namespace

class OfficeLifecycleTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QTemporaryDir m_temp;
    QByteArray m_template;

    QString root() const { return m_root.path() + u'/'; }

    // The runner's options: this test's folder, and an office kept ready in the warm runs.
    QStringList runnerOptions() const {
        QStringList options = {QStringLiteral("--root"), root()};
        if (TestOfficeFactory::keep() == LibreOfficeFactory::Keep::On)
            options << QStringLiteral("--warm-office");
        return options;
    }

    QList<MessageBoxRequest> saveReport(TestOfficeFactory& factory, const QString& name, bool visible = false,
                                        MessageButton answer = MessageButton::Yes) {
        MapFields fields(form1FieldNames());
        fillAutomaticReport(fields, name);
        ScriptedPrompter prompter;
        prompter.queueAnswer(answer);
        ReportExport exporter(fields, prompter, factory, InstallPaths(m_root.path()));
        visible ? exporter.showAutomaticReport() : exporter.saveAutomaticReport();
        return prompter.messages();
    }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phm.xls", "phtzm.xls", "phtzsm.xls"}));
        m_template = fileBytes(root() + QStringLiteral("mb/phm.xls"));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    // A killed office fails the export within 5 s, a stopped one within the call limit (3 s here) and 10 s
    // more, beyond the time of an ordinary export (an office's start included); both are ended, an earlier
    // report and the template stay byte for byte, and the next export works.
    void faultyOffice_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("withinMs");
        QTest::newRow("killed") << int(StartFault::Kill) << 5000;
        QTest::newRow("stopped") << int(StartFault::Stop) << TestOfficeFactory::impatient().callMs + 10000;
    }
    void faultyOffice() {
        QFETCH(int, fault);
        QFETCH(int, withinMs);
        TestOfficeFactory factory(LibreOfficeFactory::Display::Auto, TestOfficeFactory::impatient());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(saveReport(factory, QStringLiteral("F1")).isEmpty());
        const qint64 ordinary = timer.elapsed();
        const QByteArray complete = fileBytes(root() + QStringLiteral("F1.xls"));
        factory.injectFault(StartFault(fault));
        timer.start();
        const bool stopped = StartFault(fault) == StartFault::Stop;
        const QList<MessageBoxRequest> messages = saveReport(
            factory, QStringLiteral("F1"), false, stopped ? MessageButton::Ok : MessageButton::Yes);
        QVERIFY2(
            timer.elapsed() < withinMs + ordinary,
            qPrintable(QStringLiteral("%1 ms, an ordinary export %2 ms").arg(timer.elapsed()).arg(ordinary)));
        QCOMPARE(messages.size(), 1);
        // An office that did not answer is said to be so; a killed one is the command's failure.
        QCOMPARE(messages[0].text, stopped ? QStringLiteral("电子表格程序没有响应，请稍后再试。")
                                           : QStringLiteral("您输入的参数值对吗？"));
        QCOMPARE(factory.running(), 0);
        QVERIFY(officesBecome(m_temp.path(), 0, 5000));
        // Every office of the test has gone, and with it its profile and both its pipes' sockets.
        QVERIFY(!factory.startedProfiles().isEmpty());
        for (const QString& profile : factory.startedProfiles())
            QCOMPARE(officeTraces(profile), QStringList());
        QCOMPARE(fileBytes(root() + QStringLiteral("F1.xls")), complete);
        QCOMPARE(fileBytes(root() + QStringLiteral("mb/phm.xls")), m_template);
        QVERIFY(saveReport(factory, QStringLiteral("F2")).isEmpty());
    }

    // SIGKILL of the program while a hidden export hangs: no office of it is left after 5 s, nor its profile
    // or sockets.
    void killedProgramLeavesNoOffice() {
        QTemporaryDir temp;
        const QString script = temp.filePath(QStringLiteral("hang.scn"));
        writeFile(script, "answer Yes\nclick Form1.Command1\noffice-fault stop\nclick Form1.Command10\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        QProcess runner;
        runner.setProcessEnvironment(environment);
        runner.start(QStringLiteral(RUNNER_PATH), runnerOptions() + QStringList{script});
        QVERIFY(runner.waitForStarted());
        QVERIFY(officeAppears(temp.path(), 15000));
        QThread::msleep(1000);
        const QStringList profiles = runningProfiles(temp.path());
        QVERIFY(!profiles.isEmpty());
        ::kill(pid_t(runner.processId()), SIGKILL);
        QVERIFY(runner.waitForFinished(5000));
        QVERIFY(officesBecome(temp.path(), 0, 5000));
        // The watchdog removes the profile and the sockets once the office has gone.
        QTRY_VERIFY_WITH_TIMEOUT(
            QDir(temp.path()).entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs).isEmpty(), 5000);
        for (const QString& profile : profiles)
            QTRY_COMPARE_WITH_TIMEOUT(officeTraces(profile), QStringList(), 5000);
    }

    // A workbook left open for the user outlives a program that was killed; when its office ends later, the
    // office's profile folder goes with it.
    void userOfficeOutlivingProgramLeavesNoFolder() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("no Xvfb");
        // A display of the test's own; it names its number once it is ready.
        QProcess display;
        display.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"), QStringLiteral("1280x1024x24")});
        QVERIFY(display.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(display.canReadLine() || display.waitForReadyRead(100), 20000);
        const QString number = QString::fromLatin1(display.readLine()).trimmed();
        QVERIFY(!number.isEmpty());

        QTemporaryDir temp;
        const QString script = temp.filePath(QStringLiteral("open.scn"));
        // The dump is printed once the workbook has been shown and handed over.
        writeFile(script, "answer Yes\nclick Form1.Command1\nset Form1.Text28 U1\nclick Form1.Command12\n"
                          "dump Form1\npause 600000\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        environment.insert(QStringLiteral("DISPLAY"), u':' + number);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess runner;
        runner.setProcessEnvironment(environment);
        runner.start(QStringLiteral(RUNNER_PATH), runnerOptions() + QStringList{script});
        QVERIFY(runner.waitForStarted());
        // The process group of the office showing the workbook: one started without --headless.
        const auto visibleOffice = [&temp] {
            for (const QString& pid : processIds()) {
                const QByteArray line = processFile(pid, "cmdline");
                if (line.contains(profileMarker(temp.path())) && !line.contains("--headless"))
                    return runningGroup(pid);
            }
            return -1;
        };
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += runner.readAllStandardOutput()).contains("Form1.Text28=U1"),
                                 60000);
        const int group = visibleOffice();
        QVERIFY(group > 0);
        runner.kill();
        QVERIFY(runner.waitForFinished(5000));
        // The user closes the workbook's window.
        QVERIFY(groupAlive(group));
        ::kill(-group, SIGTERM);
        QVERIFY(officesBecome(temp.path(), 0, 20000));
        QTRY_VERIFY_WITH_TIMEOUT(
            QDir(temp.path()).entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs).isEmpty(), 10000);
        display.terminate();
        QVERIFY(display.waitForFinished(5000));
    }

    // An office that dies while it writes the PDF leaves nothing beside the reports: neither its temporary
    // file nor its lock of the PDF. The export either failed and left the report alone, or was finished by
    // an office that took over.
    void officeKilledWritingPdf() {
        QTemporaryDir folder;
        QVERIFY(installTemplates(folder.path(), {"phm.xls"}));
        TestOfficeFactory factory;
        QList<MessageBoxRequest> messages;
        {
            const PdfKiller killer(folder.path(), profileMarker(m_temp.path()));
            MapFields fields(form1FieldNames());
            fillAutomaticReport(fields, QStringLiteral("P1"));
            ScriptedPrompter prompter;
            prompter.queueAnswer(MessageButton::Yes);
            ReportExport(fields, prompter, factory, InstallPaths(folder.path())).saveAutomaticReport();
            messages = prompter.messages();
            QVERIFY(killer.killed());
        }
        QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("P1.pdf"))), messages.isEmpty());
        QCOMPARE(junk(folder.path()).join(u' '), QString());
        QCOMPARE(factory.running(), 0);
    }

    // The program interrupted in the middle of an export: Ctrl+C lets the export finish and leaves nothing;
    // after SIGKILL, whatever was left is gone with the program's next start, and the report is not touched.
    void interruptedProgramLeavesNothing_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGKILL") << int(SIGKILL);
    }
    void interruptedProgramLeavesNothing() {
        QFETCH(int, signal);
        QTemporaryDir folder;
        QVERIFY(installTemplates(folder.path(), {"phm.xls"}));
        writeFile(folder.filePath(QStringLiteral("lunch.tmp")), "the user's");
        writeFile(folder.filePath(QStringLiteral(".~lock.A1.xls#")), "the user's");
        QTemporaryDir temp;
        const QString script = temp.filePath(QStringLiteral("i.scn"));
        writeFile(script, "answer Yes\nclick Form1.Command1\nset Form1.Text28 I1\nclick Form1.Command10\n"
                          "pause 600000\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        QStringList options = runnerOptions();
        options[1] = folder.path();
        QProcess runner;
        runner.setProcessEnvironment(environment);
        runner.start(QStringLiteral(RUNNER_PATH), options + QStringList{script});
        QVERIFY(runner.waitForStarted());
        // In the middle of the export: its scratch file is there, the report is not yet.
        QTRY_VERIFY_WITH_TIMEOUT(!junk(folder.path()).filter(QStringLiteral(".mixdesign-")).isEmpty(), 20000);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("I1.xls"))));
        ::kill(pid_t(runner.processId()), signal);
        QVERIFY(runner.waitForFinished(60000));
        if (signal == SIGINT) {
            QCOMPARE(runner.exitStatus(), QProcess::NormalExit);
            QCOMPARE(runner.exitCode(), 128 + SIGINT);
            QVERIFY(QFile::exists(folder.filePath(QStringLiteral("I1.pdf"))));
        }
        QVERIFY(officesBecome(temp.path(), 0, 10000));
        if (signal == SIGKILL) {
            // The next start.
            writeFile(script, "expect-offices 0\n");
            QProcess next;
            next.setProcessEnvironment(environment);
            next.start(QStringLiteral(RUNNER_PATH), options + QStringList{script});
            QVERIFY(next.waitForFinished(60000));
            QCOMPARE(next.exitCode(), 0);
        }
        // The user's files that only look like them stay.
        QCOMPARE(junk(folder.path()), (QStringList{".~lock.A1.xls#", "lunch.tmp"}));
    }

    // Nothing of an ended office is left: no profile, no temporary file, no pipe socket.
    void cleanupTestCase() {
        QCOMPARE(processesWith(profileMarker(m_temp.path())), 0);
        QCOMPARE(QDir(m_temp.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                     .filter(QRegularExpression(QStringLiteral("^(mixdesign-office-|lu.*\\.tmp$)"))),
                 QStringList());
        // Of the offices this test started; those of anyone else on the machine do not count.
        QVERIFY(!TestOfficeFactory::everyProfile().isEmpty());
        for (const QString& profile : TestOfficeFactory::everyProfile())
            QCOMPARE(officeTraces(profile), QStringList());
        QCOMPARE(fileBytes(root() + QStringLiteral("mb/phm.xls")), m_template);
    }
};

QTEST_GUILESS_MAIN(OfficeLifecycleTest)
#include "test_office_lifecycle.moc"
