#include "report/scratchfiles.h"

#include "common/processtable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>
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

const QRegularExpression& lockName() {
    static const QRegularExpression pattern(QStringLiteral("^\\.~lock\\.(.+)#$"));
    return pattern;
}

// The office names its temporary files "lu", its pid, a few letters or digits, ".tmp".
const QRegularExpression& officeTemporaryName() {
    static const QRegularExpression pattern(QStringLiteral("^lu(\\d+)[0-9a-z]*\\.tmp$"));
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

// The pids of the offices running on the machine.
QList<qint64> runningOffices() {
    QList<qint64> pids;
    for (const ProcessEntry& process : ProcessTable::all())
        if (!process.ended() && ProcessTable::name(process.pid) == "soffice.bin")
            pids << process.pid;
    return pids;
}

} // namespace

ScratchFiles::ScratchFiles(QString folder) : m_folder(std::move(folder)) {}

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
    std::optional<QList<qint64>> offices;
    QStringList removed;
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        bool leftOver = scratch.value(name, false);
        if (const QRegularExpressionMatch lock = lockName().match(name); lock.hasMatch()) {
            const QString locked = lock.captured(1);
            leftOver = scratchName().match(locked).hasMatch() && scratch.value(locked, true);
        } else if (const QRegularExpressionMatch temporary = officeTemporaryName().match(name);
                   temporary.hasMatch()) {
            if (!offices)
                offices = runningOffices();
            const QString digits = temporary.captured(1);
            leftOver = std::none_of(offices->begin(), offices->end(), [&digits](qint64 pid) {
                return digits.startsWith(QString::number(pid));
            });
        }
        if (leftOver && QFile::remove(entry.absoluteFilePath()))
            removed << name;
    }
    return removed;
}
