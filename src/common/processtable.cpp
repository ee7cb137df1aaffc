#include "common/processtable.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

QByteArray procFile(qint64 pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/").arg(pid) + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "pid (name) state ppid pgrp ...": the name may hold blanks and parentheses, so the fields are counted from
// its last ")".
std::optional<ProcessEntry> parseStat(qint64 pid, const QByteArray& line) {
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() < 3 || fields[0].isEmpty())
        return std::nullopt;
    ProcessEntry entry;
    entry.pid = pid;
    entry.state = fields[0][0];
    entry.group = fields[2].toLongLong();
    // The start time: the 22nd field of the line, the 20th after the name.
    if (fields.size() > 19)
        entry.startTicks = fields[19].toLongLong();
    return entry;
}

QDateTime bootTime() {
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : stat.readAll().split('\n'))
        if (line.startsWith("btime "))
            return QDateTime::fromSecsSinceEpoch(line.mid(6).trimmed().toLongLong());
    return {};
}

} // namespace

std::vector<ProcessEntry> ProcessTable::all() {
    std::vector<ProcessEntry> found;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = name.toLongLong(&number);
        if (!number)
            continue;
        if (const std::optional<ProcessEntry> entry = parseStat(pid, procFile(pid, "stat")))
            found.push_back(*entry);
    }
    return found;
}

std::vector<ProcessEntry> ProcessTable::group(qint64 group) {
    std::vector<ProcessEntry> found;
    for (const ProcessEntry& entry : all())
        if (entry.group == group)
            found.push_back(entry);
    return found;
}

std::optional<ProcessEntry> ProcessTable::find(qint64 pid) {
    if (pid <= 0)
        return std::nullopt;
    return parseStat(pid, procFile(pid, "stat"));
}

QDateTime ProcessTable::startTime(const ProcessEntry& process) {
    const QDateTime boot = bootTime();
    const long ticks = ::sysconf(_SC_CLK_TCK);
    if (!boot.isValid() || ticks <= 0 || process.startTicks <= 0)
        return {};
    return boot.addMSecs(process.startTicks * 1000 / ticks);
}

QByteArray ProcessTable::name(qint64 pid) { return procFile(pid, "comm").trimmed(); }

QList<QByteArray> ProcessTable::commandLine(qint64 pid) {
    const QByteArray line = procFile(pid, "cmdline");
    return line.isEmpty() ? QList<QByteArray>() : line.split('\0');
}

qint64 ProcessTable::residentBytes(qint64 pid) {
    // "size resident shared ..." in pages.
    const QList<QByteArray> counts = procFile(pid, "statm").split(' ');
    return counts.size() > 1 ? counts[1].toLongLong() * ::sysconf(_SC_PAGESIZE) : 0;
}
