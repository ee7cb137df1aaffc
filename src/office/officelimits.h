#pragma once

#include <QtGlobal>

// Every limit of the LibreOffice backend, times in milliseconds: the program's are the defaults; tests of the
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
    // The office kept ready is replaced in idle time once it holds this much memory or has served this many
    // commands, whichever comes first. Measured with bench_export --endurance 300: it grows by 2 to 3 MB a
    // report at first, then by under 1 MB, and reached 280 MB after 41 to 75 reports.
    qint64 keptResidentBytes = 280LL * 1024 * 1024;
    int keptUses = 60;
};
