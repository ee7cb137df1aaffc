#pragma once

#include "common/prompter.h"

// The prompter of the program: real message boxes, input boxes, beeps and file dialogs over the active
// window.
class QtPrompter : public Prompter {
public:
    MessageButton message(const MessageBoxRequest& request) override;
    std::optional<QString> input(const InputBoxRequest& request) override;
    void beep() override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileSaveRequest& request) override;
};
