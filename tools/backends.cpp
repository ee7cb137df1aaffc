#include "tools/backends.h"

#include "report/spreadsheet.h"

#include <stdexcept>

namespace {

// Stands in until the spreadsheet backends are linked in.
class NoSpreadsheets : public SpreadsheetFactory {
public:
    std::unique_ptr<Spreadsheet> start(bool) override { throw std::logic_error("no spreadsheet backend"); }
    void saveHandedOver() override {}
    void endAll() override {}
};

} // namespace

std::unique_ptr<SpreadsheetFactory> makeSpreadsheets(const QString& kind,
                                                     std::function<void(const QString&)>) {
    if (kind == QStringLiteral("log") || kind == QStringLiteral("libreoffice"))
        return std::make_unique<NoSpreadsheets>();
    return nullptr;
}
