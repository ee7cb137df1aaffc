// How long the program's event loop is kept from answering while the office kept ready is renewed in idle
// time, and while a kept office that was stopped is dropped. A timer is posted every 10 ms; the figure is the
// worst lateness of a tick in the seconds after a command gave the kept office back. Run on demand; prints
// milliseconds.
//
//   build/bench/bench_eventdelay [ROUNDS]

#include "office/libreofficefactory.h"
#include "office/officelimits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTickMs = 10;
// Long enough for the old kept office to go and the next one to start and connect.
constexpr int kWatchMs = 5000;

// Runs the event loop for kWatchMs with a 10 ms timer and returns the worst lateness of a tick.
double worstDelay() {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = std::max(worst, now - last - kTickMs);
        last = now;
    });
    tick.start();
    QTimer::singleShot(kWatchMs, &tick, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    return double(std::max<qint64>(0, worst));
}

// One round: a command takes the kept office and gives it back worn out, so it is renewed in idle time;
// with `stopped`, the kept office is stopped just before the event loop gets to its renewal.
double round(bool stopped) {
    OfficeLimits limits;
    limits.keptUses = 1;
    LibreOfficeFactory office(LibreOfficeFactory::Display::HeadlessOnly,
                              LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On, limits);
    office.keepReady();
    {
        auto sheet = office.start(false);
        sheet->quit();
        if (stopped && office.keptProcessGroup() > 0)
            ::kill(-office.keptProcessGroup(), SIGSTOP);
    }
    return worstDelay();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    for (const bool stopped : {false, true}) {
        std::vector<double> delays;
        for (int i = 0; i < rounds; ++i)
            delays.push_back(round(stopped));
        std::printf("%-34s worst %6.0f ms  median %6.0f ms  (%d rounds)\n",
                    stopped ? "drop of a stopped kept office:" : "renewal of the kept office:",
                    *std::max_element(delays.begin(), delays.end()), median(delays), rounds);
    }
    return 0;
}
