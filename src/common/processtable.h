#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <optional>
#include <vector>

// One process of the machine as the kernel's process table shows it.
struct ProcessEntry {
    qint64 pid = -1;
    // The kernel's state letter: R, S, D running or waiting; T, t stopped; Z, X ended.
    char state = '?';
    qint64 group = -1;
    // Started at, in clock ticks since the machine's boot.
    qint64 startTicks = 0;

    bool ended() const { return state == 'Z' || state == 'X'; }
    bool stopped() const { return state == 'T' || state == 't'; }
};

// The one reader of the kernel's process table (/proc): which processes there are, their states, process
// groups, start times, names, command lines and memory. Every answer is read afresh; a process that goes
// meanwhile is simply not there.
class ProcessTable {
public:
    // Every process of the machine, ended ones (zombies) included.
    static std::vector<ProcessEntry> all();
    // The processes of one process group, ended ones included.
    static std::vector<ProcessEntry> group(qint64 group);
    // The process of that pid, or nothing.
    static std::optional<ProcessEntry> find(qint64 pid);
    // When a process started, by the wall clock; invalid where it cannot be told.
    static QDateTime startTime(const ProcessEntry& process);
    // Its program's name as the kernel gives it (at most 15 bytes); empty once it has gone.
    static QByteArray name(qint64 pid);
    // Its arguments, the program first; empty once it has gone.
    static QList<QByteArray> commandLine(qint64 pid);
    // The memory it holds (resident set), in bytes.
    static qint64 residentBytes(qint64 pid);
};
