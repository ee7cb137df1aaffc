#pragma once

#include <stdexcept>

// Thrown by a calculation step that cannot go on: a text that does not read strictly as a number, a division
// by zero, a result that is not finite. The command that runs the step catches it in one place and shows its
// message.
class CalcFailure : public std::runtime_error {
public:
    explicit CalcFailure(const char* what) : std::runtime_error(what) {}
};
