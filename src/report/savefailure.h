#pragma once

#include <QString>
#include <functional>

class Prompter;

// Why a save failed, for the commands that tell the engineer the cause instead of asking about the inputs.
// (A template at fault, a full disk, a target open elsewhere, an office that is missing or does not answer
// have messages of their own in every command; SpreadsheetSession shows those itself.)
enum class SaveFailureCause {
    Name,        // the name breaks the rule of SaveFailure::nameRuleMessage()
    Target,      // the workbook or its PDF is a folder, a link or a file the user may not write
    OfficeEnded, // the office ended in the middle of the command
    Other,       // anything else: the finished file could not be put in place, the office refused a step
};

// The messages of a failed save that names its cause: the JGJ 55-2011 windows' "保存计算书" and
// "保存试配记录".
//
// A save command of such a window takes its name with ReportName::take (refusing with nameRuleMessage() when
// it gives none), then runs SpreadsheetSession(spreadsheets, prompter, paths,
// SaveFailure::reporter(prompter)); every failure then shows one stop box with OK that names the cause, never
// the question about the inputs.
class SaveFailure {
public:
    // The file concerned: the target's file name ("C30.xls").
    using Reporter = std::function<void(SaveFailureCause cause, const QString& fileName)>;

    // Shows the cause's message in a stop box with OK and the application's title.
    static Reporter reporter(Prompter& prompter);
    static QString message(SaveFailureCause cause, const QString& fileName);

    static QString nameRuleMessage();
    // templatePath: as the engineer knows it ("~/zeb/mb/phm2011.xls").
    static QString templateMessage(const QString& templatePath);
};
