// Start-up and calculation benchmark: time from process start to the main window shown (offscreen), and the
// time of one fully automatic calculation in the real window. Prints the figures; not a test.
//
//   build/bench/bench_startup [runs]

#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "report/recordingspreadsheet.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>

namespace {

// The program over a fresh installation folder, answering and recording instead of showing.
struct Program {
    QTemporaryDir root;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    RecordingSpreadsheetFactory spreadsheets{[](const QString&) {}};
    WindowManager windows{AppContext{prompter, launcher, spreadsheets, InstallPaths(root.path())}};
};

// The child: start, show the main window, report once it is on screen.
int showAndReport() {
    int argc = 1;
    char name[] = "bench_startup";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    Program program;
    MainWindow* main = program.windows.showMain();
    if (!QTest::qWaitForWindowExposed(main))
        return 1;
    std::puts("shown");
    std::fflush(stdout);
    return 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return showAndReport();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    std::vector<double> startup;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child")});
        child.waitForReadyRead(30000);
        startup.push_back(timer.nsecsElapsed() / 1e6);
        child.waitForFinished(30000);
    }
    std::printf("start to main window shown: median %.1f ms, min %.1f ms over %d runs\n", median(startup),
                *std::min_element(startup.begin(), startup.end()), runs);

    QApplication app(argc, argv);
    Program program;
    MainWindow* main = program.windows.showMain();
    auto* command1 = main->findChild<QAbstractButton*>(Form1::automaticButton);
    const int calculations = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calculations; ++i) {
        program.prompter.queueAnswer(MessageButton::Yes);
        command1->click();
    }
    const double perRun = timer.nsecsElapsed() / 1e3 / calculations;
    std::printf("one Command1 run (confirm, 14 fields written): %.1f us (mean of %d)\n", perRun,
                calculations);
    return 0;
}
