#pragma once

#include "office/libreofficefactory.h"
#include "report/spreadsheetfaults.h"

// The faults of the tests and of the script runner's "office-fault" on a LibreOffice factory's offices: the
// first office of the next command, and a fresh one started in its place, are killed or stopped right after
// they connected. The program never makes one.
class OfficeFaults : public SpreadsheetFaults, private LibreOfficeFactory::TakeWatcher {
public:
    // Watches the factory's offices until it goes.
    explicit OfficeFaults(LibreOfficeFactory& factory);
    ~OfficeFaults() override;
    OfficeFaults(const OfficeFaults&) = delete;
    OfficeFaults& operator=(const OfficeFaults&) = delete;

    void injectFault(StartFault fault) override;

private:
    void commandBegins() override;
    void taken(int processGroup) override;

    LibreOfficeFactory& m_factory;
    StartFault m_next = StartFault::None;
    // The fault of the command now running.
    StartFault m_command = StartFault::None;
};
