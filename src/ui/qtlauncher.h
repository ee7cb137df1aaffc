#pragma once

#include "common/launcher.h"

// The launcher of the program: the desktop's programs for addresses and files, a detached process for
// programs.
class QtLauncher : public Launcher {
public:
    // A local file is handed over only where the desktop names a program for its type.
    bool openUrl(const QString& url) override;
    bool start(const QString& program) override;
};
