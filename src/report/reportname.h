#pragma once

#include <QString>
#include <optional>

// The name of a JGJ 55-2011 window's saved file ("reportName", "recordName"): the typed text without the
// blanks at its ends. None where that is empty, holds "/" or "\", begins with "." (a hidden file, which could
// pass for one of the program's scratch files) or makes a file name too long; the command then refuses with
// SaveFailure::nameRuleMessage().
class ReportName {
public:
    static std::optional<QString> take(const QString& typed);
};
