#include "ui/internalerror.h"

#include "common/prompter.h"
#include "report/spreadsheetlifecycle.h"

InternalError::InternalError(Prompter& prompter, SpreadsheetLifecycle& spreadsheets)
    : m_prompter(prompter), m_spreadsheets(spreadsheets) {}

QString InternalError::text(const QString& what) { return QStringLiteral("程序内部错误：") + what; }

void InternalError::report(const QString& what) const {
    m_spreadsheets.endHidden();
    MessageBoxRequest box;
    box.text = text(what);
    box.icon = MessageIcon::Stop;
    box.buttons = MessageButtons::Ok;
    box.defaultButton = MessageButton::Ok;
    m_prompter.message(box);
}
