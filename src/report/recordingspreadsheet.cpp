#include "report/recordingspreadsheet.h"

#include "common/transcript.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

struct RecordingSpreadsheetFactory::Instance {
    bool running = true;
    bool handedOver = false;
    StartFault fault = StartFault::None;
    QString path;
};

namespace {

QString quoted(const QString& text) { return u'"' + escapeText(text) + u'"'; }

// "800x560" from a PNG's header, "invalid" for anything else.
QString pngSize(const QByteArray& png) {
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (png.size() < 24 || !png.startsWith(signature) || png.mid(12, 4) != "IHDR")
        return QStringLiteral("invalid");
    const auto big = [&png](int at) {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | quint8(png[at + i]);
        return v;
    };
    return QStringLiteral("%1x%2").arg(big(16)).arg(big(20));
}

class RecordingSpreadsheet : public Spreadsheet {
public:
    using Instance = RecordingSpreadsheetFactory::Instance;

    RecordingSpreadsheet(RecordingSpreadsheetFactory::Sink sink, std::shared_ptr<Instance> instance)
        : m_sink(std::move(sink)), m_instance(std::move(instance)) {}

    ~RecordingSpreadsheet() override {
        if (m_instance->running && !m_instance->handedOver) {
            m_instance->running = false;
            line(QStringLiteral("end"));
        }
    }

    void open(const QString& path, OpenMode mode) override {
        alive();
        if (m_open)
            throw SpreadsheetError("a workbook is open already");
        QString text = QStringLiteral("open ") + quoted(path);
        if (mode == OpenMode::ReadOnly)
            text += QStringLiteral(" readonly");
        else if (mode == OpenMode::Template)
            text += QStringLiteral(" template");
        if (!QFileInfo(path).isFile()) {
            line(text + QStringLiteral(" -> failed"));
            throw SpreadsheetError(QStringLiteral("no such file: ") + path);
        }
        line(text);
        m_instance->path = path;
        m_open = true;
        m_readOnly = mode == OpenMode::ReadOnly;
    }
    void activate() override { workbook(); }
    void saveAs(const QString& path) override {
        workbook();
        line(QStringLiteral("saveas ") + quoted(path));
        m_instance->path = path;
    }
    QString fullName() const override { return m_instance->path; }
    void setAuthor(const QString& author) override {
        writable();
        line(QStringLiteral("author ") + quoted(author));
    }
    void setFontName(const QString& name) override {
        writable();
        line(QStringLiteral("font name=") + quoted(name));
    }
    void setFontSize(double points) override {
        writable();
        line(QStringLiteral("font size=") + exactNumberText(points));
    }
    void renameSheet(const QString& name) override {
        writable();
        line(QStringLiteral("sheet name=") + quoted(name));
    }
    void writeText(int row, int column, const QString& text) override {
        cell(row, column);
        writable();
        line(QStringLiteral("cell %1 %2 text ").arg(row).arg(column) + quoted(text));
    }
    void writeNumber(int row, int column, double value) override {
        cell(row, column);
        writable();
        line(QStringLiteral("cell %1 %2 number ").arg(row).arg(column) + exactNumberText(value));
    }
    CellValue read(int row, int column) override {
        cell(row, column);
        line(QStringLiteral("read %1 %2 -> empty").arg(row).arg(column));
        return {};
    }
    void save() override {
        writable();
        line(QStringLiteral("save"));
    }
    void quit() override {
        if (!m_instance->running)
            throw SpreadsheetError("the spreadsheet instance has ended");
        m_instance->running = false;
        line(QStringLiteral("quit"));
    }
    void handOver() override {
        alive();
        m_instance->handedOver = true;
        line(QStringLiteral("handover"));
    }
    void placePicture(int row, int column, const QByteArray& png, double widthMm, double heightMm) override {
        cell(row, column);
        writable();
        line(QStringLiteral("picture %1 %2 png %3 size %4x%5 mm")
                 .arg(row)
                 .arg(column)
                 .arg(pngSize(png), exactNumberText(widthMm), exactNumberText(heightMm)));
    }
    void exportPdf(const QString& path) override {
        workbook();
        line(QStringLiteral("pdf ") + quoted(path));
    }

private:
    void line(const QString& text) {
        if (m_sink)
            m_sink(QStringLiteral("XLS ") + text);
    }
    void alive() const {
        // A stopped office does not answer in time; a killed one is gone.
        if (m_instance->fault == StartFault::Stop)
            throw SpreadsheetTimeout("the spreadsheet application stopped answering");
        if (m_instance->fault == StartFault::Kill)
            throw SpreadsheetLost("the spreadsheet application has gone");
        if (!m_instance->running || m_instance->handedOver)
            throw SpreadsheetError("the spreadsheet instance is no longer the command's");
    }
    void workbook() const {
        alive();
        if (!m_open)
            throw SpreadsheetError("no workbook is open");
    }
    void writable() const {
        workbook();
        if (m_readOnly)
            throw SpreadsheetError("the workbook is open read-only");
    }
    void cell(int row, int column) const {
        workbook();
        if (row < 1 || column < 1)
            throw SpreadsheetError("row and column count from 1");
    }

    RecordingSpreadsheetFactory::Sink m_sink;
    std::shared_ptr<Instance> m_instance;
    bool m_open = false;
    bool m_readOnly = false;
};

} // namespace

RecordingSpreadsheetFactory::RecordingSpreadsheetFactory(Sink sink) : m_sink(std::move(sink)) {}

RecordingSpreadsheetFactory::~RecordingSpreadsheetFactory() = default;

std::unique_ptr<Spreadsheet> RecordingSpreadsheetFactory::start(bool visible) {
    if (m_sink)
        m_sink(QStringLiteral("XLS start visible=%1").arg(visible ? 1 : 0));
    auto instance = std::make_shared<Instance>();
    instance->fault = std::exchange(m_fault, StartFault::None);
    m_instances.push_back(instance);
    return std::make_unique<RecordingSpreadsheet>(m_sink, instance);
}

void RecordingSpreadsheetFactory::saveHandedOver() {
    for (const auto& instance : m_instances)
        if (instance->running && instance->handedOver && m_sink)
            m_sink(QStringLiteral("XLS user-save"));
}

void RecordingSpreadsheetFactory::endAll() {
    for (const auto& instance : m_instances) {
        if (!instance->running)
            continue;
        instance->running = false;
        if (m_sink)
            m_sink(QStringLiteral("XLS end"));
    }
    m_instances.clear();
}

void RecordingSpreadsheetFactory::endHidden() {
    for (const auto& instance : m_instances) {
        if (!instance->running || instance->handedOver)
            continue;
        instance->running = false;
        if (m_sink)
            m_sink(QStringLiteral("XLS end"));
    }
}

void RecordingSpreadsheetFactory::closeHandedOver() {
    for (const auto& instance : m_instances) {
        if (!instance->running || !instance->handedOver)
            continue;
        instance->running = false;
        if (m_sink)
            m_sink(QStringLiteral("XLS user-close"));
    }
}

bool RecordingSpreadsheetFactory::inUse(const QString& path) {
    return std::find(m_inUse.begin(), m_inUse.end(), path) != m_inUse.end();
}

void RecordingSpreadsheetFactory::injectFault(StartFault fault) { m_fault = fault; }

void RecordingSpreadsheetFactory::setInUse(const QString& path) { m_inUse.push_back(path); }

int RecordingSpreadsheetFactory::running() {
    return int(std::count_if(m_instances.begin(), m_instances.end(),
                             [](const std::shared_ptr<Instance>& instance) { return instance->running; }));
}
