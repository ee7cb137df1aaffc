#pragma once

#include "common/installpaths.h"

#include <QDate>
#include <functional>

class Launcher;
class Prompter;
class SpreadsheetFactory;

// What every window needs from outside, handed down from main() or the script runner.
struct AppContext {
    Prompter& prompter;
    Launcher& launcher;
    SpreadsheetFactory& spreadsheets;
    InstallPaths paths;
    // Today's date; a function so a long-running program sees the day change.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};
