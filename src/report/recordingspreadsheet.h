#pragma once

#include "report/spreadsheet.h"

#include <functional>
#include <memory>
#include <vector>

// A spreadsheet backend that only reports each operation as one line ("XLS start visible=1", "XLS open
// \"...\"", "XLS cell 8 7 text \"30\"", ...) and reads every cell as empty. Opening a file that does not
// exist fails, as it would in the real application; nothing else fails and no file is written.
class RecordingSpreadsheetFactory : public SpreadsheetFactory {
public:
    using Sink = std::function<void(const QString& line)>;

    explicit RecordingSpreadsheetFactory(Sink sink);
    ~RecordingSpreadsheetFactory() override;

    std::unique_ptr<Spreadsheet> start(bool visible) override;
    // "XLS user-save" for each instance left open for the user.
    void saveHandedOver() override;
    // "XLS end" for each instance still running.
    void endAll() override;

    // Instances started and not yet ended, handed over ones included.
    int running() const;

    struct Instance;

private:
    Sink m_sink;
    std::vector<std::shared_ptr<Instance>> m_instances;
};
