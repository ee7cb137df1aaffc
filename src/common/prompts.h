#pragma once

#include "common/prompter.h"

// "您填入的数据正确吗？" (Yes/No, question): true only for Yes.
bool confirmData(Prompter& prompter);

// "您输入的参数值对吗？" (Yes/No, question): shown when a main-window command fails; the answer is not used.
void showFailure(Prompter& prompter);

// A refusal or notice that only informs: stop icon, OK alone, the given title or the application's.
void showStop(Prompter& prompter, const QString& text, const QString& title = QString());

// `times` system beeps.
void beep(Prompter& prompter, int times);

// A box of the adjustment window: it names the help file DEMO.HLP, topic 1000, without a Help button; the
// first button is the default.
MessageBoxRequest adjustmentBox(const QString& text, const QString& title, MessageIcon icon,
                                MessageButtons buttons);

// The adjustment window's "重要提示" (OK/Cancel, stop icon) with the given text; either button just closes
// it.
void showImportantNotice(Prompter& prompter, const QString& text);
