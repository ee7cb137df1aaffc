#include "common/prompts.h"

#include "common/prompter.h"

bool confirmData(Prompter& prompter) {
    MessageBoxRequest box;
    box.text = QStringLiteral("您填入的数据正确吗？");
    return prompter.message(box) == MessageButton::Yes;
}

void showFailure(Prompter& prompter) {
    MessageBoxRequest box;
    box.text = QStringLiteral("您输入的参数值对吗？");
    prompter.message(box);
}

void showStop(Prompter& prompter, const QString& text, const QString& title) {
    MessageBoxRequest box;
    box.text = text;
    box.title = title;
    box.icon = MessageIcon::Stop;
    box.buttons = MessageButtons::Ok;
    box.defaultButton = MessageButton::Ok;
    prompter.message(box);
}

void beep(Prompter& prompter, int times) {
    for (int i = 0; i < times; ++i)
        prompter.beep();
}

MessageBoxRequest adjustmentBox(const QString& text, const QString& title, MessageIcon icon,
                                MessageButtons buttons) {
    MessageBoxRequest box;
    box.text = text;
    box.title = title;
    box.icon = icon;
    box.buttons = buttons;
    box.defaultButton = buttons == MessageButtons::YesNo ? MessageButton::Yes : MessageButton::Ok;
    box.helpFile = QStringLiteral("DEMO.HLP");
    box.helpContext = 1000;
    return box;
}

void showImportantNotice(Prompter& prompter, const QString& text) {
    prompter.message(
        adjustmentBox(text, QStringLiteral("重要提示"), MessageIcon::Stop, MessageButtons::OkCancel));
}
