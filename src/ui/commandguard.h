#pragma once

#include "ui/internalerror.h"

#include <functional>
#include <utility>

struct AppContext;

// The boundary between Qt's event dispatch and the commands bound to controls: an exception that escapes a
// command (a programming error) is reported as an internal error right there, and the event goes back to Qt
// as handled, so no exception ever unwinds through Qt's code. The program goes on with its next event.
class CommandGuard {
public:
    CommandGuard(Prompter& prompter, SpreadsheetLifecycle& spreadsheets);
    explicit CommandGuard(const AppContext& context);

    // Runs the command and reports what escapes it. A report that fails in turn ends the program.
    void run(const std::function<void()>& command) const noexcept;

    // The command guarded, for a connect or an event hook.
    template <typename Command> auto operator()(Command command) const {
        return [guard = *this, command = std::function<void()>(std::move(command))] { guard.run(command); };
    }
    template <typename Receiver> auto operator()(Receiver* receiver, void (Receiver::*command)()) const {
        return (*this)([receiver, command] { (receiver->*command)(); });
    }

private:
    InternalError m_internalError;
};
