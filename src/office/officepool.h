#pragma once

#include "office/libreofficefactory.h"
#include "office/officelimits.h"
#include "office/officephase.h"
#include "office/uno.h"
#include "report/spreadsheet.h"

#include <QStringList>
#include <QTimer>

#include <future>
#include <memory>
#include <vector>

struct OfficeInstance;

// The one owner of every office the program started and of every change of an office's phase (the table of
// officephase.h): start, take, give back, hand over, renew, release and retire. Retiring is the only way an
// office's process is ended by the program. With keeping on, one headless office is kept ready ahead of need,
// started without waiting and replaced in idle time when it is in doubt, worn by its commands or grown past
// its memory size.
class OfficePool {
public:
    enum class Keeping {
        Off, // every command starts an office of its own
        On,  // one headless office is kept ready
    };

    OfficePool(const QString& soffice, Keeping keeping, const OfficeLimits& limits);
    // Retires every office but a handed-over one shown in a window, which is released to the user.
    ~OfficePool();
    OfficePool(const OfficePool&) = delete;
    OfficePool& operator=(const OfficePool&) = delete;

    // An office for a command, connected and Busy: the one kept ready where it is headless work and the kept
    // office answers, else a new one. kept: set to whether it was the kept office.
    std::shared_ptr<OfficeInstance> take(bool headless, bool& kept);
    // A new office for a command, never the kept one; it suffers the command's fault.
    std::shared_ptr<OfficeInstance> takeFresh(bool headless);
    // The command is done with its office: kept ready for the next command, or retired.
    void giveBack(const std::shared_ptr<OfficeInstance>& office);
    // The command leaves the office's workbook to the user.
    void handOver(const std::shared_ptr<OfficeInstance>& office);
    // How retire ends an office's process.
    enum class Ending {
        Wait,       // before it returns (a command's office, the end of everything)
        Background, // on a thread of its own: the window's thread never waits for an office in idle time
    };
    // Ends the office's process; false where the phase refuses it (released, ended already).
    bool retire(const std::shared_ptr<OfficeInstance>& office, const char* reason,
                Ending ending = Ending::Wait);

    // Starts the office kept ready where keeping is on and there is none; never waits for it.
    void keepReady();
    // Retires the handed-over offices whose workbook the user has closed or whose process has gone.
    void retireClosed();
    // Saves the workbook of every handed-over office, as the user's Save would.
    void saveHandedOver();
    // Closes the workbook of every handed-over office without saving, as the user would, and retires them.
    void closeHandedOver();
    // Retires every office; with `handedOverToo` false, those handed over to the user stay.
    void retireAll(bool handedOverToo);
    // Who looks at each office a command takes (tests' faults); nullptr for none.
    void watchTakes(LibreOfficeFactory::TakeWatcher* watcher) { m_watcher = watcher; }

    // Offices not kept ready whose process runs.
    int running() const;
    // The process groups of the offices whose process runs, the kept one included.
    std::vector<int> processGroups() const;
    // The profile folders of every office started, ended ones included.
    QStringList startedProfiles() const { return m_profiles; }
    // The process group of the office kept ready, or -1.
    int keptProcessGroup() const;
    // The memory the office kept ready holds, in bytes; 0 without one.
    qint64 keptResidentBytes() const;

private:
    // Moves the office on by the step; false, with the phase as it was, where the step is refused.
    bool enter(OfficeInstance& office, OfficeStep step);
    std::shared_ptr<OfficeInstance> kept() const;
    const css::uno::Reference<css::uno::XComponentContext>& localContext();
    std::shared_ptr<OfficeInstance> startNew(bool headless);
    std::shared_ptr<OfficeInstance> takeKept();
    void keepReadyWhenIdle();
    void pollKept();
    void renewWorn();
    // Waits until every office retired in the background has ended.
    void waitForEndings();
    // Shows the watcher an office a command has just taken.
    void showTaken(const OfficeInstance& office) const;

    QString m_soffice;
    Keeping m_keeping;
    OfficeLimits m_limits;
    LibreOfficeFactory::TakeWatcher* m_watcher = nullptr;
    css::uno::Reference<css::uno::XComponentContext> m_local;
    // Every office not yet ended or released; the phase of each tells the rest.
    std::vector<std::shared_ptr<OfficeInstance>> m_offices;
    QStringList m_profiles;
    // Retires the handed-over offices of closed workbooks while the program waits for the user.
    QTimer m_handOverCheck;
    // Looks in on the start of the office kept ready, which connects on a thread of its own, while the
    // program waits for the user.
    QTimer m_keptConnect;
    // A start of the kept office failed: none is started again until a command's start succeeds (an office
    // that cannot start is reported by the command that needs it, not retried in the background).
    bool m_keepingFailed = false;
    // The endings of offices retired in the background, not yet waited for.
    std::vector<std::future<void>> m_endings;
};
