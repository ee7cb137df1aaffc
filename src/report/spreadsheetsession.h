#pragma once

#include "common/installpaths.h"

#include <QString>
#include <functional>
#include <memory>

class Prompter;
class Spreadsheet;
class SpreadsheetFactory;

// One command's whole work with a spreadsheet instance: start, open the template, write, save as, then quit
// or hand over; or start, open a workbook read-only, read, quit.
//
// What happens on each failure, for every export and the import alike:
// - a name or target refused before anything starts (unsafe name, file or lock name over 243 bytes, a target
//   that is a link, outside the installation folder, not replaceable): no instance is started, nothing is
//   written, the command's own message; a target open in a running office: the same, with inUseMessage();
// - an office that did not answer a call in time: it is ended as below, with timeoutMessage();
// - the spreadsheet application missing or not starting at all: the stop box unavailableMessage(), titled
//   "重要提示", OK;
// - any failure after the start (open, a cell, a ratio of the calculation, the save, an office that died or
//   stopped answering): the instance is ended, visible or hidden, the temporary file is removed, the target
//   keeps what it held, and the command's own message follows.
// On success a save-and-quit export has ended its instance and put the whole new file in place of the target
// in one rename (its PDF, when asked for, in a second one); a hand-over export has saved the filled workbook
// as the target and left it open for the user, who owns the instance from then on.
class SpreadsheetSession {
public:
    enum class Ending { SaveAndQuit, HandOver };

    struct Export {
        QString templateName; // in root/mb/
        QString name;         // the target is root/<name>.xls
        Ending ending = Ending::SaveAndQuit;
        // Also root/<name>.pdf from the filled workbook, put in place with the workbook. A hand-over export
        // with a PDF saves both as a save-and-quit export does, then opens the saved workbook for the user.
        bool pdf = false;
        std::function<void(Spreadsheet&)> fill; // writes the cells; throws SpreadsheetError or CalcFailure
        // A target open in another program gets inUseMessage(); false where the command's own message says
        // that already.
        bool namesFileInUse = true;
    };

    // failure: shows the command's own message.
    SpreadsheetSession(SpreadsheetFactory& spreadsheets, Prompter& prompter, InstallPaths paths,
                       std::function<void()> failure);

    // True when the export completed.
    bool exportWorkbook(const Export& request);
    // Opens path read-only in a hidden instance and calls read; true when every read succeeded.
    bool importWorkbook(const QString& path, const std::function<void(Spreadsheet&)>& read);

    // Whether root/<name>.xls and its lock file ".~lock.<name>.xls#" fit a file name (255 bytes).
    static bool nameFits(const QString& name);
    static QString unavailableMessage();
    // fileName: the file's name without its folder.
    static QString inUseMessage(const QString& fileName);
    static QString timeoutMessage();

private:
    // Opens a saved workbook in a visible instance and hands it over to the user.
    bool showWorkbook(const QString& path);
    // Why a failure is not the inputs': it gets a message of its own.
    enum class Cause { Command, Unavailable, InUse, Timeout };
    enum class Target { Acceptable, Refused, InUse };
    // Whether the target may be written: inside the folder, no link, replaceable, not open elsewhere.
    Target checkTarget(const QString& target) const;
    // Shows the failure's message; the cause's detail goes to the program's standard error.
    void fail(Cause cause, const QString& detail, const QString& fileName = QString());
    // A new empty file in the installation folder, named to stay out of the user's way; empty on failure.
    QString reserveBeside(const QString& suffix) const;
    // Runs a command's steps on `sheet`; on a failure (false or a spreadsheet or calculation error) ends the
    // instance and shows the message. Any other exception passes with the instance ended by its owner.
    bool runSteps(std::unique_ptr<Spreadsheet>& sheet, const std::function<bool()>& steps);

    SpreadsheetFactory& m_spreadsheets;
    Prompter& m_prompter;
    InstallPaths m_paths;
    std::function<void()> m_failure;
};
