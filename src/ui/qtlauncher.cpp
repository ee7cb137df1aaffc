#include "ui/qtlauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void QtLauncher::openUrl(const QString& url) { QDesktopServices::openUrl(QUrl::fromUserInput(url)); }

bool QtLauncher::start(const QString& program) { return QProcess::startDetached(program, {}); }
