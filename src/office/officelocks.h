#pragma once

#include <QString>

// Leftovers of the program's own office instances that no longer run: profile folders and document locks.
// A lock or profile of an office that still runs is never touched, nor anything of another program.

// Profile folders of the program's instances are QDir::tempPath() + "/" + this + a unique suffix.
inline const QString kProfilePrefix = QStringLiteral("mixdesign-office-");

// Whether a running process uses the office profile of this user installation URL.
bool profileInUse(const QString& profileUrl);

// The document's lock file (".~lock.NAME#"), whether one exists or not.
QString lockPathOf(const QString& documentPath);

// Whether the document is free to be saved: it has no lock, or only a stale one, which is removed. A lock is
// stale when it is empty or unreadable, or when its holder is this machine and that holder's office no longer
// runs. A lock of a running office, or of another machine, stays: the document is in use.
bool clearStaleLock(const QString& documentPath);

// Removes profile folders of the program's instances that no longer run (older than a few minutes, so a
// folder being set up for an office about to start is left alone).
void sweepStaleProfiles();
