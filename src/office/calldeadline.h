#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Bounds blocking calls into one office process: while a call is armed, a watcher thread kills the office's
// process group when the call overruns, so the blocked call returns with an error instead of hanging.
class CallDeadline {
public:
    CallDeadline();
    ~CallDeadline();
    CallDeadline(const CallDeadline&) = delete;
    CallDeadline& operator=(const CallDeadline&) = delete;

    // The process group that is killed on an overrun.
    void watch(pid_t processGroup);
    void arm(int milliseconds);
    void disarm();
    // An armed call overruns now, as at its deadline; nothing when none is armed.
    void overrunNow();
    // Whether a call overran and the office was killed.
    bool overran() const;

private:
    void run();
    // Ends the armed call: kills the process group. Called with the mutex held.
    void expire();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    pid_t m_group = -1;
    bool m_armed = false;
    bool m_overran = false;
    bool m_stopping = false;
    std::chrono::steady_clock::time_point m_due;
    std::thread m_watcher;
};

// Arms a deadline for the lifetime of one call.
class ArmedCall {
public:
    ArmedCall(CallDeadline& deadline, int milliseconds) : m_deadline(deadline) {
        m_deadline.arm(milliseconds);
    }
    ~ArmedCall() { m_deadline.disarm(); }
    ArmedCall(const ArmedCall&) = delete;
    ArmedCall& operator=(const ArmedCall&) = delete;

private:
    CallDeadline& m_deadline;
};
