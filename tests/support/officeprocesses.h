#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QUrl>

// The office processes of the tests, seen from outside through /proc.

// The process group of a running process, or -1 for a zombie or a gone one.
inline int runningGroup(const QString& pid) {
    QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // pid (name) state ppid pgrp ...
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 2 && fields[0] != "Z" ? fields[2].toInt() : -1;
}

// Running processes whose command line names the marker (offices with a profile in a given folder), but for
// those of the process group `except` (the office kept ready).
inline int processesWith(const QByteArray& marker, int except = -1) {
    int count = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (!pid[0].isDigit() || !cmdline.open(QIODevice::ReadOnly))
            continue;
        const int group = runningGroup(pid);
        if (group > 0 && group != except && cmdline.readAll().contains(marker))
            ++count;
    }
    return count;
}

// Whether a process of the group still runs (a zombie does not: orphans may wait long for their reaper).
inline bool groupAlive(int group) {
    if (group <= 0)
        return false;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (pid[0].isDigit() && runningGroup(pid) == group)
            return true;
    return false;
}

inline QByteArray profileMarker(const QString& tempDir) {
    return QUrl::fromLocalFile(tempDir).toString(QUrl::FullyEncoded).toLocal8Bit() + "/mixdesign-office-";
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
