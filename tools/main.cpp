// mixdesign-script: opens the program's windows offscreen, runs a script of user actions against them and
// answers every dialog from the script.
//
//   mixdesign-script [--root DIR] [--spreadsheet libreoffice|log] [--warm-office] [--today YYYY-M-D]
//                    [--office-call-limit MS] SCRIPT.scn
//
// --warm-office keeps one office ready ahead of need, as the program does. --office-call-limit holds every
// call into an office to MS milliseconds instead of the program's 20 s (scripts of offices that stop
// answering).
// Its temporary installation folder (without --root) is removed on every way out.

#include "common/installpaths.h"
#include "common/scriptedprompter.h"
#include "common/templatesupply.h"
#include "report/scratchfiles.h"
#include "report/spreadsheetfaults.h"
#include "report/spreadsheetlifecycle.h"
#include "tools/backends.h"
#include "tools/scriptrunner.h"
#include "ui/chinesestandardtexts.h"
#include "ui/guardedapplication.h"
#include "ui/internalerror.h"
#include "ui/terminationsignals.h"
#include "ui/windowmanager.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void printLine(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The offscreen platform warns about window operations it cannot carry out; they mean nothing to a script.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support")) ||
        message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fputs(qFormatLogMessage(type, context, message).toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage() {
    std::fputs("usage: mixdesign-script [--root DIR] [--spreadsheet libreoffice|log] [--warm-office] "
               "[--today YYYY-M-D] [--office-call-limit MS] SCRIPT.scn\n",
               stderr);
    return 2;
}

// Copies the built templates and the program's page into root/mb/ unless that folder exists already.
void prepareRoot(const QString& root) {
    QDir dir(root);
    if (dir.exists(QStringLiteral("mb")))
        return;
    dir.mkpath(QStringLiteral("mb"));
    supplyMissingTemplates(QCoreApplication::applicationDirPath() + QStringLiteral("/templates"),
                           InstallPaths(root));
}

} // namespace

int main(int argc, char** argv) {
    // Offscreen unless a platform was chosen explicitly (xcb under xvfb-run for screenshots).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreen);
    GuardedApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const ChineseStandardTexts standardTexts;

    QString root;
    QString backend = QStringLiteral("libreoffice");
    QString script;
    bool keepOffice = false;
    QDate today = QDate::currentDate();
    OfficeLimits limits;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QStringLiteral("--root") && i + 1 < args.size())
            root = args[++i];
        else if (arg == QStringLiteral("--spreadsheet") && i + 1 < args.size())
            backend = args[++i];
        else if (arg == QStringLiteral("--warm-office"))
            keepOffice = true;
        else if (arg == QStringLiteral("--today") && i + 1 < args.size())
            today = QDate::fromString(args[++i], QStringLiteral("yyyy-M-d"));
        else if (arg == QStringLiteral("--office-call-limit") && i + 1 < args.size()) {
            bool ok = false;
            limits.callMs = args[++i].toInt(&ok);
            if (!ok || limits.callMs < 100 || limits.callMs > 600000)
                return usage();
        } else if (script.isEmpty() && !arg.startsWith(QStringLiteral("--")))
            script = arg;
        else
            return usage();
    }
    if (script.isEmpty() || !today.isValid())
        return usage();

    std::unique_ptr<QTemporaryDir> temporaryRoot;
    if (root.isEmpty()) {
        temporaryRoot = std::make_unique<QTemporaryDir>();
        root = temporaryRoot->path();
    }
    prepareRoot(root);
    // The ways out that skip destructors remove the temporary folder first.
    const auto removeTemporaryRoot = [&temporaryRoot] {
        if (temporaryRoot)
            temporaryRoot->remove();
    };

    Backend spreadsheetBackend = makeSpreadsheets(backend, printLine, keepOffice, limits);
    if (!spreadsheetBackend.spreadsheets)
        return usage();
    auto& spreadsheets = spreadsheetBackend.spreadsheets;
    // As the program does at its start.
    ScratchFiles(root, spreadsheets->applicationFiles()).sweep();
    TerminationSignals termination([&](int signal) {
        spreadsheets->endAll();
        removeTemporaryRoot();
        std::fflush(stdout);
        std::_Exit(128 + signal);
    });
    ScriptedPrompter prompter(printLine);
    prompter.setUnansweredHandler([&](const QString&) {
        // A dialog nobody answers: end at once, leaving no office instance behind.
        spreadsheets->endAll();
        removeTemporaryRoot();
        std::fflush(stdout);
        std::_Exit(3);
    });
    prompter.setMismatchHandler([&](const QString&) {
        // A queued answer of the wrong kind is a fault of the script.
        spreadsheets->endAll();
        removeTemporaryRoot();
        std::fflush(stdout);
        std::_Exit(2);
    });
    RecordingLauncher launcher(printLine);

    WindowManager windows(
        AppContext{prompter, launcher, *spreadsheets, InstallPaths(root), [today] { return today; }});
    windows.showMain();
    InternalError internalError(prompter, *spreadsheets);
    app.setInternalError(&internalError);
    ScriptRunner runner(windows, prompter, *spreadsheets, *spreadsheetBackend.faults, printLine,
                        internalError);
    const int status = runner.runFile(script);
    spreadsheets->endAll();
    return status;
}
