// mixdesign: the mix design program. Opens the main design window; the program ends with its last window.

#include "common/installpaths.h"
#include "office/libreofficefactory.h"
#include "ui/qtlauncher.h"
#include "ui/qtprompter.h"
#include "ui/windowmanager.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("mixdesign"));

    QtPrompter prompter;
    QtLauncher launcher;
    LibreOfficeFactory spreadsheets;
    WindowManager windows(AppContext{prompter, launcher, spreadsheets,
                                     InstallPaths(QDir::homePath() + QStringLiteral("/zeb/"))});
    windows.showMain();
    return app.exec();
}
