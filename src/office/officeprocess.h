#pragma once

#include "office/calldeadline.h"
#include "office/officelimits.h"
#include "office/uno.h"
#include "report/spreadsheet.h"

#include <com/sun/star/bridge/XUnoUrlResolver.hpp>

#include <QDeadlineTimer>
#include <QString>

#include <atomic>
#include <sys/types.h>

// The office program ran but ended before it answered: it may start another time (it was killed, it lost a
// resource), unlike a program that is missing or cannot be run at all.
class OfficeStartFailure : public SpreadsheetUnavailable {
public:
    using SpreadsheetUnavailable::SpreadsheetUnavailable;
};

// The whole life of one private soffice process: its own profile folder, pipe, temporary folder and process
// group; the UNO connection to it; the deadline of every call; its end; and a watchdog process that kills it
// when the program dies in any way (SIGKILL included) before it was ended or released.
class OfficeProcess {
public:
    enum class Connection {
        Wait,  // the constructor returns connected
        Later, // the constructor returns at once; tryConnect() or connect() finish the start
    };

    // Starts soffice (headless: no window at all) and connects to it. Throws SpreadsheetUnavailable when the
    // office cannot be started, OfficeStartFailure when it ended before it answered, SpreadsheetTimeout when
    // it did not answer within the connect limit, counted from the start.
    OfficeProcess(const css::uno::Reference<css::uno::XComponentContext>& local, bool headless,
                  const QString& soffice, const OfficeLimits& limits,
                  Connection connection = Connection::Wait);
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // One attempt to connect, not waiting: true once connected. Throws OfficeStartFailure when the office
    // ended, SpreadsheetTimeout when the connect limit has passed.
    bool tryConnect();
    // Waits until connected; throws as tryConnect does, and SpreadsheetUnavailable once the start is
    // abandoned.
    void connect();
    // For an office whose connect() runs on another thread: it gives up at once (a connect call under way
    // overruns now, which kills the office); end() follows once that thread is done.
    void abandonStart();
    // Closes every document unsaved and leaves the office running for more work. False when the office is
    // in doubt (gone, past a call deadline, a lost connection): only end() is left for it then.
    bool closeAllDocuments();

    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    bool headless() const { return m_headless; }
    // The process group of the office and every helper it starts.
    pid_t processGroup() const { return m_pid; }
    // The office's own profile folder (empty once the office was ended).
    const QString& profileDir() const { return m_profileDir; }
    // The limits this office is held to.
    const OfficeLimits& limits() const { return m_limits; }
    // The deadline that every call into this office is made under.
    CallDeadline& deadline() { return m_deadline; }
    // Whether the process still runs (a user may have closed a visible one, a fault may have killed it).
    bool running() const;
    // Whether it runs and none of its processes is stopped, by the kernel's process states: no call into it.
    bool responsive() const;
    // The memory its processes hold (resident set), in bytes.
    qint64 residentBytes() const;

    // Closes every document unsaved and asks the office to terminate, waiting only when it was asked (never
    // an office that is stopped or past a call deadline); signals the process group when it does not go;
    // removes the profile, the temporary folder and the pipe's socket. Never throws. Only OfficePool::retire
    // calls it, besides a start that failed and the destructor of an office that was never retired.
    void end();
    // The user owns the process from now on: the program may die without taking it along (the connection
    // stays until release or end); whenever it ends, its profile and sockets are removed after it.
    void leaveToUser();
    // It outlives this object and the program; its profile goes when it ends.
    void release();
    // The office's own component context, for services created inside it.
    const css::uno::Reference<css::uno::XComponentContext>& context() const { return m_remote; }

private:
    void prepareProfile(const QString& soffice);
    void spawn(const QString& soffice, const QString& pipeName);
    void spawnWatchdog();
    // Lets the office's process become soffice; closing instead ends it unstarted.
    void openGate();
    void closeGate();
    void stopWatchdog();
    // Sends the watchdog its one word ("stop" or "release") and closes the pipe.
    void tellWatchdog(const char* word);
    bool waitForExit(int milliseconds) const;
    void closeDocuments();
    void reap();
    // The sockets of the connection pipe and of the office's own single-instance pipe, both left behind by an
    // office that was killed.
    QString socketPath() const;
    QString instancePipePath() const;

    bool m_headless;
    OfficeLimits m_limits;
    pid_t m_pid = -1;
    pid_t m_watchdog = -1;
    int m_watchdogPipe = -1;
    int m_gatePipe = -1; // the program's end of the start gate, until the watchdog runs
    bool m_released = false;
    std::atomic<bool> m_startAbandoned{false};
    QString m_profileDir;
    QString m_profileUrl;
    CallDeadline m_deadline;
    css::uno::Reference<css::bridge::XUnoUrlResolver> m_resolver;
    rtl::OUString m_connectUrl;
    QDeadlineTimer m_connectDeadline;
    css::uno::Reference<css::uno::XComponentContext> m_remote;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
