#pragma once

#include <QSocketNotifier>
#include <functional>

// Turns SIGTERM, SIGHUP (logout) and SIGINT (Ctrl+C) into a call on the event loop, so the program can end
// its hidden office instances cleanly before it exits. One object per program.
class TerminationSignals {
public:
    // onSignal gets the signal number; it should end the program.
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void deliver();

    std::function<void(int)> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};
