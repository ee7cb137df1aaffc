#include "ui/qtlauncher.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace {

// How long the desktop may take to name the program for a file type.
constexpr int kQueryMs = 5000;

// Whether the desktop names a program for the file's type; true where it cannot be asked (the desktop then
// decides when the file is opened).
bool desktopHasProgramFor(const QString& path) {
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForStarted(kQueryMs))
        return true;
    if (!query.waitForFinished(kQueryMs)) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    return query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0 ||
           !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool QtLauncher::openUrl(const QString& url) {
    const QUrl address = QUrl::fromUserInput(url);
    if (address.isLocalFile() && !desktopHasProgramFor(address.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(address);
}

bool QtLauncher::start(const QString& program) { return QProcess::startDetached(program, {}); }
