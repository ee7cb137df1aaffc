#pragma once

class Prompter;

// "您填入的数据正确吗？" (Yes/No, question): true only for Yes.
bool confirmData(Prompter& prompter);

// "您输入的参数值对吗？" (Yes/No, question): shown when a main-window command fails; the answer is not used.
void showFailure(Prompter& prompter);

// `times` system beeps.
void beep(Prompter& prompter, int times);
