#pragma once

#include "office/officelimits.h"

#include <QString>
#include <functional>
#include <memory>

class SpreadsheetFactory;

// The spreadsheet backend a script runs against: "log" (a recorder printing every operation) or
// "libreoffice", which keeps an office ready ahead of need when warm is set and holds its offices to the
// limits. Returns nullptr for an unknown name.
std::unique_ptr<SpreadsheetFactory> makeSpreadsheets(const QString& kind,
                                                     std::function<void(const QString& line)> sink,
                                                     bool warm = false, const OfficeLimits& limits = {});
