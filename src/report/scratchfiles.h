#pragma once

#include <QString>
#include <QStringList>

// The program's own temporary files in the installation folder, beside the reports they become:
// ".mixdesign-<pid>-XXXXXX.xls" and ".pdf", named after the process that writes them, so that what a killed
// program or office left there can be told from the user's files.
class ScratchFiles {
public:
    // folder: where the reports are saved.
    explicit ScratchFiles(QString folder);

    // A new empty file of this process in the folder, with the access of any new file of the user's (it
    // becomes a report); empty when none can be made.
    QString reserve(const QString& suffix) const;

    // Removes what is left over: scratch files whose writer no longer runs, the office's lock files of
    // scratch files that are gone or left over, and the office's own temporary files ("lu<pid>….tmp") of
    // offices that no longer run. Nothing else is touched. Returns the names removed.
    QStringList sweep() const;

private:
    QString m_folder;
};
