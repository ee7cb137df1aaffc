#pragma once

#include "office/uno.h"

#include <QString>
#include <sys/types.h>

// One private soffice process: its own profile folder and pipe, its own process group, and the UNO connection
// to it. The process is ended with the object unless it was released to the user.
class OfficeProcess {
public:
    // Starts soffice (headless: no window at all) and connects to it; throws SpreadsheetError when it cannot.
    OfficeProcess(const css::uno::Reference<css::uno::XComponentContext>& local, bool headless);
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    bool headless() const { return m_headless; }
    // The profile as the office names it (its user installation URL).
    const QString& profileUrl() const { return m_profileUrl; }
    // Whether the process still runs (a user may have closed a visible one).
    bool running();

    // Closes every document unsaved, asks the office to terminate and waits; ends the whole process group if
    // it does not go, then removes the profile. Never throws.
    void end();
    // The user owns the process from now on: it outlives this object, with its profile.
    void release();
    // The office's own component context, for services created inside it.
    const css::uno::Reference<css::uno::XComponentContext>& context() const { return m_remote; }

private:
    void spawn(const QString& pipeName);
    void connect(const css::uno::Reference<css::uno::XComponentContext>& local, const QString& pipeName);
    bool waitForExit(int milliseconds);
    void closeDocuments();
    void reap();

    bool m_headless;
    pid_t m_pid = -1;
    bool m_released = false;
    QString m_profileDir;
    QString m_profileUrl;
    css::uno::Reference<css::uno::XComponentContext> m_remote;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
