#include "report/reportname.h"

#include "common/installpaths.h"
#include "report/spreadsheetsession.h"

std::optional<QString> ReportName::take(const QString& typed) {
    const QString name = typed.trimmed();
    if (name.isEmpty() || !isSafeWorkbookName(name) || !SpreadsheetSession::nameFits(name))
        return std::nullopt;
    return name;
}
