#pragma once

// Every time limit of the LibreOffice backend, in milliseconds.
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

} // namespace OfficeLimits
