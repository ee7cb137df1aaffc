#include "ui/terminationsignals.h"

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A termination asked for by the system, the session or the user at the terminal (Ctrl+C).
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The signal handler may only write to a descriptor: the event loop reads the other end.
int g_signalPipe[2] = {-1, -1};

void onSignal(int signal) {
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &number, 1);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> handler) : m_onSignal(std::move(handler)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, [this] { deliver(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals)
        sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (const int number : kSignals)
        signal(number, SIG_DFL);
    delete m_notifier;
    for (int& end : g_signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void TerminationSignals::deliver() {
    unsigned char number = 0;
    if (::read(g_signalPipe[0], &number, 1) == 1 && m_onSignal)
        m_onSignal(number);
}
