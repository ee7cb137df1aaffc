#pragma once

#include "office/officelimits.h"

#include <QString>
#include <functional>
#include <memory>

class SpreadsheetFaults;
class SpreadsheetLifecycle;

// The spreadsheet backend a script runs against, and the faults its "office-fault" lines put on it.
struct Backend {
    std::unique_ptr<SpreadsheetLifecycle> spreadsheets;
    // Watches spreadsheets' instances where the faults need to (the real office); declared after them, so
    // that it goes first.
    std::shared_ptr<SpreadsheetFaults> faultsOwner;
    SpreadsheetFaults* faults = nullptr;
};

// "log" (a recorder printing every operation) or "libreoffice", which keeps an office ready ahead of need
// when keepOffice is set and holds its offices to the limits. Without spreadsheets for an unknown name.
Backend makeSpreadsheets(const QString& kind, std::function<void(const QString& line)> sink,
                         bool keepOffice = false, const OfficeLimits& limits = {});
