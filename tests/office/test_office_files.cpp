#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "report/adjustcells.h"
#include "report/adjustworkbook.h"
#include "report/reportexport.h"
#include "support/files.h"
#include "support/form1fields.h"
#include "support/officeprocesses.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The user's files against the real LibreOffice: locks of others, templates, files that are no workbook and
// reports the user protected. None of the cases is about an office's life, so they share one office kept
// ready, as the program keeps one.
class OfficeFilesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QTemporaryDir m_temp;
    QByteArray m_template;
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};

    QString root() const { return m_root.path() + u'/'; }

    QList<MessageBoxRequest> saveReport(TestOfficeFactory& factory, const QString& name) {
        MapFields fields(form1FieldNames());
        fillAutomaticReport(fields, name);
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        ReportExport(fields, prompter, factory, InstallPaths(m_root.path())).saveAutomaticReport();
        return prompter.messages();
    }

    // The import of one file into fresh fields: the messages shown.
    QStringList import(TestOfficeFactory& factory, const QString& path, MapFields& fields) {
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        fields.setText(Tiaozheng::chosenPath, path);
        fields.clearWrites();
        AdjustWorkbook(fields, prompter, factory, InstallPaths(m_root.path())).importWorkbook();
        QStringList texts;
        for (const MessageBoxRequest& box : prompter.messages())
            texts << box.text;
        return texts;
    }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phm.xls", "phtzm.xls"}));
        m_template = fileBytes(root() + QStringLiteral("mb/phm.xls"));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    // A lock decides by its holder: empty or of a gone office of this machine is removed; one of a
    // running office, or of another machine, keeps the file in use.
    void lockHolders_data() {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<bool>("inUse");
        QTest::newRow("empty lock") << "empty" << false;
        QTest::newRow("gone office of ours") << "gone" << false;
        QTest::newRow("running office") << "running" << true;
        QTest::newRow("another machine") << "remote" << true;
    }
    void lockHolders() {
        QFETCH(QString, holder);
        QFETCH(bool, inUse);
        const QString target = root() + QStringLiteral("locked.xls");
        const QString lock = root() + QStringLiteral(".~lock.locked.xls#");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QByteArray url = "file://" + QFile::encodeName(m_temp.path()) + "/mixdesign-office-held";
        QProcess holderProcess;
        if (holder == QStringLiteral("empty"))
            writeFile(lock, {});
        else if (holder == QStringLiteral("gone"))
            writeFile(lock, ",u," + host + ",08.12.2026 10:00," + url + ";");
        else if (holder == QStringLiteral("remote"))
            writeFile(lock, ",u,elsewhere.example,08.12.2026 10:00," + url + ";");
        else {
            writeFile(lock, ",u," + host + ",08.12.2026 10:00," + url + ";");
            holderProcess.start(QStringLiteral("/bin/sh"),
                                {QStringLiteral("-c"), QStringLiteral("sleep 30"),
                                 "-env:UserInstallation=" + QString::fromUtf8(url)});
            QVERIFY(holderProcess.waitForStarted());
        }
        TestOfficeFactory factory;
        QCOMPARE(factory.inUse(target), inUse);
        QCOMPARE(QFile::exists(lock), inUse);
        if (holderProcess.state() != QProcess::NotRunning) {
            holderProcess.kill();
            holderProcess.waitForFinished();
        }
        QFile::remove(lock);
    }

    // A lock on the template never blocks an export, and no export ever writes the template.
    void lockOnTemplate() {
        const QString templateLock = root() + QStringLiteral("mb/.~lock.phm.xls#");
        writeFile(templateLock, ",u,elsewhere.example,08.12.2026 10:00,file:///nowhere;");
        QVERIFY(saveReport(m_office, QStringLiteral("T1")).isEmpty());
        QVERIFY(QFile::exists(root() + QStringLiteral("T1.xls")));
        QVERIFY(QFile::exists(templateLock));
        QCOMPARE(fileBytes(root() + QStringLiteral("mb/phm.xls")), m_template);
        QFile::remove(templateLock);
    }

    // What the office does not take as a workbook, or a workbook of another form, fails with the import
    // message before any field changes.
    void importRefusesNonWorkbooks_data() {
        QTest::addColumn<QByteArray>("content");
        QByteArray random(20000, '\0');
        for (char& c : random)
            c = char(QRandomGenerator::global()->bounded(256));
        QTest::newRow("random bytes") << random;
        QTest::newRow("plain text") << QByteArray("水灰比 0.43\nthis is no workbook\n");
        QTest::newRow("empty file") << QByteArray();
        // Workbooks, but of another form: a JGJ 55-2011 calculation sheet, the main window's report.
        const QString templates = qEnvironmentVariable("MIX_TEST_TEMPLATES");
        QTest::newRow("JGJ 55-2011 sheet") << fileBytes(templates + QStringLiteral("/phm2011.xls"));
        QTest::newRow("main report") << fileBytes(templates + QStringLiteral("/phm.xls"));
    }
    void importRefusesNonWorkbooks() {
        QFETCH(QByteArray, content);
        const QString path = root() + QStringLiteral("garbage.xls");
        writeFile(path, content);
        TestOfficeFactory& factory = m_office;
        MapFields fields(MixAdjustment::controlNames() +
                         QStringList{Tiaozheng::chosenPath, Tiaozheng::chosenStem});
        for (const AdjustCell& cell : adjustCells())
            fields.setText(cell.field, QStringLiteral("kept"));
        QCOMPARE(import(factory, path, fields), (QStringList{"您确定要把选择的EXCEL文件数据导入到本程序吗？",
                                                             AdjustWorkbook::importFailure()}));
        for (const AdjustCell& cell : adjustCells())
            QCOMPARE(fields.text(cell.field), QStringLiteral("kept"));
        QCOMPARE(factory.running(), 0);
    }

    // A write-protected complete report stays byte for byte after a failing "文件保存为" to its name; run as
    // an ordinary user, since root writes anything.
    void writeProtectedReport() {
        QVERIFY(saveReport(m_office, QStringLiteral("W1")).isEmpty());
        const QString report = root() + QStringLiteral("W1.xls");
        const QByteArray complete = fileBytes(report);
        QVERIFY(QFile::setPermissions(report, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        // Outside the test's private temporary folder, which the ordinary user cannot enter.
        QTemporaryDir userTemp(QStringLiteral("/tmp/mixdesign-user-XXXXXX"));
        QFile::setPermissions(userTemp.path(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(m_root.path(), QFileDevice::Permissions(0x7777));
        const QString script = userTemp.filePath(QStringLiteral("w.scn"));
        writeFile(script, "answer Yes\nclick Form1.Command1\nset Form1.Text28 W1\nanswer Yes\n"
                          "click Form1.Command10\nexpect-offices 0\n");
        QFile::setPermissions(script, QFileDevice::Permissions(0x4444));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), userTemp.path());
        environment.insert(QStringLiteral("HOME"), userTemp.path());
        QProcess runner;
        runner.setProcessEnvironment(environment);
        QStringList command = QStringList{QStringLiteral(RUNNER_PATH), QStringLiteral("--root"), root(),
                                          QStringLiteral("--warm-office"), script};
        if (getuid() == 0)
            command = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                  QStringLiteral("--clear-groups")} +
                      command;
        runner.start(getuid() == 0 ? QStringLiteral("setpriv") : command.takeFirst(), command);
        QVERIFY(runner.waitForFinished(60000));
        const QString output = QString::fromUtf8(runner.readAllStandardOutput());
        QVERIFY2(runner.exitCode() == 0, qPrintable(output + runner.readAllStandardError()));
        QVERIFY(output.contains(QStringLiteral("text=\"您输入的参数值对吗？\"")));
        QCOMPARE(fileBytes(report), complete);
        QFile::setPermissions(report, QFile::ReadOwner | QFile::WriteOwner);
    }

    // The office kept ready ends with its factory and leaves nothing; no template was ever written.
    void cleanupTestCase() {
        m_office.endAll();
        QVERIFY(officesBecome(m_temp.path(), 0, 5000));
        QVERIFY(!m_office.startedProfiles().isEmpty());
        for (const QString& profile : m_office.startedProfiles())
            QTRY_COMPARE(officeTraces(profile), QStringList());
        QCOMPARE(fileBytes(root() + QStringLiteral("mb/phm.xls")), m_template);
    }
};

QTEST_GUILESS_MAIN(OfficeFilesTest)
#include "test_office_files.moc"
