#pragma once

#include <QString>

// Hands addresses to the desktop's browser and starts outside programs; tests record the calls instead.
class Launcher {
public:
    virtual ~Launcher() = default;
    // False when the desktop could not open it (no program for it, no desktop to ask).
    virtual bool openUrl(const QString& url) = 0;
    // Starts the program detached; false when it could not be started.
    virtual bool start(const QString& program) = 0;
};
