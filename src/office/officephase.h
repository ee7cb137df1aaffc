#pragma once

#include <optional>

// Every phase of one office's life and every step between them, in one table: OfficePool makes the steps.
// The office kept ready is the one in Starting or Kept.
enum class OfficePhase {
    Starting,   // started, not yet connected: only the office kept ready is ever seen here
    Kept,       // connected, no command has it: the office kept ready
    Busy,       // a command works with it
    HandedOver, // its workbook is shown to the user, who ends it by closing the workbook
    Released,   // the user's alone: it outlives the program, which never ends it
    Ended,      // its process has ended, its profile is gone
};

enum class OfficeStep {
    Connect,  // the office kept ready has finished its start
    Take,     // a command takes it
    GiveBack, // the command is done with it and it is kept ready for the next
    HandOver, // the command leaves its workbook to the user
    Release,  // the program goes and leaves it to the user
    Retire,   // its process is ended
};

// The phase `step` leads to from `from`, or nothing where the step is refused there.
constexpr std::optional<OfficePhase> nextPhase(OfficePhase from, OfficeStep step) {
    using P = OfficePhase;
    using S = OfficeStep;
    switch (from) {
    case P::Starting:
        if (step == S::Connect)
            return P::Kept;
        if (step == S::Take)
            return P::Busy;
        break;
    case P::Kept:
        if (step == S::Take)
            return P::Busy;
        break;
    case P::Busy:
        if (step == S::GiveBack)
            return P::Kept;
        if (step == S::HandOver)
            return P::HandedOver;
        break;
    case P::HandedOver:
        // The user's workbook is never given back to the pool.
        if (step == S::Release)
            return P::Released;
        break;
    case P::Released:
        // The user's alone: the program never ends it.
    case P::Ended:
        return std::nullopt;
    }
    if (step == S::Retire)
        return P::Ended;
    return std::nullopt;
}
