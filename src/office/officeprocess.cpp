#include "office/officeprocess.h"

#include "common/processtable.h"
#include "office/officelimits.h"
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

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

// Settings of a fresh profile: the Chinese user interface, Chinese (zh-CN) as the locale and the documents'
// language, the sheets' font "system" printed in Noto Sans CJK SC, no tip of the day, no "keep format?"
// question when the user saves an .xls, no macros at all, no autosave.
const char kRegistry[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="UILocale" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="DefaultLocale" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="DefaultLocale_CJK" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Font/Substitution"><prop oor:name="Replacement" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Font/Substitution/FontPairs"><node oor:name="system" oor:op="replace"><prop oor:name="ReplaceFont" oor:op="fuse"><value>system</value></prop><prop oor:name="SubstituteFont" oor:op="fuse"><value>Noto Sans CJK SC</value></prop><prop oor:name="Always" oor:op="fuse"><value>true</value></prop><prop oor:name="OnScreenOnly" oor:op="fuse"><value>false</value></prop></node></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="WarnAlienFormat" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

// Runs beside the office with the program's end of a pipe as its input: end of file (the program died, in any
// way) kills the office's process group and removes its profile and both its sockets; "stop" (the program
// ended the office itself) just exits; "release" (the office is the user's now and may outlive the program)
// waits for the office to end, however late, and then removes what it left.
const char kWatchdog[] =
    "read -r word; [ \"$word\" = stop ] && exit 0; "
    "if [ \"$word\" = release ]; then "
    "while kill -0 \"-$1\" 2>/dev/null; do sleep 1; done; "
    "else "
    "kill -9 \"-$1\" 2>/dev/null; n=0; "
    "while kill -0 \"-$1\" 2>/dev/null && [ $n -lt 50 ]; do sleep 0.1; n=$((n+1)); done; "
    "fi; "
    "rm -rf -- \"$2\" \"$3\" \"$4\"";

// The office's process runs this first, in its own process group, and becomes soffice (the same process)
// only on the program's "go" on descriptor 3, which comes once the watchdog runs. A program killed in
// between closes the gate instead: no office ever runs without a watchdog, and the gate removes the profile
// folder ($1) that nobody else would.
const char kGate[] = "profile=$1; shift; read -r word <&3; exec 3<&-; "
                     "[ \"$word\" = go ] && exec \"$@\"; rm -rf -- \"$profile\"";

QByteArray arg(const QString& text) { return text.toLocal8Bit(); }

// The program's environment with TMPDIR replaced, so the office's temporary files go with its profile.
std::vector<QByteArray> environmentWithTemp(const QString& tempDir) {
    std::vector<QByteArray> result;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "TMPDIR=", 7) != 0)
            result.emplace_back(*e);
    result.push_back("TMPDIR=" + arg(tempDir));
    return result;
}

// A write to an office or a watchdog that has just died must fail as that call, not end the program: not
// every write of the UNO bridge asks the kernel to spare the writer SIGPIPE. Set once, for the whole program.
void ignoreBrokenPipes() {
    static const bool ignored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
    (void)ignored;
}

// The processes the program starts get SIGPIPE back as the default, as every program expects it.
void defaultBrokenPipes(posix_spawnattr_t& attributes, short flags) {
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, short(flags | POSIX_SPAWN_SETSIGDEF));
}

// A setting of the office installation the start program belongs to, from a file of its program folder
// (a line KEY=VALUE); empty where it cannot be read.
QByteArray installationSetting(const QString& soffice, const char* file, const QByteArray& key) {
    QFile settings(QFileInfo(QFileInfo(soffice).canonicalFilePath()).absolutePath() + u'/' +
                   QLatin1String(file));
    if (!settings.open(QIODevice::ReadOnly))
        return {};
    while (!settings.atEnd()) {
        const QByteArray line = settings.readLine().trimmed();
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// The installation's version as the office records it in a profile ("7.4" of "LibreOffice 7.4"); empty
// where it cannot be read.
QByteArray installationVersion(const QString& soffice) {
    const QByteArray product = installationSetting(soffice, "bootstraprc", "ProductKey");
    const QByteArray version = product.mid(product.lastIndexOf(' ') + 1);
    const bool wellFormed = version.count('.') == 1 && !version.startsWith('.') && !version.endsWith('.') &&
                            std::all_of(version.begin(), version.end(),
                                        [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
    return wellFormed ? version : QByteArray();
}

std::vector<char*> pointers(std::vector<QByteArray>& texts) {
    std::vector<char*> result;
    for (QByteArray& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

OfficeProcess::OfficeProcess(const css::uno::Reference<css::uno::XComponentContext>& local, bool headless,
                             const QString& soffice, const OfficeLimits& limits, Connection connection)
    : m_headless(headless), m_limits(limits) {
    ignoreBrokenPipes();
    sweepStaleProfiles();
    QTemporaryDir profile(QDir::tempPath() + u'/' + kProfilePrefix + QStringLiteral("XXXXXX"));
    if (!profile.isValid())
        throw SpreadsheetError("cannot create a profile folder for LibreOffice");
    profile.setAutoRemove(false);
    m_profileDir = profile.path();
    m_profileUrl = QUrl::fromLocalFile(m_profileDir).toString(QUrl::FullyEncoded);
    try {
        prepareProfile(soffice);
        const QString pipeName = QDir(m_profileDir).dirName();
        m_connectUrl = toOUString(QStringLiteral("uno:pipe,name=") + pipeName +
                                  QStringLiteral(";urp;StarOffice.ComponentContext"));
        m_connectDeadline.setRemainingTime(m_limits.connectMs);
        m_resolver = css::bridge::UnoUrlResolver::create(local);
        spawn(soffice, pipeName);
        spawnWatchdog();
        openGate();
        if (connection == Connection::Wait)
            connect();
    } catch (const css::uno::Exception& e) {
        end();
        throw SpreadsheetUnavailable(QStringLiteral("UNO bridge: ") + toQString(e.Message));
    } catch (...) {
        end();
        throw;
    }
}

OfficeProcess::~OfficeProcess() {
    if (!m_released)
        end();
}

void OfficeProcess::prepareProfile(const QString& soffice) {
    QDir(m_profileDir).mkpath(QStringLiteral("user"));
    QDir(m_profileDir).mkpath(QStringLiteral("tmp"));
    // A fresh profile makes the office take its first start after an upgrade: it runs its graphics tests and,
    // with no build named in the extension folder, rebuilds that folder and starts over; three quarters of
    // its start. Naming the installation's version and build, as the office itself records them, spares
    // that; where they cannot be read, the office takes its first start as before.
    QByteArray registry(kRegistry);
    const QByteArray version = installationVersion(soffice);
    if (!version.isEmpty())
        registry.replace("</oor:items>", "<item oor:path=\"/org.openoffice.Setup/Product\"><prop "
                                         "oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>" +
                                             version + "</value></prop></item>\n</oor:items>");
    QFile file(m_profileDir + QStringLiteral("/user/registrymodifications.xcu"));
    if (!file.open(QIODevice::WriteOnly) || file.write(registry) != registry.size())
        throw SpreadsheetError("cannot write the LibreOffice profile");
    const QByteArray build = installationSetting(soffice, "versionrc", "buildid");
    if (!build.isEmpty() && QDir(m_profileDir).mkpath(QStringLiteral("user/extensions"))) {
        QFile buildId(m_profileDir + QStringLiteral("/user/extensions/buildid"));
        if (buildId.open(QIODevice::WriteOnly))
            buildId.write(build);
    }
}

QString OfficeProcess::socketPath() const {
    // The office's pipe lives in /tmp whatever TMPDIR says.
    return QStringLiteral("/tmp/OSL_PIPE_%1_").arg(getuid()) + QDir(m_profileDir).dirName();
}

QString OfficeProcess::instancePipePath() const {
    // The office names it by the MD5 of its profile URL in UTF-16, each byte in hex without leading zeros.
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(reinterpret_cast<const char*>(m_profileUrl.utf16()), m_profileUrl.size() * 2),
        QCryptographicHash::Md5);
    QString hex;
    for (const char byte : digest)
        hex += QString::number(uchar(byte), 16);
    return QStringLiteral("/tmp/OSL_PIPE_%1_SingleOfficeIPC_").arg(getuid()) + hex;
}

void OfficeProcess::spawn(const QString& soffice, const QString& pipeName) {
    // Missing or not runnable: told apart here, as the gate could only end.
    if (::access(QFile::encodeName(soffice).constData(), X_OK) != 0)
        throw SpreadsheetUnavailable(QStringLiteral("LibreOffice cannot be started: ") + soffice);
    int gate[2];
    if (pipe2(gate, O_CLOEXEC) != 0)
        throw SpreadsheetError("cannot create the office's start gate");
    // Its read end becomes descriptor 3 of the office: one that is 3 already moves, as a copy onto itself
    // would keep its close-on-exec.
    if (gate[0] == 3) {
        const int moved = fcntl(gate[0], F_DUPFD_CLOEXEC, 4);
        ::close(gate[0]);
        gate[0] = moved;
        if (moved < 0) {
            ::close(gate[1]);
            throw SpreadsheetError("cannot create the office's start gate");
        }
    }
    std::vector<QByteArray> args = {
        "/bin/sh",
        "-c",
        kGate,
        "mixdesign-office-gate",
        arg(m_profileDir),
        arg(soffice),
        arg(QStringLiteral("-env:UserInstallation=") + m_profileUrl),
        arg(QStringLiteral("--accept=pipe,name=") + pipeName +
            QStringLiteral(";urp;StarOffice.ComponentContext")),
        "--norestore",
        "--nologo",
        "--nodefault",
        "--nolockcheck",
    };
    if (m_headless) {
        args.emplace_back("--headless");
        args.emplace_back("--invisible");
    }
    std::vector<QByteArray> environment = environmentWithTemp(m_profileDir + QStringLiteral("/tmp"));
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(environment);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, gate[0], 3);
    // Nothing else of the program's: an office holding a pipe or a lock of the program's caller would keep
    // that caller waiting for as long as the office lives.
    posix_spawn_file_actions_addclosefrom_np(&files, 4);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A process group of its own, so the office and every helper it starts can be ended together.
    defaultBrokenPipes(attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    const int status = posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    ::close(gate[0]);
    if (status != 0) {
        ::close(gate[1]);
        throw SpreadsheetUnavailable(QStringLiteral("LibreOffice cannot be started: ") + soffice);
    }
    m_pid = pid;
    m_gatePipe = gate[1];
    m_deadline.watch(m_pid);
}

void OfficeProcess::openGate() {
    if (m_gatePipe < 0)
        return;
    static const char go[] = "go\n";
    while (::write(m_gatePipe, go, sizeof go - 1) < 0 && errno == EINTR) {
    }
    closeGate();
}

void OfficeProcess::closeGate() {
    if (m_gatePipe >= 0)
        ::close(m_gatePipe);
    m_gatePipe = -1;
}

void OfficeProcess::spawnWatchdog() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw SpreadsheetError("cannot create the office watchdog's pipe");
    std::vector<QByteArray> args = {"/bin/sh",
                                    "-c",
                                    kWatchdog,
                                    "mixdesign-office-watchdog",
                                    QByteArray::number(m_pid),
                                    arg(m_profileDir),
                                    arg(socketPath()),
                                    arg(instancePipePath())};
    std::vector<char*> argv = pointers(args);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, ends[0], 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&files, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: a signal to the program's process group (Ctrl+C) must not take it along.
    defaultBrokenPipes(attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const int status = posix_spawn(&pid, "/bin/sh", &files, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    ::close(ends[0]);
    if (status != 0) {
        ::close(ends[1]);
        throw SpreadsheetError("cannot start the office watchdog");
    }
    m_watchdog = pid;
    m_watchdogPipe = ends[1];
}

void OfficeProcess::tellWatchdog(const char* word) {
    if (m_watchdogPipe < 0)
        return;
    const QByteArray line = QByteArray(word) + '\n';
    while (::write(m_watchdogPipe, line.constData(), size_t(line.size())) < 0 && errno == EINTR) {
    }
    ::close(m_watchdogPipe);
    m_watchdogPipe = -1;
}

void OfficeProcess::stopWatchdog() {
    if (m_watchdogPipe >= 0)
        tellWatchdog("stop");
    else if (m_watchdog > 0)
        ::kill(m_watchdog, SIGKILL); // released, waiting for an office that end() has cleaned up already
    if (m_watchdog > 0) {
        int status = 0;
        while (waitpid(m_watchdog, &status, 0) < 0 && errno == EINTR) {
        }
        m_watchdog = -1;
    }
}

bool OfficeProcess::tryConnect() {
    if (m_desktop.is())
        return true;
    try {
        try {
            // An office that takes the connection but never answers is killed at the deadline.
            ArmedCall call(m_deadline, int(std::max<qint64>(1, m_connectDeadline.remainingTime())));
            // Looked at once armed: an abandon that came before the arming is seen here, one after it
            // overruns the call.
            if (m_startAbandoned)
                throw SpreadsheetUnavailable("the start of LibreOffice was abandoned");
            m_remote.set(m_resolver->resolve(m_connectUrl), css::uno::UNO_QUERY_THROW);
            m_desktop = css::frame::Desktop::create(m_remote);
            return true;
        } catch (const css::connection::NoConnectException&) {
            if (!running())
                throw OfficeStartFailure("LibreOffice ended while starting");
            if (m_connectDeadline.hasExpired())
                throw SpreadsheetTimeout("LibreOffice did not answer in time while starting");
            return false;
        }
    } catch (const css::uno::Exception& e) {
        m_remote.clear();
        throw SpreadsheetUnavailable(QStringLiteral("cannot connect to LibreOffice: ") +
                                     toQString(e.Message));
    }
}

void OfficeProcess::connect() {
    while (!tryConnect())
        QThread::msleep(m_limits.connectRetryMs);
}

void OfficeProcess::abandonStart() {
    m_startAbandoned = true;
    m_deadline.overrunNow();
}

bool OfficeProcess::closeAllDocuments() {
    if (!m_desktop.is() || m_deadline.overran() || !running())
        return false;
    try {
        ArmedCall call(m_deadline, m_limits.callMs);
        closeDocuments();
        return !m_desktop->getComponents()->createEnumeration()->hasMoreElements();
    } catch (const css::uno::Exception&) {
        return false;
    }
}

bool OfficeProcess::running() const {
    if (m_pid <= 0)
        return false;
    siginfo_t info{};
    // WNOWAIT: a finished leader stays a zombie, so its process group id cannot be reused before end().
    if (waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

bool OfficeProcess::responsive() const {
    if (!running())
        return false;
    bool alive = false;
    for (const ProcessEntry& process : ProcessTable::group(m_pid)) {
        if (process.stopped())
            return false;
        alive = alive || !process.ended();
    }
    return alive;
}

qint64 OfficeProcess::residentBytes() const {
    if (m_pid <= 0)
        return 0;
    qint64 bytes = 0;
    for (const ProcessEntry& process : ProcessTable::group(m_pid))
        bytes += ProcessTable::residentBytes(process.pid);
    return bytes;
}

bool OfficeProcess::waitForExit(int milliseconds) const {
    const QDeadlineTimer deadline(milliseconds);
    while (running()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

void OfficeProcess::closeDocuments() {
    const auto documents = m_desktop->getComponents()->createEnumeration();
    while (documents->hasMoreElements()) {
        css::uno::Reference<css::util::XModifiable> modifiable(documents->nextElement(), css::uno::UNO_QUERY);
        if (modifiable.is())
            modifiable->setModified(false);
        css::uno::Reference<css::util::XCloseable> closeable(modifiable, css::uno::UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
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
    m_deadline.watch(-1);
}

void OfficeProcess::end() {
    closeGate(); // an office that never got past it ends by itself
    bool asked = false;
    // A stopped office would keep every call waiting until its deadline: it is not asked.
    if (m_pid > 0 && m_desktop.is() && !m_deadline.overran() && responsive()) {
        try {
            ArmedCall call(m_deadline, m_limits.callMs);
            closeDocuments();
            asked = true;
            m_desktop->terminate();
        } catch (const css::uno::Exception&) {
            // The connection goes down with the office; whether it went is checked below.
        }
    }
    if (m_pid > 0 && running() && !(asked && waitForExit(m_limits.terminateMs))) {
        ::kill(-m_pid, SIGTERM);
        // A stopped process takes the signal only once it runs on.
        ::kill(-m_pid, SIGCONT);
        if (!waitForExit(m_limits.signalMs))
            ::kill(-m_pid, SIGKILL);
    }
    // Only now: the bridge to an office that is gone lets go of its references without a call.
    m_desktop.clear();
    m_remote.clear();
    reap();
    if (!m_profileDir.isEmpty()) {
        QFile::remove(socketPath());
        QFile::remove(instancePipePath());
        QDir(m_profileDir).removeRecursively();
        m_profileDir.clear();
    }
    stopWatchdog();
}

void OfficeProcess::leaveToUser() { tellWatchdog("release"); }

void OfficeProcess::release() {
    m_released = true;
    m_desktop.clear();
    m_remote.clear();
    leaveToUser();
    // It outlives the program with the office, and cleans up after it.
    m_watchdog = -1;
}
