// One "文件保存为" (Command10) report export with the real LibreOffice, from the click to the file written,
// split into office start, open, write, save and quit. Run on demand; prints the figures in milliseconds.
//
//   build/bench/bench_export [TEMPLATE_DIR] [RUNS]
//   build/bench/bench_export --warm [TEMPLATE_DIR]
//   build/bench/bench_export --endurance N [--no-renewal] [TEMPLATE_DIR]
//
// The warm mode measures, in one run: one bare office start and connect; ten exports in a row with an office
// kept ready, clicked at once after the program shows and clicked when the office is ready; and ten exports
// through the script runner with --warm-office, from the first click to the tenth file written.
//
// The endurance mode makes N exports in a row with an office kept ready, as a day of work does, and prints
// the memory the kept office holds every ten exports, when it was replaced, and what is left in the
// installation folder and the temporary folder besides the reports. --no-renewal keeps the one office
// throughout, to see how it grows. Exit status 0 when every export worked, the kept office stayed under
// 300 MB and nothing was left.

#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "office/libreofficefactory.h"
#include "report/reportexport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <limits>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

// Phase -> milliseconds of one export.
using Phases = std::map<QString, double>;

// Times every call of a spreadsheet by the phase it belongs to.
class TimedSpreadsheet : public Spreadsheet {
public:
    TimedSpreadsheet(std::unique_ptr<Spreadsheet> inner, Phases& phases)
        : m_inner(std::move(inner)), m_phases(phases) {}

    void open(const QString& path, OpenMode mode) override {
        timed("open", [&] { m_inner->open(path, mode); });
    }
    void activate() override {
        timed("open", [&] { m_inner->activate(); });
    }
    void saveAs(const QString& path) override {
        timed("save as", [&] { m_inner->saveAs(path); });
    }
    QString fullName() const override { return m_inner->fullName(); }
    void setAuthor(const QString& author) override {
        timed("write", [&] { m_inner->setAuthor(author); });
    }
    void setFontName(const QString& name) override {
        timed("write", [&] { m_inner->setFontName(name); });
    }
    void setFontSize(double points) override {
        timed("write", [&] { m_inner->setFontSize(points); });
    }
    void renameSheet(const QString& name) override {
        timed("write", [&] { m_inner->renameSheet(name); });
    }
    void writeText(int row, int column, const QString& text) override {
        timed("write", [&] { m_inner->writeText(row, column, text); });
    }
    void writeNumber(int row, int column, double value) override {
        timed("write", [&] { m_inner->writeNumber(row, column, value); });
    }
    CellValue read(int row, int column) override { return m_inner->read(row, column); }
    void save() override {
        timed("save", [&] { m_inner->save(); });
    }
    void quit() override {
        timed("quit", [&] { m_inner->quit(); });
    }
    void handOver() override { m_inner->handOver(); }
    void placePicture(int row, int column, const QByteArray& png, double widthMm, double heightMm) override {
        timed("write", [&] { m_inner->placePicture(row, column, png, widthMm, heightMm); });
    }
    void exportPdf(const QString& path) override {
        timed("pdf", [&] { m_inner->exportPdf(path); });
    }

private:
    template <typename Call> void timed(const char* phase, Call call) {
        QElapsedTimer timer;
        timer.start();
        call();
        m_phases[QString::fromLatin1(phase)] += timer.nsecsElapsed() / 1e6;
    }

    std::unique_ptr<Spreadsheet> m_inner;
    Phases& m_phases;
};

class TimedFactory : public SpreadsheetLifecycle {
public:
    TimedFactory(SpreadsheetLifecycle& inner, Phases& phases) : m_inner(inner), m_phases(phases) {}
    std::unique_ptr<Spreadsheet> start(bool visible) override {
        QElapsedTimer timer;
        timer.start();
        auto sheet = m_inner.start(visible);
        m_phases[QStringLiteral("start")] += timer.nsecsElapsed() / 1e6;
        return std::make_unique<TimedSpreadsheet>(std::move(sheet), m_phases);
    }
    void saveHandedOver() override { m_inner.saveHandedOver(); }
    void endAll() override { m_inner.endAll(); }
    void endHidden() override { m_inner.endHidden(); }
    void closeHandedOver() override { m_inner.closeHandedOver(); }
    int running() override { return m_inner.running(); }
    bool inUse(const QString& path) override { return m_inner.inUse(path); }
    void keepReady() override { m_inner.keepReady(); }

private:
    SpreadsheetLifecycle& m_inner;
    Phases& m_phases;
};

void fill(MapFields& fields) {
    const QStringList results = {"38.225", "5", "48.025", "0.53", "185", "349", "0.33", "618", "1248"};
    for (int i = 0; i < results.size(); ++i)
        fields.setText(Form1::automaticColumn()[i], results[i]);
    fields.setText(Form1::gradeStrength, QStringLiteral("30"));
    fields.setText(Form1::stoneSize, QStringLiteral("31.5"));
    fields.setText(Form1::slump, QStringLiteral("35-50"));
    fields.setText(Form1::coefficientA, QStringLiteral("0.46"));
    fields.setText(Form1::coefficientB, QStringLiteral("0.07"));
    fields.setText(Form1::density, QStringLiteral("2400"));
    fields.setText(Form1::ratioCheck, QStringLiteral("水灰比符合规定！"));
    fields.setText(Form1::cementCheck, QStringLiteral("水泥用量符合规定！"));
    fields.setText(Form1::fileName, QStringLiteral("A1"));
}

constexpr int kWarmExports = 10;

// A folder with the report template, as the program's installation folder.
bool prepareRoot(const QString& root, const QString& templates) {
    QDir(root).mkpath(QStringLiteral("mb"));
    if (QFile::copy(templates + QStringLiteral("/phm.xls"), root + QStringLiteral("/mb/phm.xls")))
        return true;
    std::fprintf(stderr, "no phm.xls in %s\n", qPrintable(templates));
    return false;
}

double milliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

// One office started and connected, the figure the warm start is measured against.
double bareStart() {
    LibreOfficeFactory office(LibreOfficeFactory::Display::HeadlessOnly);
    QElapsedTimer timer;
    timer.start();
    auto sheet = office.start(false);
    const double elapsed = milliseconds(timer);
    sheet->quit();
    return elapsed;
}

// Lets the event loop run, as the program's does while the user types.
void idleFor(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

// Ten exports in a row with an office kept ready; the first click comes `pause` ms after the program showed.
// Adds the time of each phase to `phases`.
double warmExports(const QString& templates, int pause, Phases& phases) {
    QTemporaryDir root;
    if (!prepareRoot(root.path(), templates))
        return -1;
    LibreOfficeFactory office(LibreOfficeFactory::Display::HeadlessOnly,
                              LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On);
    office.keepReady();
    idleFor(pause);
    MapFields fields(Form1::commandControls());
    fill(fields);
    ScriptedPrompter prompter;
    TimedFactory timed(office, phases);
    ReportExport exporter(fields, prompter, timed, InstallPaths(root.path()));
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= kWarmExports; ++i) {
        fields.setText(Form1::fileName, QStringLiteral("W%1").arg(i));
        exporter.saveAutomaticReport();
        QCoreApplication::processEvents();
    }
    const double elapsed = milliseconds(timer);
    if (!prompter.messages().isEmpty() ||
        !QFile::exists(root.path() + QStringLiteral("/W%1.xls").arg(kWarmExports)))
        return -1;
    return elapsed;
}

// The same through the script runner with --warm-office: from the first click (the question of the
// calculation just before it) to the tenth file written (the same question asked once more after it). The
// person first looks at the window for `pause` ms.
double runnerExports(const QString& templates, int pause) {
    const QString runner = QCoreApplication::applicationDirPath() + QStringLiteral("/../mixdesign-script");
    QTemporaryDir root;
    if (!QFile::exists(runner) || !prepareRoot(root.path(), templates))
        return -1;
    QStringList lines = {QStringLiteral("pause %1").arg(pause), QStringLiteral("answer Yes"),
                         QStringLiteral("click Form1.Command1")};
    for (int i = 1; i <= kWarmExports; ++i)
        lines << QStringLiteral("set Form1.Text28 R%1").arg(i) << QStringLiteral("click Form1.Command10");
    lines << QStringLiteral("answer Yes") << QStringLiteral("click Form1.Command1");
    QFile script(root.filePath(QStringLiteral("ten.scn")));
    if (!script.open(QIODevice::WriteOnly) || script.write(lines.join(u'\n').toUtf8() + '\n') < 0)
        return -1;
    script.close();
    QProcess process;
    process.start(
        runner, {QStringLiteral("--root"), root.path(), QStringLiteral("--warm-office"), script.fileName()});
    QElapsedTimer clock;
    clock.start();
    std::vector<double> questions;
    while (process.state() != QProcess::NotRunning || process.canReadLine()) {
        if (!process.canReadLine() && !process.waitForReadyRead(100))
            continue;
        while (process.canReadLine())
            if (process.readLine().startsWith("MSGBOX"))
                questions.push_back(milliseconds(clock));
    }
    if (process.exitCode() != 0 || questions.size() != 2 ||
        !QFile::exists(root.path() + QStringLiteral("/R%1.xls").arg(kWarmExports)))
        return -1;
    return questions[1] - questions[0];
}

int warmMode(const QString& templates) {
    const double bare = bareStart();
    Phases atOncePhases;
    Phases readyPhases;
    const double atOnce = warmExports(templates, 0, atOncePhases);
    const double ready = warmExports(templates, 3000, readyPhases);
    const double runnerAtOnce = runnerExports(templates, 0);
    const double runner = runnerExports(templates, 3000);
    std::printf("one bare office start and connect:            %8.1f ms\n", bare);
    const auto row = [bare](const char* what, double ms) {
        if (ms < 0)
            std::printf("%-46s   failed\n", what);
        else
            std::printf("%-46s %8.1f ms  %5.2f x the bare start\n", what, ms, ms / bare);
    };
    const auto phases = [](const Phases& all) {
        std::printf("    of which");
        for (const auto& [phase, ms] : all)
            std::printf("  %s %.1f", qPrintable(phase), ms);
        std::printf("\n");
    };
    row("ten exports, clicked at once:", atOnce);
    phases(atOncePhases);
    row("ten exports, clicked when the office is ready:", ready);
    phases(readyPhases);
    row("ten exports through mixdesign-script at once:", runnerAtOnce);
    row("the same after a pause of 3 s:", runner);
    return atOnce < 0 || ready < 0 || runnerAtOnce < 0 || runner < 0 ? 1 : 0;
}

constexpr double kEnduranceLimitMb = 300;

double megabytes(qint64 bytes) { return bytes / (1024.0 * 1024.0); }

// What is in a folder but the names that match `expected`.
QStringList othersIn(const QString& folder, const QRegularExpression& expected) {
    QStringList others;
    for (const QString& name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (!expected.match(name).hasMatch())
            others << name;
    return others;
}

int enduranceMode(int exports, bool renewal, const QString& templates) {
    // The offices' profiles and temporary files go to a folder of this run's own, to be looked at after.
    QTemporaryDir root;
    if (!prepareRoot(root.path(), templates))
        return 2;
    QTemporaryDir temp;
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    OfficeLimits limits;
    if (!renewal) {
        limits.keptUses = std::numeric_limits<int>::max();
        limits.keptResidentBytes = std::numeric_limits<qint64>::max();
    }
    std::printf("%d exports with an office kept ready, replaced %s\n", exports,
                renewal ? qPrintable(QStringLiteral("after %1 commands or above %2 MB")
                                         .arg(limits.keptUses)
                                         .arg(megabytes(limits.keptResidentBytes)))
                        : "never");
    std::printf("%8s %16s %14s %14s\n", "exports", "kept office MB", "ms/export", "slowest ms");
    bool failed = false;
    double largest = 0;
    QList<int> renewedAfter;
    QSet<QString> profiles;
    {
        LibreOfficeFactory office(LibreOfficeFactory::Display::HeadlessOnly,
                                  LibreOfficeFactory::installedSoffice(), LibreOfficeFactory::Keep::On,
                                  limits);
        office.keepReady();
        idleFor(3000);
        MapFields fields(Form1::commandControls());
        fill(fields);
        ScriptedPrompter prompter;
        ReportExport exporter(fields, prompter, office, InstallPaths(root.path()));
        int group = office.keptProcessGroup();
        double batchMs = 0;
        double slowestMs = 0;
        int batched = 0;
        for (int i = 1; i <= exports; ++i) {
            const QString name = QStringLiteral("E%1").arg(i);
            fields.setText(Form1::fileName, name);
            QElapsedTimer one;
            one.start();
            if (!exporter.saveAutomaticReport() || !prompter.messages().isEmpty()) {
                std::fprintf(stderr, "export %d failed\n", i);
                failed = true;
                break;
            }
            const double exportMs = milliseconds(one);
            batchMs += exportMs;
            slowestMs = std::max(slowestMs, exportMs);
            ++batched;
            // The program's event loop between two clicks: where the kept office is replaced.
            idleFor(20);
            for (const QString& profile :
                 QDir(temp.path()).entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs))
                profiles.insert(profile);
            if (office.keptProcessGroup() != group) {
                renewedAfter << i;
                group = office.keptProcessGroup();
            }
            const double kept = megabytes(office.keptResidentBytes());
            largest = std::max(largest, kept);
            if (i % 10 == 0 || i == exports) {
                std::printf("%8d %16.1f %14.1f %14.1f\n", i, kept, batchMs / batched, slowestMs);
                std::fflush(stdout);
                batchMs = slowestMs = 0;
                batched = 0;
            }
        }
        const QStringList beside =
            othersIn(root.path(), QRegularExpression(QStringLiteral("^(mb|E\\d+\\.(xls|pdf))$")));
        const QStringList inTemp =
            othersIn(temp.path(), QRegularExpression(QStringLiteral("^mixdesign-office-")));
        std::printf("replaced after exports: %s\n", renewedAfter.isEmpty() ? "never" : qPrintable([&] {
                        QStringList numbers;
                        for (const int n : renewedAfter)
                            numbers << QString::number(n);
                        return numbers.join(QStringLiteral(", "));
                    }()));
        std::printf("largest kept office: %.1f MB\n", largest);
        std::printf("left beside the reports: %s\n",
                    beside.isEmpty() ? "nothing" : qPrintable(beside.join(u' ')));
        std::printf("left in the temporary folder while the office is kept: %s\n",
                    inTemp.isEmpty() ? "nothing" : qPrintable(inTemp.join(u' ')));
        failed = failed || !beside.isEmpty() || !inTemp.isEmpty();
    }
    // The program has ended: nothing of its offices is left, in the temporary folder or as pipe sockets.
    QStringList left = othersIn(temp.path(), QRegularExpression(QStringLiteral("^$")));
    for (const QString& profile : profiles)
        if (QFileInfo::exists(QStringLiteral("/tmp/OSL_PIPE_%1_").arg(getuid()) + profile))
            left << QStringLiteral("/tmp/OSL_PIPE_%1_").arg(getuid()) + profile;
    std::printf("left after the end: %s\n", left.isEmpty() ? "nothing" : qPrintable(left.join(u' ')));
    return failed || !left.isEmpty() || largest >= kEnduranceLimitMb ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() > 2 && args[1] == QStringLiteral("--endurance")) {
        const int exports = std::max(1, args[2].toInt());
        args = args.mid(3);
        const bool renewal = !args.removeAll(QStringLiteral("--no-renewal"));
        return enduranceMode(exports, renewal,
                             !args.isEmpty()
                                 ? args[0]
                                 : QCoreApplication::applicationDirPath() + QStringLiteral("/../templates"));
    }
    if (args.size() > 1 && args[1] == QStringLiteral("--warm")) {
        args.removeAt(1);
        return warmMode(args.size() > 1
                            ? args[1]
                            : QCoreApplication::applicationDirPath() + QStringLiteral("/../templates"));
    }
    const QString templates =
        args.size() > 1 ? args[1] : QCoreApplication::applicationDirPath() + QStringLiteral("/../templates");
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    QTemporaryDir root;
    if (!prepareRoot(root.path(), templates))
        return 2;
    const QStringList names = Form1::commandControls();

    const QStringList order = {"start", "open", "save as", "write", "pdf", "quit"};
    std::printf("%-4s %9s %9s %9s %9s %9s %9s %9s\n", "run", "start", "open", "save as", "write", "pdf",
                "quit", "total");
    LibreOfficeFactory office(LibreOfficeFactory::Display::HeadlessOnly);
    for (int run = 1; run <= runs; ++run) {
        Phases phases;
        TimedFactory timed(office, phases);
        MapFields fields(names);
        fill(fields);
        ScriptedPrompter prompter;
        ReportExport exporter(fields, prompter, timed, InstallPaths(root.path()));
        QElapsedTimer total;
        total.start();
        exporter.saveAutomaticReport();
        const double all = total.nsecsElapsed() / 1e6;
        if (!prompter.messages().isEmpty() || !QFile::exists(root.path() + QStringLiteral("/A1.xls"))) {
            std::fprintf(stderr, "the export failed\n");
            return 1;
        }
        std::printf("%-4d", run);
        for (const QString& phase : order)
            std::printf(" %9.1f", phases[phase]);
        std::printf(" %9.1f\n", all);
    }
    return 0;
}
