#pragma once

#include "common/installpaths.h"
#include "report/spreadsheet.h"

#include <QString>
#include <functional>
#include <vector>

class Prompter;

// One command's whole work with a spreadsheet instance: start, open the template, write, save as, then quit
// or hand over; or start, open a workbook read-only, read, quit.
//
// What happens on each failure, for every export and the import alike:
// - a name or target refused before anything starts (unsafe name, file or lock name over 243 bytes, a target
//   that is a link, outside the installation folder, not replaceable): no instance is started, nothing is
//   written, the command's own message; a target open in a running office: the same, with inUseMessage();
//   an installation folder that is no folder the user can write: the same, with folderMessage();
// - the office kept ready failing before the target was touched (gone, not answering, unable to open the
//   workbook): a fresh instance takes over, once, and the command carries on;
// - any failure but the inputs' while the installation folder or the temporary folder is (nearly) full:
//   diskFullMessage() in place of the message below;
// - a template that is not of the request's form (an empty file, another workbook): refused right after it
//   was opened, as a failure after the start below;
// - an office that did not answer a call in time: it is ended as below, with timeoutMessage();
// - the spreadsheet application missing or not starting at all (twice): the stop box unavailableMessage(),
//   titled "重要提示", OK;
// - any failure after the start (open, a cell, a ratio of the calculation, the save, an office that died or
//   stopped answering): the instance is ended, visible or hidden, the temporary file is removed, the target
//   keeps what it held, and the command's own message follows.
// After a failed export, the program's scratch files and the office's temporary and lock files of offices and
// programs that no longer run are removed from the installation folder (ScratchFiles::sweep).
// On success a save-and-quit export has ended its instance and put the whole new file in place of the target
// in one rename (its PDF, when asked for, in a second one); a hand-over export has saved the filled workbook
// as the target and left it open for the user, who owns the instance from then on.
class SpreadsheetSession {
public:
    enum class Ending { SaveAndQuit, HandOver };

    struct Export {
        QString templateName; // in root/mb/
        // What the template holds wherever it was edited: one of another form is refused before anything is
        // written from it.
        std::vector<FixedText> form;
        QString name; // the target is root/<name>.xls
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
    static QString diskFullMessage();
    static QString folderMessage();

private:
    // How far a command's steps got.
    struct Progress {
        bool opened = false;  // the instance opened the command's workbook
        bool touched = false; // the command's target may have changed
    };

    // Opens a saved workbook in a visible instance and hands it over to the user.
    bool showWorkbook(const QString& path);
    // Why a failure is not the inputs': it gets a message of its own.
    enum class Cause { Command, Unavailable, InUse, Timeout, DiskFull, Folder };
    enum class Target { Acceptable, Refused, InUse };
    // Whether the target may be written: inside the folder, no link, replaceable, not open elsewhere.
    Target checkTarget(const QString& target) const;
    // Shows the failure's message; the cause's detail goes to the program's standard error.
    void fail(Cause cause, const QString& detail, const QString& fileName = QString());
    // The export itself; a failed one may leave what its office left behind.
    bool writeWorkbook(const Export& request);
    // Runs a command's steps on an instance started for them; on a failure (false or a spreadsheet or
    // calculation error) ends the instance and shows the message. Where the instance was the one kept ready
    // and its office failed before the target was touched, the steps run once more on a fresh instance. Any
    // other exception passes with the instance ended.
    bool runSteps(bool visible, const std::function<bool(Spreadsheet&, Progress&)>& steps);
    // The installation folder is a folder the user can write.
    bool folderWritable() const;
    // The installation folder or the temporary folder is (nearly) full.
    bool lowOnSpace() const;

    SpreadsheetFactory& m_spreadsheets;
    Prompter& m_prompter;
    InstallPaths m_paths;
    std::function<void()> m_failure;
};
