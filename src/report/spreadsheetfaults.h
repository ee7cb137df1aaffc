#pragma once

// What the next started instance suffers right after it is ready (tests of the failure paths).
enum class StartFault { None, Kill, Stop };

// Faults put on a factory's instances by the tests and by the script runner's "office-fault"; never by the
// program.
class SpreadsheetFaults {
public:
    virtual ~SpreadsheetFaults() = default;
    // The fault the instances of the next command suffer: the first it starts or takes, and a fresh one it
    // may start in its place.
    virtual void injectFault(StartFault fault) = 0;
};
