#pragma once

#include "common/installpaths.h"
#include "report/savefailure.h"
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
//   that is a link, a folder, outside the installation folder, not replaceable): no instance is started,
//   nothing is written, the command's own message; a target open in a running office: the same, with
//   inUseMessage(); an installation folder that is no folder the user can write: the same, with
//   folderMessage();
// - the office kept ready failing before the target was touched (gone, not answering, unable to open the
//   workbook): a fresh instance takes over, once, and the command carries on;
// - a template that cannot be opened or is not of the request's form (missing, an empty file, no workbook,
//   another workbook): refused right after the start, the instance ended, templateMessage();
// - any other failure but the inputs' while the installation folder or the temporary folder is (nearly)
//   full: diskFullMessage() in place of the message below;
// - an office that did not answer a call in time: it is ended as below, with timeoutMessage();
// - the spreadsheet application missing or not starting at all (twice): the stop box unavailableMessage(),
//   titled "重要提示", OK;
// - any failure after the start (open, a cell, a ratio of the calculation, the save, an office that died or
//   stopped answering): the instance is ended, visible or hidden, the temporary files are removed, the
//   targets keep what they held, and the command's own message follows.
// The command's own message is its failure callback, or, for a command that names causes, its reporter with
// the cause (SaveFailure).
// After a failed export, the program's scratch files and the office's temporary and lock files of offices and
// programs that no longer run are removed from the installation folder (ScratchFiles::sweep).
// On success a save-and-quit export has ended its instance and put the whole new file in place of the target
// in one rename, its PDF, when asked for, in a second one; where the second cannot be put in place, the first
// target gets back what it held, so the workbook and its PDF never come from different saves. A hand-over
// export has saved the filled workbook as the target and left it open for the user, who owns the instance
// from then on.
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

    // failure: shows the command's own message, whatever the cause.
    SpreadsheetSession(SpreadsheetFactory& spreadsheets, Prompter& prompter, InstallPaths paths,
                       std::function<void()> failure);
    // reporter: shows the message of the cause (SaveFailure::reporter for the JGJ 55-2011 windows).
    SpreadsheetSession(SpreadsheetFactory& spreadsheets, Prompter& prompter, InstallPaths paths,
                       SaveFailure::Reporter reporter);

    // True when the export completed.
    bool exportWorkbook(const Export& request);
    // Opens path read-only in a hidden instance and calls read; true when every read succeeded. A workbook
    // that is not of the form is refused before anything is read.
    bool importWorkbook(const QString& path, const std::vector<FixedText>& form,
                        const std::function<void(Spreadsheet&)>& read);

    // Whether root/<name>.xls and its lock file ".~lock.<name>.xls#" fit a file name (255 bytes).
    static bool nameFits(const QString& name);
    static int maxNameBytes();
    static QString unavailableMessage();
    // fileName: the file's name without its folder.
    static QString inUseMessage(const QString& fileName);
    static QString timeoutMessage();
    static QString diskFullMessage();
    static QString folderMessage();
    // templateName: the file in root/mb/.
    static QString templateMessage(const QString& templateName);

private:
    // How far a command's steps got.
    struct Progress {
        bool opening = false; // the instance was asked to open the command's template or workbook
        bool opened = false;  // the instance opened it
        bool touched = false; // the command's target may have changed
    };

    // Opens a saved workbook in a visible instance and hands it over to the user.
    bool showWorkbook(const QString& path);
    // Why a failure is not the inputs': it gets a message of its own.
    enum class Cause {
        Command,
        Name,
        Target,
        OfficeEnded,
        Template,
        Unavailable,
        InUse,
        Timeout,
        DiskFull,
        Folder
    };
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
    // templateName: the template the steps open, whose fault a failure to open it is; empty for a workbook.
    // fileName: the file the command writes, named in its failure.
    bool runSteps(bool visible, const std::function<bool(Spreadsheet&, Progress&)>& steps,
                  const QString& templateName = QString(), const QString& fileName = QString());
    // The installation folder is a folder the user can write.
    bool folderWritable() const;
    // The installation folder or the temporary folder is (nearly) full.
    bool lowOnSpace() const;

    SpreadsheetFactory& m_spreadsheets;
    Prompter& m_prompter;
    InstallPaths m_paths;
    std::function<void()> m_failure;
    SaveFailure::Reporter m_reporter;
};
