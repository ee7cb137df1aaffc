#pragma once

#include "report/applicationfiles.h"

// LibreOffice's files beside a document: its lock ".~lock.NAME#" and its temporary files "lu<pid>….tmp".
class OfficeFiles : public ApplicationFiles {
public:
    QString lockedDocument(const QString& fileName) const override;
    // The office names a temporary file after its pid, with letters or digits after it: left over when no
    // running office's pid begins its digits.
    bool abandonedTemporary(const QString& fileName) const override;
};
