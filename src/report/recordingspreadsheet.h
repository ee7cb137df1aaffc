#pragma once

#include "report/spreadsheetfaults.h"
#include "report/spreadsheetlifecycle.h"

#include <functional>
#include <memory>
#include <vector>

// A spreadsheet backend that only reports each operation as one line ("XLS start visible=1", "XLS open
// \"...\"", "XLS cell 8 7 text \"30\"", ...) and reads every cell as empty. Opening a file that does not
// exist fails, as it would in the real application; an injected fault makes every operation of the next
// instance fail, as a lost office would; nothing else fails and no file is written.
class RecordingSpreadsheetFactory : public SpreadsheetLifecycle, public SpreadsheetFaults {
public:
    using Sink = std::function<void(const QString& line)>;

    explicit RecordingSpreadsheetFactory(Sink sink);
    ~RecordingSpreadsheetFactory() override;

    std::unique_ptr<Spreadsheet> start(bool visible) override;
    // "XLS user-save" for each instance left open for the user.
    void saveHandedOver() override;
    // "XLS end" for each instance still running.
    void endAll() override;
    // "XLS end" for each instance still running that was not handed over.
    void endHidden() override;
    // "XLS user-close" for each instance left open for the user; it ends.
    void closeHandedOver() override;
    // Instances started and not yet ended, handed over ones included.
    int running() override;
    // True for the paths given to setInUse.
    bool inUse(const QString& path) override;
    void injectFault(StartFault fault) override;

    // Makes the file count as open in another application.
    void setInUse(const QString& path);

    struct Instance;

private:
    Sink m_sink;
    std::vector<std::shared_ptr<Instance>> m_instances;
    std::vector<QString> m_inUse;
    StartFault m_fault = StartFault::None;
};
