// One "文件保存为" (Command10) report export with the real LibreOffice, from the click to the file written,
// split into office start, open, write, save and quit. Run on demand; prints the figures in milliseconds.
//
//   build/bench/bench_export [TEMPLATE_DIR] [RUNS]

#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "office/libreofficefactory.h"
#include "report/reportexport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

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

class TimedFactory : public SpreadsheetFactory {
public:
    TimedFactory(SpreadsheetFactory& inner, Phases& phases) : m_inner(inner), m_phases(phases) {}
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
    void injectFault(StartFault fault) override { m_inner.injectFault(fault); }

private:
    SpreadsheetFactory& m_inner;
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString templates =
        args.size() > 1 ? args[1] : QCoreApplication::applicationDirPath() + QStringLiteral("/../templates");
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("mb"));
    if (!QFile::copy(templates + QStringLiteral("/phm.xls"), root.path() + QStringLiteral("/mb/phm.xls"))) {
        std::fprintf(stderr, "no phm.xls in %s\n", qPrintable(templates));
        return 2;
    }
    const QStringList names = Form1::commandControls();

    const QStringList order = {"start", "open", "save as", "write", "save", "quit"};
    std::printf("%-4s %9s %9s %9s %9s %9s %9s %9s\n", "run", "start", "open", "save as", "write", "save",
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
