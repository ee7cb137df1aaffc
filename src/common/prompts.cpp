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

void beep(Prompter& prompter, int times) {
    for (int i = 0; i < times; ++i)
        prompter.beep();
}
