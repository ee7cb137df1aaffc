#pragma once

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <unistd.h>

// The office processes of the tests, seen from outside through /proc.

// The ids of every process of the machine.
inline QStringList processIds() {
    QStringList ids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ids.removeIf([](const QString& id) { return !id[0].isDigit(); });
    return ids;
}

// One file of a process's /proc folder ("cmdline", "comm", "stat", "status"); empty once the process has
// gone.
inline QByteArray processFile(const QString& pid, const char* name) {
    QFile file(QStringLiteral("/proc/") + pid + u'/' + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The process group of a running process, or -1 for a zombie or a gone one.
inline int runningGroup(const QString& pid) {
    // pid (name) state ppid pgrp ...
    const QByteArray line = processFile(pid, "stat");
    if (line.isEmpty())
        return -1;
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 2 && fields[0] != "Z" ? fields[2].toInt() : -1;
}

// Running processes whose command line names the marker (offices with a profile in a given folder), but for
// those of the process group `except` (the office kept ready).
inline int processesWith(const QByteArray& marker, int except = -1) {
    int count = 0;
    for (const QString& pid : processIds()) {
        const int group = runningGroup(pid);
        if (group > 0 && group != except && processFile(pid, "cmdline").contains(marker))
            ++count;
    }
    return count;
}

// Whether a process of the group still runs (a zombie does not: orphans may wait long for their reaper).
inline bool groupAlive(int group) {
    if (group <= 0)
        return false;
    for (const QString& pid : processIds())
        if (runningGroup(pid) == group)
            return true;
    return false;
}

inline QByteArray profileMarker(const QString& tempDir) {
    return QUrl::fromLocalFile(tempDir).toString(QUrl::FullyEncoded).toLocal8Bit() + "/mixdesign-office-";
}

// What an office with this profile folder may leave behind, of what exists: the folder, its connection pipe's
// socket (named by the folder) and its single-instance pipe's socket (named by the MD5 of the profile's URL
// in UTF-16, each byte in hex without leading zeros). Only this office's own names: other offices on the
// machine do not count.
inline QStringList officeTraces(const QString& profileDir) {
    const QString url = QUrl::fromLocalFile(profileDir).toString(QUrl::FullyEncoded);
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(reinterpret_cast<const char*>(url.utf16()), url.size() * 2), QCryptographicHash::Md5);
    QString hex;
    for (const char byte : digest)
        hex += QString::number(uchar(byte), 16);
    const QString pipes = QStringLiteral("/tmp/OSL_PIPE_%1_").arg(getuid());
    QStringList traces;
    for (const QString& path :
         {profileDir, pipes + QDir(profileDir).dirName(), pipes + QStringLiteral("SingleOfficeIPC_") + hex}) {
        if (QFileInfo(path).exists() || QFileInfo(path).isSymLink())
            traces.append(path);
    }
    return traces;
}

// The profile folders named on the command lines of running offices whose profile lies in tempDir.
inline QStringList runningProfiles(const QString& tempDir) {
    QStringList profiles;
    const QByteArray marker = profileMarker(tempDir);
    for (const QString& pid : processIds()) {
        for (const QByteArray& argument : processFile(pid, "cmdline").split('\0')) {
            if (!argument.contains(marker))
                continue;
            const QString url = QString::fromLocal8Bit(argument.mid(argument.indexOf("file://")));
            const QString profile = QUrl(url).toLocalFile();
            if (!profile.isEmpty() && !profiles.contains(profile))
                profiles.append(profile);
        }
    }
    return profiles;
}

// Waits up to `ms` for the count of offices to reach `expected`.
inline bool officesBecome(const QString& tempDir, int expected, int ms) {
    QDeadlineTimer deadline(ms);
    while (processesWith(profileMarker(tempDir)) != expected) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// Waits up to `ms` for an office with a profile in the folder to run. Once seen is enough: while one program
// of the office's start becomes the next (exec), its command line is empty for a moment, so a second look
// may miss it.
inline bool officeAppears(const QString& tempDir, int ms) {
    QDeadlineTimer deadline(ms);
    while (processesWith(profileMarker(tempDir)) == 0) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}
