#pragma once

#include <QString>

class Prompter;
class SpreadsheetLifecycle;

// What the program does with an exception that escaped a command (a programming error, not a calculation or
// spreadsheet failure): the command's hidden office instances are ended and a stop box shows
// "程序内部错误：" with the message; the program goes on.
class InternalError {
public:
    InternalError(Prompter& prompter, SpreadsheetLifecycle& spreadsheets);

    void report(const QString& what) const;
    static QString text(const QString& what);

private:
    Prompter& m_prompter;
    SpreadsheetLifecycle& m_spreadsheets;
};
