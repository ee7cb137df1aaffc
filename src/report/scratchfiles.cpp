#include "report/scratchfiles.h"

#include "common/processtable.h"
#include "report/applicationfiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// A process that started this long after a file was written cannot have written it: its pid was reused.
constexpr qint64 kStartSlackSeconds = 5;

const QRegularExpression& scratchName() {
    static const QRegularExpression pattern(
        QStringLiteral("^\\.mixdesign-(\\d+)-[A-Za-z0-9]{6}\\.(xls|pdf)$"));
    return pattern;
}

// Whether the process that wrote a file at `written` still runs: one of that pid that started no later.
bool writerRuns(qint64 pid, const QDateTime& written) {
    const std::optional<ProcessEntry> process = ProcessTable::find(pid);
    if (!process || process->ended())
        return false;
    const QDateTime started = ProcessTable::startTime(*process);
    return !started.isValid() || started.secsTo(written) > -kStartSlackSeconds;
}

} // namespace

ScratchFiles::ScratchFiles(QString folder, const ApplicationFiles* application)
    : m_folder(std::move(folder)), m_application(application) {}

QString ScratchFiles::reserve(const QString& suffix) const {
    QTemporaryFile reserved(QDir(m_folder).filePath(
        QStringLiteral(".mixdesign-%1-XXXXXX").arg(QCoreApplication::applicationPid()) + suffix));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return {};
    // The file becomes the user's report: the access of any new file of theirs, not a temporary file's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(reserved.handle(), 0666 & ~mask);
    return reserved.fileName();
}

QStringList ScratchFiles::sweep() const {
    const QDir folder(m_folder);
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    // Scratch files by name: whether they are left over.
    QHash<QString, bool> scratch;
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = scratchName().match(entry.fileName());
        if (match.hasMatch())
            scratch.insert(entry.fileName(),
                           !writerRuns(match.captured(1).toLongLong(), entry.lastModified()));
    }
    QStringList removed;
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        bool leftOver = scratch.value(name, false);
        if (m_application) {
            if (const QString locked = m_application->lockedDocument(name); !locked.isEmpty())
                leftOver = scratchName().match(locked).hasMatch() && scratch.value(locked, true);
            else if (m_application->abandonedTemporary(name))
                leftOver = true;
        }
        if (leftOver && QFile::remove(entry.absoluteFilePath()))
            removed << name;
    }
    return removed;
}
