#pragma once

#include <memory>

class Spreadsheet;

// Starts spreadsheet application instances: LibreOffice in the program, a recorder in tests and scripts.
class SpreadsheetFactory {
public:
    virtual ~SpreadsheetFactory() = default;
    // A new instance of its own, visible or hidden (headless).
    virtual std::unique_ptr<Spreadsheet> start(bool visible) = 0;
};
