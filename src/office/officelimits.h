#pragma once

// Every time limit of the LibreOffice backend, in milliseconds: the program's are the defaults; tests of the
// failure paths pass shorter ones so that they need not wait out a real office's limits.
struct OfficeLimits {
    // From starting soffice to a usable desktop; past it the start fails.
    int connectMs = 30000;
    // Any single call into the office; past it the office is killed, so the blocked call returns with an
    // error.
    int callMs = 20000;
    // How long an office that was asked to terminate may take before it gets signals.
    int terminateMs = 5000;
    // How long an office may take to go after SIGTERM before SIGKILL.
    int signalMs = 1000;
    // Pause between two connection attempts while soffice starts.
    int connectRetryMs = 100;
};
