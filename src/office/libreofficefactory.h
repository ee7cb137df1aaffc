#pragma once

#include "report/spreadsheet.h"

#include <memory>

// Starts LibreOffice Calc instances, each a private soffice process with its own profile and pipe: headless
// for hidden work, in a window for work the user is to see (headless too when there is no display). Every
// instance it started is ended when the factory goes, except those handed over to the user and shown in a
// window.
class LibreOfficeFactory : public SpreadsheetFactory {
public:
    enum class Display {
        Auto,         // visible instances get a window when DISPLAY is set
        HeadlessOnly, // every instance runs headless (offscreen runs, tests)
    };

    explicit LibreOfficeFactory(Display display = Display::Auto);
    ~LibreOfficeFactory() override;

    std::unique_ptr<Spreadsheet> start(bool visible) override;
    void saveHandedOver() override;
    void endAll() override;

    // Instances started and still running, handed over ones included.
    int running() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
