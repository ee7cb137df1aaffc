#include "office/uno.h"

#include <QFileInfo>
#include <QUrl>

rtl::OUString fileUrl(const QString& path) {
    return toOUString(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

QString localPath(const rtl::OUString& url) {
    const QUrl parsed(toQString(url));
    return parsed.isLocalFile() ? parsed.toLocalFile() : QString();
}
