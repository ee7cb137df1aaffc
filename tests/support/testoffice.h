#pragma once

#include "office/libreofficefactory.h"
#include "office/officefaults.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <initializer_list>

// The office factory of the office tests. With MIX_TEST_WARM_OFFICE set (the *_warm runs of every office
// test) it keeps an office ready as the program does, so each test holds with the warm start on and off.
class TestOfficeFactory : public LibreOfficeFactory {
public:
    explicit TestOfficeFactory(Display display = Display::Auto, const OfficeLimits& limits = OfficeLimits())
        : LibreOfficeFactory(display, installedSoffice(), keep(), limits) {}

    // Limits for the tests of an office that stops answering: the call limit that the program holds at 20 s
    // is over in 3 s, so that the test does not wait out the program's patience.
    static OfficeLimits impatient() {
        OfficeLimits limits;
        limits.callMs = 3000;
        return limits;
    }
    ~TestOfficeFactory() override { everyProfile().append(startedProfiles()); }

    // The fault the offices of the next command suffer.
    void injectFault(StartFault fault) { m_faults.injectFault(fault); }

    static Keep keep() { return qEnvironmentVariableIsSet("MIX_TEST_WARM_OFFICE") ? Keep::On : Keep::Off; }

    // The profile folders of every office started by the test's factories that are gone, so that a test can
    // check what those offices left behind, and nothing of anyone else's.
    static QStringList& everyProfile() {
        static QStringList profiles;
        return profiles;
    }

private:
    OfficeFaults m_faults{*this};
};

// Copies the built templates into root/mb/, as an installation holds them; false where one is missing.
inline bool installTemplates(const QString& root, std::initializer_list<const char*> names) {
    const QString templates = qEnvironmentVariable("MIX_TEST_TEMPLATES");
    if (!QDir(root).mkpath(QStringLiteral("mb")))
        return false;
    for (const char* name : names)
        if (!QFile::copy(templates + u'/' + QLatin1String(name),
                         root + QStringLiteral("/mb/") + QLatin1String(name)))
            return false;
    return true;
}
