#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "report/adjustworkbook.h"
#include "report/reportexport.h"
#include "report/spreadsheetsession.h"
#include "support/form1fields.h"
#include "support/officeprocesses.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Full disks and folders that cannot be written, against the real LibreOffice: the engineer is told which,
// never asked about the inputs or told that the office is missing, and the report saved before stays.
namespace {

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Answers every box with its first button: Yes, or OK.
class AnsweringPrompter : public ScriptedPrompter {
public:
    MessageButton message(const MessageBoxRequest& request) override {
        queueAnswer(request.buttons == MessageButtons::YesNo ? MessageButton::Yes : MessageButton::Ok);
        return ScriptedPrompter::message(request);
    }
};

// A small file system of its own (tmpfs), mounted while the object lives; only root can make one.
class SmallDisk {
public:
    explicit SmallDisk(const QString& where) : m_path(where) {
        QDir().mkpath(m_path);
        m_mounted =
            run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          QStringLiteral("size=8m"), QStringLiteral("tmpfs"), m_path});
    }
    ~SmallDisk() {
        if (m_mounted)
            run(QStringLiteral("umount"), {QStringLiteral("-l"), m_path});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& path() const { return m_path; }
    // Takes every byte left.
    bool fill() const {
        QFile filler(m_path + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly))
            return false;
        const QByteArray block(64 * 1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        // The last bytes, which a whole block no longer fits.
        while (filler.write("x", 1) == 1 && filler.flush()) {
        }
        return true;
    }
    bool readOnly() const {
        return run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_path});
    }

private:
    QString m_path;
    bool m_mounted = false;
};

// The office profiles in the folder whose office no longer runs.
QStringList profilesOfGoneOffices(const QString& temp) {
    QStringList profiles = QDir(temp).entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs);
    for (const QString& running : runningProfiles(temp))
        profiles.removeAll(QFileInfo(running).fileName());
    return profiles;
}

} // namespace

class OfficeDisksTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_places;
    QTemporaryDir m_temp;
    // One office kept ready, as the program keeps one; only a full temporary folder needs an office started
    // after it filled.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    int m_reports = 0;

    // "文件保存为" of a complete report, or "施工配比"; the boxes shown but the adjustment export's question.
    static QList<MessageBoxRequest> exportTo(TestOfficeFactory& factory, const QString& root,
                                             const QString& command, const QString& name) {
        AnsweringPrompter prompter;
        if (command == QStringLiteral("文件保存为")) {
            MapFields fields(form1FieldNames());
            fillAutomaticReport(fields, name);
            ReportExport(fields, prompter, factory, InstallPaths(root)).saveAutomaticReport();
        } else {
            MapFields fields(MixAdjustment::controlNames());
            for (const QString& field : MixAdjustment::controlNames())
                fields.setText(field, QStringLiteral("1.5"));
            fields.setText(Tiaozheng::fileName, name);
            AdjustWorkbook(fields, prompter, factory, InstallPaths(root)).exportConstruction();
            factory.closeHandedOver();
        }
        QList<MessageBoxRequest> boxes;
        for (const MessageBoxRequest& box : prompter.messages())
            if (box.text != QStringLiteral("您确定要把数据导出到EXCEL文件吗？"))
                boxes << box;
        return boxes;
    }

private slots:
    void initTestCase() { qputenv("TMPDIR", QFile::encodeName(m_temp.path())); }

    void cannotWrite_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        const QString full = QStringLiteral("磁盘空间不足，无法保存文件。");
        const QString folder = QStringLiteral("无法写入文件夹“~/zeb/”，请检查其权限。");
        for (const char* command : {"文件保存为", "施工配比"}) {
            const QString c = QString::fromUtf8(command);
            QTest::addRow("%s, installation folder full", command) << "root full" << c << full;
            QTest::addRow("%s, temporary folder full", command) << "temp full" << c << full;
            QTest::addRow("%s, installation folder read-only", command) << "root read-only" << c << folder;
            QTest::addRow("%s, a file in place of the installation folder", command)
                << "root a file" << c << folder;
        }
    }
    void cannotWrite() {
        QFETCH(QString, place);
        QFETCH(QString, command);
        QFETCH(QString, message);
        const QString where = m_places.filePath(QString::number(++m_reports));
        std::unique_ptr<SmallDisk> disk;
        QString root = where + QStringLiteral("/zeb");
        QString temp = m_temp.path();
        if (place != QStringLiteral("root a file")) {
            disk = std::make_unique<SmallDisk>(
                place == QStringLiteral("temp full") ? where + QStringLiteral("/tmp") : root);
            if (!disk->mounted())
                QSKIP("no file system of its own can be mounted here (root only)");
            if (place == QStringLiteral("temp full"))
                temp = disk->path();
        }
        QVERIFY(installTemplates(root, {"phm.xls", "phtzm.xls"}));
        // A report saved while there was room.
        const QString name = QStringLiteral("D%1").arg(m_reports);
        QCOMPARE(exportTo(m_office, root, command, name).size(), 0);
        const QString report = root + u'/' + name + QStringLiteral(".xls");
        const QByteArray saved = bytes(report);
        QVERIFY(saved.size() > 0);

        if (place == QStringLiteral("root read-only"))
            QVERIFY(disk->readOnly());
        else if (place == QStringLiteral("root a file")) {
            QVERIFY(QDir(root).removeRecursively());
            QFile file(root);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else
            QVERIFY(disk->fill());
        QList<MessageBoxRequest> boxes;
        if (place == QStringLiteral("temp full")) {
            // A program started now: an office kept ready from before would still have its room.
            qputenv("TMPDIR", QFile::encodeName(temp));
            TestOfficeFactory now;
            boxes = exportTo(now, root, command, name);
            QCOMPARE(now.running(), 0);
            now.endAll();
            qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
        } else {
            boxes = exportTo(m_office, root, command, name);
            QCOMPARE(m_office.running(), 0);
        }
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, message);
        QCOMPARE(boxes[0].icon, MessageIcon::Stop);
        QCOMPARE(boxes[0].buttons, MessageButtons::Ok);
        if (place != QStringLiteral("root a file"))
            QCOMPARE(bytes(report), saved);
        if (place == QStringLiteral("root full") || place == QStringLiteral("temp full"))
            QCOMPARE(QDir(root).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("mixdesign")),
                     QStringList());
        // No office profile is left behind in the full temporary folder either; in the ordinary one, only
        // those of the offices still running (the one kept ready).
        QTRY_COMPARE(profilesOfGoneOffices(temp), QStringList());
    }

    // A template that is gone is named as such on a full disk too: a full disk explains only what it fails.
    void missingTemplateOnFullDisk_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("templateName");
        QTest::newRow("文件保存为") << "文件保存为"
                                    << "phm.xls";
        QTest::newRow("施工配比") << "施工配比"
                                  << "phtzm.xls";
    }
    void missingTemplateOnFullDisk() {
        QFETCH(QString, command);
        QFETCH(QString, templateName);
        const QString root = m_places.filePath(QString::number(++m_reports)) + QStringLiteral("/zeb");
        SmallDisk disk(root);
        if (!disk.mounted())
            QSKIP("no file system of its own can be mounted here (root only)");
        QVERIFY(installTemplates(root, {"phm.xls", "phtzm.xls"}));
        QVERIFY(disk.fill());
        QVERIFY(QFile::remove(root + QStringLiteral("/mb/") + templateName));
        const QList<MessageBoxRequest> boxes = exportTo(m_office, root, command, QStringLiteral("M1"));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, SpreadsheetSession::templateMessage(templateName));
        QCOMPARE(m_office.running(), 0);
    }

    void cleanupTestCase() {
        m_office.endAll();
        QCOMPARE(QDir(m_temp.path()).entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(OfficeDisksTest)
#include "test_office_disks.moc"
