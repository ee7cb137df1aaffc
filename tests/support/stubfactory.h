#pragma once

#include "report/spreadsheetlifecycle.h"

// The base of the unit tests' factories that only start instances of their own: nothing is kept, handed
// over, locked or running besides them.
class StubFactory : public SpreadsheetLifecycle {
public:
    void saveHandedOver() override {}
    void endAll() override {}
    void endHidden() override {}
    void closeHandedOver() override {}
    int running() override { return 0; }
    bool inUse(const QString&) override { return false; }
};
