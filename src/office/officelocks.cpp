#include "office/officelocks.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr qint64 kStaleProfileAgeSeconds = 600;

// The user installation URL written into a lock file (",user,host,date,URL;").
QString lockOwnerUrl(const QString& lockPath) {
    QFile lock(lockPath);
    if (!lock.open(QIODevice::ReadOnly))
        return {};
    const QString content = QString::fromUtf8(lock.read(4096));
    const qsizetype start = content.indexOf(QStringLiteral("file://"));
    if (start < 0)
        return {};
    qsizetype end = start;
    while (end < content.size() && content[end] != u';' && content[end] != u',' && !content[end].isSpace())
        ++end;
    return content.mid(start, end - start);
}

bool isOwnProfile(const QString& profileUrl) {
    const QString path = QUrl(profileUrl).toLocalFile();
    return QFileInfo(path).fileName().startsWith(kProfilePrefix) &&
           QFileInfo(path).absolutePath() == QFileInfo(QDir::tempPath()).absoluteFilePath();
}

} // namespace

bool profileInUse(const QString& profileUrl) {
    const QByteArray wanted = QByteArray("-env:UserInstallation=") + profileUrl.toLocal8Bit();
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : processes) {
        if (pid.isEmpty() || !pid[0].isDigit())
            continue;
        QFile cmdline(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& argument : cmdline.readAll().split('\0'))
            if (argument == wanted)
                return true;
    }
    return false;
}

void removeStaleLock(const QString& documentPath) {
    const QFileInfo document(documentPath);
    const QString lockPath =
        document.absolutePath() + QStringLiteral("/.~lock.") + document.fileName() + u'#';
    if (!QFileInfo::exists(lockPath))
        return;
    const QString owner = lockOwnerUrl(lockPath);
    if (!owner.isEmpty() && isOwnProfile(owner) && !profileInUse(owner))
        QFile::remove(lockPath);
}

void sweepStaleProfiles() {
    QDir temp(QDir::tempPath());
    const QFileInfoList folders =
        temp.entryInfoList({kProfilePrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QFileInfo& folder : folders) {
        if (folder.lastModified().toUTC().secsTo(now) < kStaleProfileAgeSeconds || !folder.isWritable())
            continue;
        const QString url = QUrl::fromLocalFile(folder.absoluteFilePath()).toString(QUrl::FullyEncoded);
        if (!profileInUse(url))
            QDir(folder.absoluteFilePath()).removeRecursively();
    }
}
