#include "office/calldeadline.h"

#include <QElapsedTimer>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The deadline of a call into an office: the office's process group is killed when an armed call overruns,
// or at once when the call is given up; never when no call is armed.
class CallDeadlineTest : public QObject {
    Q_OBJECT

private:
    // A process in a group of its own that sleeps until it is killed.
    static pid_t sleeper() {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setpgid(0, 0);
            ::pause();
            ::_exit(0);
        }
        ::setpgid(pid, pid); // before the child may have done it: either order gives the same group
        return pid;
    }
    // Whether the process was killed by SIGKILL within `ms`; it is reaped either way.
    static bool killedWithin(pid_t pid, int ms) {
        QElapsedTimer timer;
        timer.start();
        int status = 0;
        while (timer.elapsed() < ms) {
            if (::waitpid(pid, &status, WNOHANG) == pid)
                return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            QThread::msleep(5);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return false;
    }

private slots:
    void deadline_data() {
        QTest::addColumn<int>("armMs");   // 0: never armed
        QTest::addColumn<bool>("disarm"); // the call returns before its deadline
        QTest::addColumn<bool>("overrunNow");
        QTest::addColumn<bool>("killed");
        QTest::newRow("call overruns its deadline") << 50 << false << false << true;
        QTest::newRow("call returns in time") << 50 << true << false << false;
        QTest::newRow("call given up before its deadline") << 60000 << false << true << true;
        QTest::newRow("given up with no call armed") << 0 << false << true << false;
        QTest::newRow("given up after the call returned") << 60000 << true << true << false;
    }
    void deadline() {
        QFETCH(int, armMs);
        QFETCH(bool, disarm);
        QFETCH(bool, overrunNow);
        QFETCH(bool, killed);
        const pid_t pid = sleeper();
        CallDeadline deadline;
        deadline.watch(pid);
        if (armMs > 0)
            deadline.arm(armMs);
        if (disarm)
            deadline.disarm();
        if (overrunNow)
            deadline.overrunNow();
        // Well past the short deadline, far short of the long one.
        QCOMPARE(killedWithin(pid, 500), killed);
        QCOMPARE(deadline.overran(), killed);
    }

    // A call armed again after an overrun has a deadline of its own.
    void armedAgainAfterOverrun() {
        const pid_t first = sleeper();
        CallDeadline deadline;
        deadline.watch(first);
        deadline.arm(60000);
        deadline.overrunNow();
        QVERIFY(killedWithin(first, 2000));
        const pid_t second = sleeper();
        deadline.watch(second);
        deadline.arm(50);
        QVERIFY(killedWithin(second, 2000));
    }
};

QTEST_GUILESS_MAIN(CallDeadlineTest)
#include "test_office_call_deadline.moc"
