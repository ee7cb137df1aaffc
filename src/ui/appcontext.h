#pragma once

#include "common/installpaths.h"
#include "report/spreadsheetlifecycle.h"

#include <QDate>
#include <functional>

class Launcher;
class Prompter;

// What every window needs from outside, handed down from main() or the script runner.
struct AppContext {
    Prompter& prompter;
    Launcher& launcher;
    SpreadsheetLifecycle& spreadsheets;
    InstallPaths paths;
    // Today's date; a function so a long-running program sees the day change.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};
