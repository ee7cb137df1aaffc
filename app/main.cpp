// mixdesign: the mix design program. Opens the main design window; the program ends with its last window.

#include "common/installpaths.h"
#include "common/templatesupply.h"
#include "office/libreofficefactory.h"
#include "report/scratchfiles.h"
#include "ui/chinesestandardtexts.h"
#include "ui/guardedapplication.h"
#include "ui/internalerror.h"
#include "ui/qtlauncher.h"
#include "ui/qtprompter.h"
#include "ui/terminationsignals.h"
#include "ui/windowmanager.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The templates that come with the program: share/mixdesign/templates/ of its installation, or the build
// folder's templates/ for a program started where it was built.
QString suppliedTemplates() {
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString installed = bin.filePath(QStringLiteral("../share/mixdesign/templates"));
    return QFileInfo::exists(installed) ? installed : bin.filePath(QStringLiteral("templates"));
}

} // namespace

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("mixdesign"));
    app.setDesktopFileName(QStringLiteral("mixdesign"));
    const ChineseStandardTexts standardTexts;

    QtPrompter prompter;
    QtLauncher launcher;
    // One office is kept ready, so a report is written without waiting for an office to start.
    LibreOfficeFactory spreadsheets(LibreOfficeFactory::Display::Auto, LibreOfficeFactory::installedSoffice(),
                                    LibreOfficeFactory::Keep::On);
    InternalError internalError(prompter, spreadsheets);
    app.setInternalError(&internalError);
    // A logout, kill or Ctrl+C ends the hidden offices cleanly; workbooks left open stay with the user.
    TerminationSignals termination([&spreadsheets](int signal) {
        spreadsheets.endHidden();
        QCoreApplication::exit(128 + signal);
    });
    const InstallPaths paths(QDir::homePath() + QStringLiteral("/zeb/"));
    supplyMissingTemplates(suppliedTemplates(), paths);
    // What a killed run of the program, or its office, left beside the reports.
    ScratchFiles(paths.root(), spreadsheets.applicationFiles()).sweep();
    WindowManager windows(AppContext{prompter, launcher, spreadsheets, paths});
    windows.showMain();
    return app.exec();
}
