#include "report/savefailure.h"

#include "common/prompts.h"
#include "report/spreadsheetsession.h"

SaveFailure::Reporter SaveFailure::reporter(Prompter& prompter) {
    return [&prompter](SaveFailureCause cause, const QString& fileName) {
        showStop(prompter, message(cause, fileName));
    };
}

QString SaveFailure::message(SaveFailureCause cause, const QString& fileName) {
    switch (cause) {
    case SaveFailureCause::Name:
        return nameRuleMessage();
    case SaveFailureCause::Target:
        return QStringLiteral(
                   "无法替换“%1”：它是文件夹或链接，或者不允许写入。请换一个文件名，或移走该文件。")
            .arg(fileName);
    case SaveFailureCause::OfficeEnded:
        return QStringLiteral("电子表格程序意外退出，文件没有保存，请重试。");
    case SaveFailureCause::Other:
        break;
    }
    return QStringLiteral("无法保存“%1”，原有文件保持不变，请重试。").arg(fileName);
}

QString SaveFailure::nameRuleMessage() {
    return QStringLiteral(
               "文件名不能为空，也不能以“.”开头或包含 / \\ 等字符，且不能超过 %1 个字节（约 %2 个汉字）。")
        .arg(SpreadsheetSession::maxNameBytes())
        .arg(SpreadsheetSession::maxNameBytes() / 3);
}

QString SaveFailure::templateMessage(const QString& templatePath) {
    return QStringLiteral("模板文件“%1”缺失、已损坏或不是本程序的模板，无法保存。请删除该文件（如果存在），"
                          "下次启动本程序时将自动恢复原模板。")
        .arg(templatePath);
}
