#pragma once

#include <QString>
#include <QStringList>

class ApplicationFiles;

// The program's own temporary files in the installation folder, beside the reports they become:
// ".mixdesign-<pid>-XXXXXX.xls" and ".pdf", named after the process that writes them, so that what a killed
// program or office left there can be told from the user's files.
class ScratchFiles {
public:
    // folder: where the reports are saved; application: the files of the spreadsheet application that
    // writes them, if it leaves any.
    explicit ScratchFiles(QString folder, const ApplicationFiles* application = nullptr);

    // A new empty file of this process in the folder, with the access of any new file of the user's (it
    // becomes a report); empty when none can be made.
    QString reserve(const QString& suffix) const;

    // Removes what is left over: scratch files whose writer no longer runs, the application's lock files of
    // scratch files that are gone or left over, and its temporary files of instances that no longer run.
    // Nothing else is touched. Returns the names removed.
    QStringList sweep() const;

private:
    QString m_folder;
    const ApplicationFiles* m_application;
};
