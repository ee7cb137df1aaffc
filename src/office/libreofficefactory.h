#pragma once

#include "report/spreadsheet.h"

#include <memory>

// Starts LibreOffice Calc instances, each a private soffice process with its own profile and pipe: headless
// for hidden work, in a window for work the user is to see (headless too when there is no display). A
// handed-over instance is the user's: it is ended when the user closes its workbook, and outlives the factory
// only while that workbook is open in a window. Every other instance is ended when the factory goes.
class LibreOfficeFactory : public SpreadsheetFactory {
public:
    enum class Display {
        Auto,         // visible instances get a window when DISPLAY is set
        HeadlessOnly, // every instance runs headless (offscreen runs, tests)
    };

    // soffice: the office's start program (another path only in tests of a missing office).
    explicit LibreOfficeFactory(Display display = Display::Auto, const QString& soffice = installedSoffice());
    ~LibreOfficeFactory() override;

    std::unique_ptr<Spreadsheet> start(bool visible) override;
    void saveHandedOver() override;
    void endAll() override;
    void endHidden() override;
    void closeHandedOver() override;
    int running() override;
    bool inUse(const QString& path) override;
    void injectFault(StartFault fault) override;

    // The start program of the LibreOffice the build was configured with.
    static QString installedSoffice();

    // The process groups of the offices started and still running (tests look at them from outside).
    std::vector<int> processGroups();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
