#include "office/officefiles.h"
#include "report/scratchfiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The program's temporary files beside the reports: named after their writer, and what a killed program or
// office left removed, never a file of the user's; the office's own files only where the office's names are
// known.
class ScratchFilesTest : public QObject {
    Q_OBJECT

private:
    QString m_gone;      // the pid of a process that has ended
    QString m_office;    // the pid of a running process named as the office is
    pid_t m_zombie = -1; // a process that has ended and is not yet reaped
    QTemporaryDir m_programs;
    QProcess m_officeProcess;

private slots:
    void initTestCase() {
        QProcess ended;
        ended.start(QStringLiteral("/bin/true"), QStringList());
        QVERIFY(ended.waitForStarted());
        m_gone = QString::number(ended.processId());
        QVERIFY(ended.waitForFinished());
        const QString office = m_programs.filePath(QStringLiteral("soffice.bin"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), office));
        m_officeProcess.start(office, {QStringLiteral("60")});
        QVERIFY(m_officeProcess.waitForStarted());
        m_office = QString::number(m_officeProcess.processId());
        m_zombie = ::fork();
        if (m_zombie == 0)
            ::_exit(0);
        QVERIFY(m_zombie > 0);
        // Ended, not reaped.
        const auto zombie = [this] {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(m_zombie));
            return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ");
        };
        QTRY_VERIFY(zombie());
    }
    void cleanupTestCase() {
        ::waitpid(m_zombie, nullptr, 0);
        m_officeProcess.kill();
        m_officeProcess.waitForFinished();
    }

    void reserveNamesTheWriter() {
        QTemporaryDir folder;
        const ScratchFiles files(folder.path());
        const QString first = files.reserve(QStringLiteral(".xls"));
        const QString second = files.reserve(QStringLiteral(".xls"));
        QVERIFY(first != second);
        const QRegularExpression named(
            QStringLiteral("^\\.mixdesign-%1-[A-Za-z0-9]{6}\\.xls$").arg(QCoreApplication::applicationPid()));
        for (const QString& path : {first, second}) {
            QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
            QVERIFY2(named.match(QFileInfo(path).fileName()).hasMatch(), qPrintable(path));
            QCOMPARE(QFileInfo(path).size(), 0);
        }
        // A file of its writer's while it runs.
        QCOMPARE(files.sweep(), QStringList());
        QVERIFY(QFile::exists(first));
        // The access of a new file of the user's: read and write as the umask allows.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(first).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0666 & ~mask);
        QCOMPARE(ScratchFiles(folder.filePath(QStringLiteral("missing"))).reserve(QStringLiteral(".pdf")),
                 QString());
    }

    void sweep_data() {
        QTest::addColumn<QString>("name"); // GONE, SELF and OFFICE stand for pids
        QTest::addColumn<bool>("removed");
        QTest::addColumn<bool>("office"); // a file of the office's, kept by a sweep that knows none
        const auto row = [](const char* name, bool removed) {
            const QString text(name);
            QTest::newRow(name) << text << removed
                                << (text.startsWith(QStringLiteral(".~lock.")) || text.endsWith(".tmp"));
        };
        row(".mixdesign-GONE-aB3xYz.xls", true);
        row(".mixdesign-GONE-aB3xYz.pdf", true);
        row(".mixdesign-ZOMBIE-aB3xYz.xls", true);
        row(".~lock..mixdesign-GONE-aB3xYz.pdf#", true);
        row(".mixdesign-SELF-aB3xYz.xls", false);
        row(".~lock..mixdesign-SELF-kept00.xls#", false); // its file is there and its writer runs
        row(".~lock..mixdesign-SELF-none00.xls#", true);  // its file is gone
        row("luGONE23abc.tmp", true);
        row("luOFFICE23abc.tmp", false);
        // The user's files, and whatever only looks like the program's.
        row("A1.xls", false);
        row("A1.pdf", false);
        row(".~lock.A1.xls#", false);
        row(".~lock..mixdesign-notes.xls#", false);
        row(".mixdesign-GONE-aB3xYz.txt", false);
        row(".mixdesign-GONE-aB3xY.xls", false);
        row("mixdesign-GONE-aB3xYz.xls", false);
        row(".mixdesign-notes.xls", false);
        row("lu.tmp", false);
        row("lunch.tmp", false);
        row("luGONE.txt", false);
    }
    void sweep() {
        QFETCH(QString, name);
        QFETCH(bool, removed);
        QFETCH(bool, office);
        name.replace(QStringLiteral("ZOMBIE"), QString::number(m_zombie))
            .replace(QStringLiteral("GONE"), m_gone)
            .replace(QStringLiteral("SELF"), QString::number(QCoreApplication::applicationPid()))
            .replace(QStringLiteral("OFFICE"), m_office);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        const QString kept =
            QStringLiteral(".mixdesign-%1-kept00.xls").arg(QCoreApplication::applicationPid());
        QVERIFY(QFile(folder.filePath(kept)).open(QIODevice::WriteOnly));
        QCOMPARE(ScratchFiles(folder.path()).sweep(), removed && !office ? QStringList{name} : QStringList());
        QCOMPARE(QFile::exists(path), !removed || office);
        const OfficeFiles officeFiles;
        QCOMPARE(ScratchFiles(folder.path(), &officeFiles).sweep(),
                 removed && office ? QStringList{name} : QStringList());
        QCOMPARE(QFile::exists(path), !removed);
        QVERIFY(QFile::exists(folder.filePath(kept)));
    }

    // A file of a pid that a later process took over is left over; links and folders are never touched.
    void reusedPidAndOtherEntries() {
        QTemporaryDir folder;
        const QString self = QString::number(QCoreApplication::applicationPid());
        const QString old = folder.filePath(QStringLiteral(".mixdesign-%1-old000.xls").arg(self));
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(
            file.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
        file.close();
        const QString link = QStringLiteral(".mixdesign-%1-link00.xls").arg(m_gone);
        QVERIFY(QFile::link(old, folder.filePath(link)));
        const QString dir = QStringLiteral(".mixdesign-%1-dir000.pdf").arg(m_gone);
        QVERIFY(QDir(folder.path()).mkdir(dir));
        const OfficeFiles officeFiles;
        QCOMPARE(ScratchFiles(folder.path(), &officeFiles).sweep(), QStringList{QFileInfo(old).fileName()});
        QVERIFY(QFileInfo(folder.filePath(link)).isSymLink());
        QVERIFY(QFileInfo(folder.filePath(dir)).isDir());
    }
};

QTEST_GUILESS_MAIN(ScratchFilesTest)
#include "test_office_scratch_files.moc"
