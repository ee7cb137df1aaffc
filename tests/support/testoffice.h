#pragma once

#include "office/libreofficefactory.h"

// The office factory of the office tests. With MIX_TEST_WARM_OFFICE set (the *_warm runs of every office
// test) it keeps an office ready as the program does, so each test holds with the warm start on and off.
class TestOfficeFactory : public LibreOfficeFactory {
public:
    explicit TestOfficeFactory(Display display = Display::Auto)
        : LibreOfficeFactory(display, installedSoffice(), warm()) {}

    static Warm warm() { return qEnvironmentVariableIsSet("MIX_TEST_WARM_OFFICE") ? Warm::On : Warm::Off; }
};
