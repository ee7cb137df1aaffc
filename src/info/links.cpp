#include "info/links.h"

#include "common/installpaths.h"
#include "common/launcher.h"

#include <QUrl>

QString programPageUrl(const InstallPaths& paths) {
    return QUrl::fromLocalFile(paths.templatePath(QStringLiteral("zeb.html"))).toString(QUrl::FullyEncoded);
}

void openProgramPage(Launcher& launcher, const InstallPaths& paths) {
    launcher.openUrl(programPageUrl(paths));
}

void runHelp(Launcher& launcher, const InstallPaths& paths, const std::function<void()>& showUsageHelp) {
    if (!launcher.start(paths.helpProgram()) && showUsageHelp)
        showUsageHelp();
}
