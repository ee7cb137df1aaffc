#pragma once

#include <QString>
#include <functional>
#include <optional>

class InternalError;
class QWidget;
class ScriptedPrompter;
class SpreadsheetFaults;
class SpreadsheetLifecycle;
class WindowManager;

// Runs a script of user actions against the real windows (one action a line) and answers their dialogs from
// the script. Exit codes: 0 every expectation held, 1 an expectation failed, 2 a bad script line.
class ScriptRunner {
public:
    using Sink = std::function<void(const QString& line)>;

    // internalError: reports an exception that escapes a command, as the program's top level does.
    ScriptRunner(WindowManager& windows, ScriptedPrompter& prompter, SpreadsheetLifecycle& spreadsheets,
                 SpreadsheetFaults& faults, Sink sink, InternalError& internalError);

    int runFile(const QString& path);
    int runText(const QString& script);

private:
    // Thrown for a line the runner cannot carry out as written.
    struct BadLine {
        QString why;
    };

    void runLine(const QString& line);
    // The lines about office instances and the time they take (user-close, expect-offices, office-fault,
    // pause); false for any other verb.
    bool runOfficeLine(const QString& verb, const QString& rest);
    QWidget* window(const QString& name) const;
    QWidget* control(const QString& target) const;
    // The text a control shows as scripts compare it: a check box as on or off, a table cell addressed as
    // W.TABLE.ROW.COLUMN (from 1) by its text.
    QString shownText(const QString& target) const;
    // The cell's text for a target of the form W.TABLE.ROW.COLUMN; nullopt for a target of another form.
    std::optional<QString> cellText(const QString& target) const;
    void fail(const QString& what);
    void dump(const QString& windowName);
    void settle();

    WindowManager& m_windows;
    ScriptedPrompter& m_prompter;
    SpreadsheetLifecycle& m_spreadsheets;
    SpreadsheetFaults& m_faults;
    Sink m_sink;
    InternalError& m_internalError;
    int m_lineNumber = 0;
    bool m_failed = false;
};
