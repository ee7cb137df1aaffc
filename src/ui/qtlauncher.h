#pragma once

#include "common/launcher.h"

// The launcher of the program: the desktop's browser for addresses, a detached process for programs.
class QtLauncher : public Launcher {
public:
    void openUrl(const QString& url) override;
    bool start(const QString& program) override;
};
