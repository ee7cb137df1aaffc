#include "ui/commandguard.h"

#include "ui/appcontext.h"

#include <exception>

CommandGuard::CommandGuard(Prompter& prompter, SpreadsheetLifecycle& spreadsheets)
    : m_internalError(prompter, spreadsheets) {}

CommandGuard::CommandGuard(const AppContext& context)
    : CommandGuard(context.prompter, context.spreadsheets) {}

void CommandGuard::run(const std::function<void()>& command) const noexcept {
    try {
        command();
    } catch (const std::exception& e) {
        m_internalError.report(QString::fromUtf8(e.what()));
    } catch (...) {
        m_internalError.report(QStringLiteral("unknown exception"));
    }
}
