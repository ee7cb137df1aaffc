#pragma once

#include <memory>

class Spreadsheet;

// Starts spreadsheet application instances: LibreOffice in the program, a recorder in tests and scripts.
class SpreadsheetFactory {
public:
    virtual ~SpreadsheetFactory() = default;
    // A new instance of its own, visible or hidden (headless).
    virtual std::unique_ptr<Spreadsheet> start(bool visible) = 0;
    // Saves the workbook of every instance that a command left open for the user, as the user's Save would.
    virtual void saveHandedOver() = 0;
    // Ends every instance this factory started, those handed over to the user included (end of a script or test).
    virtual void endAll() = 0;
};
