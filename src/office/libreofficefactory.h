#pragma once

#include "office/officefiles.h"
#include "office/officelimits.h"
#include "report/spreadsheetlifecycle.h"

#include <QStringList>

#include <memory>

class OfficePool;

// Starts LibreOffice Calc instances, each a private soffice process with its own profile and pipe: headless
// for hidden work, in a window for work the user is to see (headless too when there is no display). A
// handed-over instance is the user's: it is ended when the user closes its workbook, and outlives the factory
// only while that workbook is open in a window. Every other instance is ended when the factory goes.
//
// With Keep::On, the factory keeps one headless office ready ahead of need (the kept office): keepReady()
// starts it without waiting, start() takes it for headless work (finishing its start if need be), and a
// command that is done with it gives it back with its documents closed. An office in doubt (a failed call, a
// process stopped or gone, a start that failed) is ended instead and the command starts its own; the next
// kept one is started once the program is idle again. One that served its number of commands or grew past its
// memory size (OfficeLimits) is replaced in idle time, since the office grows with every workbook it opened.
// Every office's phase and each change of it are the OfficePool's.
class LibreOfficeFactory : public SpreadsheetLifecycle {
public:
    enum class Display {
        Auto,         // visible instances get a window when DISPLAY is set
        HeadlessOnly, // every instance runs headless (offscreen runs, tests)
    };

    enum class Keep {
        Off, // every command starts an office of its own (tests, benchmarks of the cold start)
        On,  // one headless office is kept ready
    };

    // soffice: the office's start program (another path only in tests of a missing office); limits: the
    // limits every office is held to (shorter ones only in tests).
    explicit LibreOfficeFactory(Display display = Display::Auto, const QString& soffice = installedSoffice(),
                                Keep keep = Keep::Off, const OfficeLimits& limits = OfficeLimits());
    ~LibreOfficeFactory() override;

    std::unique_ptr<Spreadsheet> start(bool visible) override;
    std::unique_ptr<Spreadsheet> startFresh(bool visible) override;
    void saveHandedOver() override;
    void endAll() override;
    void endHidden() override;
    void closeHandedOver() override;
    int running() override;
    bool inUse(const QString& path) override;
    const ApplicationFiles* applicationFiles() const override { return &m_files; }
    void keepReady() override;

    // Looks at each office a command takes, right after it connected (the test faults of OfficeFaults).
    class TakeWatcher {
    public:
        virtual ~TakeWatcher() = default;
        // A command begins: the offices taken until the next one are for it.
        virtual void commandBegins() = 0;
        // An office of the command's is connected; processGroup: its process group.
        virtual void taken(int processGroup) = 0;
    };
    // The watcher, or nullptr for none; it must outlive the factory or be reset before it goes.
    void watchTakes(TakeWatcher* watcher);

    // The start program of the LibreOffice the build was configured with.
    static QString installedSoffice();

    // The process groups of the offices started and still running, the kept one included (tests look at
    // them from outside).
    std::vector<int> processGroups();
    // The profile folders of every office this factory started, ended ones included (tests look for what an
    // office may have left behind).
    QStringList startedProfiles() const;
    // The process group of the kept office, or -1.
    int keptProcessGroup();
    // The memory the kept office holds, in bytes; 0 without one.
    qint64 keptResidentBytes();

private:
    bool headlessFor(bool visible) const;

    Display m_display;
    std::unique_ptr<OfficePool> m_pool;
    OfficeFiles m_files;
};
