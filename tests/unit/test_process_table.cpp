#include "common/processtable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The process table as the office layer and the scratch files read it: states, groups, start times and
// command lines of processes in every state they meet.
class ProcessTableTest : public QObject {
    Q_OBJECT

private:
    QProcess m_sleeper;  // runs, then is stopped
    pid_t m_zombie = -1; // has ended and is not yet reaped
    qint64 m_gone = -1;  // has ended and was reaped

private slots:
    void initTestCase() {
        m_sleeper.start(QStringLiteral("/bin/sleep"), {QStringLiteral("60"), QStringLiteral("1")});
        QVERIFY(m_sleeper.waitForStarted());
        m_zombie = ::fork();
        if (m_zombie == 0)
            ::_exit(0);
        QVERIFY(m_zombie > 0);
        QTRY_VERIFY(ProcessTable::find(m_zombie) && ProcessTable::find(m_zombie)->ended());
        QProcess ended;
        ended.start(QStringLiteral("/bin/true"), QStringList());
        QVERIFY(ended.waitForStarted());
        m_gone = ended.processId();
        QVERIFY(ended.waitForFinished());
    }
    void cleanupTestCase() {
        ::waitpid(m_zombie, nullptr, 0);
        m_sleeper.kill();
        m_sleeper.waitForFinished();
    }

    void states_data() {
        QTest::addColumn<QString>("who");
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("itself") << "self" << true << false << false;
        QTest::newRow("running child") << "sleeper" << true << false << false;
        QTest::newRow("stopped child") << "stopped" << true << false << true;
        QTest::newRow("zombie") << "zombie" << true << true << false;
        QTest::newRow("reaped") << "gone" << false << false << false;
        QTest::newRow("no pid") << "none" << false << false << false;
    }
    void states() {
        QFETCH(QString, who);
        QFETCH(bool, found);
        QFETCH(bool, ended);
        QFETCH(bool, stopped);
        qint64 pid = -1;
        if (who == QStringLiteral("self"))
            pid = QCoreApplication::applicationPid();
        else if (who == QStringLiteral("sleeper") || who == QStringLiteral("stopped"))
            pid = m_sleeper.processId();
        else if (who == QStringLiteral("zombie"))
            pid = m_zombie;
        else if (who == QStringLiteral("gone"))
            pid = m_gone;
        if (who == QStringLiteral("stopped"))
            ::kill(pid_t(pid), SIGSTOP);
        const auto stateIs = [&] {
            const std::optional<ProcessEntry> entry = ProcessTable::find(pid);
            return entry.has_value() == found &&
                   (!entry || (entry->ended() == ended && entry->stopped() == stopped));
        };
        QTRY_VERIFY(stateIs());
        if (who == QStringLiteral("stopped"))
            ::kill(pid_t(pid), SIGCONT);
    }

    // A child's group, name, command line, start time and memory.
    void describesAProcess() {
        const qint64 pid = m_sleeper.processId();
        const std::optional<ProcessEntry> entry = ProcessTable::find(pid);
        QVERIFY(entry);
        QCOMPARE(entry->group, qint64(::getpgrp()));
        QCOMPARE(ProcessTable::name(pid), QByteArray("sleep"));
        QCOMPARE(ProcessTable::commandLine(pid).mid(0, 3), (QList<QByteArray>{"/bin/sleep", "60", "1"}));
        const QDateTime started = ProcessTable::startTime(*entry);
        QVERIFY(qAbs(started.secsTo(QDateTime::currentDateTime())) < 120);
        QVERIFY(ProcessTable::residentBytes(pid) > 0);
        const std::vector<ProcessEntry> group = ProcessTable::group(entry->group);
        QVERIFY(
            std::any_of(group.begin(), group.end(), [pid](const ProcessEntry& e) { return e.pid == pid; }));
        QVERIFY(ProcessTable::commandLine(m_gone).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProcessTableTest)
#include "test_process_table.moc"
