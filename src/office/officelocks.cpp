#include "office/officelocks.h"

#include "common/processtable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

constexpr qint64 kStaleProfileAgeSeconds = 600;

bool isOwnProfileUrl(const QString& profileUrl) {
    const QString path = QUrl(profileUrl).toLocalFile();
    return QFileInfo(path).fileName().startsWith(kProfilePrefix) &&
           QFileInfo(path).absolutePath() == QFileInfo(QDir::tempPath()).absoluteFilePath();
}

// The fields of a lock file: "name,user,host,date,URL;" (the name may be empty).
struct LockContent {
    QString host;
    QString ownerUrl;
    bool readable = false;
};

LockContent readLock(const QString& lockPath) {
    LockContent result;
    QFile lock(lockPath);
    if (!lock.open(QIODevice::ReadOnly))
        return result;
    QString content = QString::fromUtf8(lock.read(4096)).trimmed();
    if (content.endsWith(u';'))
        content.chop(1);
    const QStringList fields = content.split(u',');
    if (fields.size() < 5)
        return result;
    result.host = fields[2];
    result.ownerUrl = fields[fields.size() - 1];
    result.readable = !result.host.isEmpty();
    return result;
}

// Whether some running process has a command line that `matches`.
bool anyProcess(const std::function<bool(const QList<QByteArray>& arguments)>& matches) {
    const std::vector<ProcessEntry> processes = ProcessTable::all();
    return std::any_of(processes.begin(), processes.end(), [&matches](const ProcessEntry& process) {
        return !process.ended() && matches(ProcessTable::commandLine(process.pid));
    });
}

// A LibreOffice running without a profile of its own uses the user's default profile.
bool defaultProfileInUse() {
    return anyProcess([](const QList<QByteArray>& arguments) {
        return !arguments.isEmpty() && arguments[0].endsWith("soffice.bin") &&
               std::none_of(arguments.begin(), arguments.end(),
                            [](const QByteArray& a) { return a.startsWith("-env:UserInstallation="); });
    });
}

bool holderRuns(const QString& ownerUrl) {
    if (ownerUrl.startsWith(QStringLiteral("file://")) && profileInUse(ownerUrl))
        return true;
    return !isOwnProfileUrl(ownerUrl) && defaultProfileInUse();
}

} // namespace

bool profileInUse(const QString& profileUrl) {
    const QByteArray wanted = QByteArray("-env:UserInstallation=") + profileUrl.toLocal8Bit();
    return anyProcess([&](const QList<QByteArray>& arguments) { return arguments.contains(wanted); });
}

QString lockPathOf(const QString& documentPath) {
    const QFileInfo document(documentPath);
    return document.absolutePath() + QStringLiteral("/.~lock.") + document.fileName() + u'#';
}

bool clearStaleLock(const QString& documentPath) {
    const QString lockPath = lockPathOf(documentPath);
    if (!QFileInfo::exists(lockPath) && !QFileInfo(lockPath).isSymLink())
        return true;
    const LockContent lock = readLock(lockPath);
    if (lock.readable) {
        if (lock.host != QSysInfo::machineHostName())
            return false;
        if (holderRuns(lock.ownerUrl))
            return false;
    }
    return QFile::remove(lockPath);
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
