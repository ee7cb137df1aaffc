#pragma once

#include <QString>

// Leftovers of the program's own office instances that no longer run: profile folders and document locks.
// A lock or profile of an office that still runs is never touched, nor anything of another program.

// Profile folders of the program's instances are QDir::tempPath() + "/" + this + a unique suffix.
inline const QString kProfilePrefix = QStringLiteral("mixdesign-office-");

// Whether a running process uses the office profile of this user installation URL.
bool profileInUse(const QString& profileUrl);

// Removes the document's lock file (".~lock.NAME#") when one of the program's instances left it and no longer
// runs, so that a crashed instance cannot block the file forever.
void removeStaleLock(const QString& documentPath);

// Removes profile folders of the program's instances that no longer run (older than a few minutes, so a
// folder being set up for an office about to start is left alone).
void sweepStaleProfiles();
