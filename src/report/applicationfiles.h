#pragma once

#include <QString>

// The files a spreadsheet application writes beside the documents it works on, told from the user's own, so
// that what a killed instance left can be removed.
class ApplicationFiles {
public:
    virtual ~ApplicationFiles() = default;
    // The name of the document that a lock file of this name guards; empty when the name is no lock file.
    virtual QString lockedDocument(const QString& fileName) const = 0;
    // Whether the name is one of the application's temporary files and the instance that wrote it no longer
    // runs.
    virtual bool abandonedTemporary(const QString& fileName) const = 0;
};
