// mixdesign: the mix design program. Opens the main design window; the program ends with its last window.

#include "common/installpaths.h"
#include "office/libreofficefactory.h"
#include "ui/guardedapplication.h"
#include "ui/internalerror.h"
#include "ui/qtlauncher.h"
#include "ui/qtprompter.h"
#include "ui/terminationsignals.h"
#include "ui/windowmanager.h"

#include <QDir>

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("mixdesign"));

    QtPrompter prompter;
    QtLauncher launcher;
    LibreOfficeFactory spreadsheets;
    InternalError internalError(prompter, spreadsheets);
    app.setInternalError(&internalError);
    // A logout or kill ends the hidden offices cleanly; workbooks left open stay with the user.
    TerminationSignals termination([&spreadsheets](int signal) {
        spreadsheets.endHidden();
        QCoreApplication::exit(128 + signal);
    });
    WindowManager windows(AppContext{prompter, launcher, spreadsheets,
                                     InstallPaths(QDir::homePath() + QStringLiteral("/zeb/"))});
    windows.showMain();
    return app.exec();
}
