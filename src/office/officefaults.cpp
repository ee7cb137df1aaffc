#include "office/officefaults.h"

#include <csignal>
#include <utility>

OfficeFaults::OfficeFaults(LibreOfficeFactory& factory) : m_factory(factory) { m_factory.watchTakes(this); }

OfficeFaults::~OfficeFaults() { m_factory.watchTakes(nullptr); }

void OfficeFaults::injectFault(StartFault fault) { m_next = fault; }

void OfficeFaults::commandBegins() { m_command = std::exchange(m_next, StartFault::None); }

void OfficeFaults::taken(int processGroup) {
    if (m_command == StartFault::Kill)
        ::kill(-processGroup, SIGKILL);
    else if (m_command == StartFault::Stop)
        ::kill(-processGroup, SIGSTOP);
}
