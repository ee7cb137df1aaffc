#include "report/design2011report.h"

#include <utility>

Design2011Report::Design2011Report(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                                   Launcher& launcher, InstallPaths paths)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_launcher(launcher),
      m_paths(std::move(paths)) {}

QString Design2011Report::save(bool) { return {}; }
void Design2011Report::open(const QString&) {}
