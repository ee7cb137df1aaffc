#pragma once

#include "report/spreadsheet.h"

// The life of a factory's instances beyond one command, for the program's main, the script runner, the
// windows' guard against internal errors and the tests: the commands never see it.
class SpreadsheetLifecycle : public SpreadsheetFactory {
public:
    // Saves the workbook of every instance that a command left open for the user, as the user's Save would.
    virtual void saveHandedOver() = 0;
    // Ends every instance this factory started, those handed over to the user included (end of a script or
    // test).
    virtual void endAll() = 0;
    // Ends every instance that is not the user's (a command that ended abnormally, a termination signal).
    virtual void endHidden() = 0;
    // Closes every workbook left open for the user without saving, as the user would close its window.
    virtual void closeHandedOver() = 0;
    // Instances started that still run, handed over ones included; the instance kept ready for the next
    // command is not counted.
    virtual int running() = 0;
    // Where the factory keeps an instance ready ahead of need, starts it without waiting for it; called when
    // the program is idle.
    virtual void keepReady() {}
};
