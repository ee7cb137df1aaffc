#include "office/officeprocess.h"

#include "office/officelocks.h"
#include "report/spreadsheet.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* const kSoffice = MIX_SOFFICE;
constexpr int kConnectTimeoutMs = 90000;

// Settings of a fresh profile: no tip of the day, no "keep format?" question when the user saves an .xls, no
// macros at all.
const char kRegistry[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="WarnAlienFormat" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

QByteArray arg(const QString& text) { return text.toLocal8Bit(); }

} // namespace

OfficeProcess::OfficeProcess(const css::uno::Reference<css::uno::XComponentContext>& local, bool headless)
    : m_headless(headless) {
    sweepStaleProfiles();
    QTemporaryDir profile(QDir::tempPath() + u'/' + kProfilePrefix + QStringLiteral("XXXXXX"));
    if (!profile.isValid())
        throw SpreadsheetError("cannot create a profile folder for LibreOffice");
    profile.setAutoRemove(false);
    m_profileDir = profile.path();
    m_profileUrl = QUrl::fromLocalFile(m_profileDir).toString(QUrl::FullyEncoded);
    try {
        QDir(m_profileDir).mkpath(QStringLiteral("user"));
        QFile registry(m_profileDir + QStringLiteral("/user/registrymodifications.xcu"));
        if (registry.open(QIODevice::WriteOnly))
            registry.write(kRegistry);
        registry.close();
        const QString pipeName = QDir(m_profileDir).dirName();
        spawn(pipeName);
        connect(local, pipeName);
    } catch (...) {
        end();
        throw;
    }
}

OfficeProcess::~OfficeProcess() {
    if (!m_released)
        end();
}

void OfficeProcess::spawn(const QString& pipeName) {
    QList<QByteArray> args = {
        kSoffice,
        arg(QStringLiteral("-env:UserInstallation=") + m_profileUrl),
        arg(QStringLiteral("--accept=pipe,name=") + pipeName +
            QStringLiteral(";urp;StarOffice.ComponentContext")),
        "--norestore",
        "--nologo",
        "--nodefault",
        "--nolockcheck",
    };
    if (m_headless)
        args << "--headless"
             << "--invisible";
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A process group of its own, so the office and every helper it starts can be ended together.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    const int status = posix_spawn(&pid, kSoffice, &files, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    if (status != 0)
        throw SpreadsheetError("LibreOffice (soffice) cannot be started");
    m_pid = pid;
}

void OfficeProcess::connect(const css::uno::Reference<css::uno::XComponentContext>& local,
                            const QString& pipeName) {
    const rtl::OUString url = toOUString(QStringLiteral("uno:pipe,name=") + pipeName +
                                         QStringLiteral(";urp;StarOffice.ComponentContext"));
    const QDeadlineTimer deadline(kConnectTimeoutMs);
    try {
        const auto resolver = css::bridge::UnoUrlResolver::create(local);
        for (;;) {
            try {
                m_remote.set(resolver->resolve(url), css::uno::UNO_QUERY_THROW);
                break;
            } catch (const css::connection::NoConnectException&) {
                if (!running())
                    throw SpreadsheetError("LibreOffice ended while starting");
                if (deadline.hasExpired())
                    throw SpreadsheetError("LibreOffice did not answer in time");
                QThread::msleep(100);
            }
        }
        m_desktop = css::frame::Desktop::create(m_remote);
    } catch (const css::uno::Exception& e) {
        throw SpreadsheetError(QStringLiteral("cannot connect to LibreOffice: ") + toQString(e.Message));
    }
}

bool OfficeProcess::running() {
    if (m_pid <= 0)
        return false;
    siginfo_t info{};
    // WNOWAIT: a finished leader stays a zombie, so its process group id cannot be reused before end().
    if (waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

bool OfficeProcess::waitForExit(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (running()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

void OfficeProcess::closeDocuments() {
    try {
        const auto documents = m_desktop->getComponents()->createEnumeration();
        while (documents->hasMoreElements()) {
            css::uno::Reference<css::util::XModifiable> modifiable(documents->nextElement(),
                                                                   css::uno::UNO_QUERY);
            if (modifiable.is())
                modifiable->setModified(false);
            css::uno::Reference<css::util::XCloseable> closeable(modifiable, css::uno::UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
        }
    } catch (const css::uno::Exception&) {
        // terminate() below or the signals after it still end the office.
    }
}

void OfficeProcess::reap() {
    if (m_pid <= 0)
        return;
    ::kill(-m_pid, SIGKILL); // helpers left in the group
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

void OfficeProcess::end() {
    if (m_pid > 0 && running() && m_desktop.is()) {
        closeDocuments();
        try {
            m_desktop->terminate();
        } catch (const css::uno::Exception&) {
            // The connection goes down with the office; the exit is checked below.
        }
    }
    m_desktop.clear();
    m_remote.clear();
    if (m_pid > 0) {
        if (!waitForExit(15000)) {
            ::kill(-m_pid, SIGTERM);
            if (!waitForExit(3000))
                ::kill(-m_pid, SIGKILL);
        }
        reap();
    }
    if (!m_profileDir.isEmpty()) {
        // The pipe's socket stays behind when the office did not end by itself.
        const QString socket = QStringLiteral("OSL_PIPE_%1_").arg(getuid()) + QDir(m_profileDir).dirName();
        QFile::remove(QStringLiteral("/tmp/") + socket);
        QFile::remove(QDir::tempPath() + u'/' + socket);
        QDir(m_profileDir).removeRecursively();
        m_profileDir.clear();
    }
}

void OfficeProcess::release() {
    m_released = true;
    m_desktop.clear();
    m_remote.clear();
}
