#pragma once

#include <QtGlobal>

// Every limit of the LibreOffice backend; times in milliseconds.
namespace OfficeLimits {

// From starting soffice to a usable desktop; past it the start fails.
constexpr int kConnectMs = 30000;
// Any single call into the office; past it the office is killed, so the blocked call returns with an error.
constexpr int kCallMs = 20000;
// How long an office that was asked to terminate may take before it gets signals.
constexpr int kTerminateMs = 5000;
// How long an office may take to go after SIGTERM before SIGKILL.
constexpr int kSignalMs = 1000;
// Pause between two connection attempts while soffice starts.
constexpr int kConnectRetryMs = 100;
// The office kept ready is replaced in idle time once it holds this much memory or has served this many
// commands, whichever comes first. Measured with bench_export --endurance 300: it grows by 2 to 3 MB a report
// at first, then by under 1 MB, and reached 280 MB after 41 to 75 reports.
constexpr qint64 kKeptResidentBytes = 280LL * 1024 * 1024;
constexpr int kKeptUses = 60;

} // namespace OfficeLimits
