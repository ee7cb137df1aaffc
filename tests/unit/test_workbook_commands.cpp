#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "report/adjustworkbook.h"
#include "report/recordingspreadsheet.h"
#include "report/reportexport.h"
#include "report/spreadsheetsession.h"
#include "support/form1fields.h"
#include "support/stubfactory.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

// The adjustment window's workbook commands against the spreadsheet recorder and a workbook served from
// memory.
namespace {

QStringList windowControls() {
    return MixAdjustment::controlNames() + QStringList{Tiaozheng::chosenPath, Tiaozheng::chosenStem};
}

// A field text of its own for every field of the map, a few of them not numbers.
void fillDistinct(MapFields& fields) {
    int i = 0;
    for (const AdjustCell& cell : adjustCells())
        fields.setText(cell.field, QString::number(100 + i++) + QStringLiteral(".5"));
    fields.setText(Tiaozheng::pasteChange, QStringLiteral("增加"));
    fields.setText(Tiaozheng::measuredDensity, QString());
}

// A workbook read from memory: cells by (row, column); a read of `failAt` fails.
class MemoryWorkbookFactory : public StubFactory {
public:
    QMap<QPair<int, int>, CellValue> cells;
    QPair<int, int> failAt{0, 0};
    // The operation ("saveas", "write", ...) that fails, the n-th time it is called (from 1).
    QString failOn;
    int failOnCall = 1;
    QStringList calls;
    QString pdfPath;
    int started = 0;
    int ended = 0;

    std::unique_ptr<Spreadsheet> start(bool visible) override {
        ++started;
        calls << QStringLiteral("start %1").arg(visible);
        return std::make_unique<Sheet>(*this);
    }

private:
    class Sheet : public Spreadsheet {
    public:
        explicit Sheet(MemoryWorkbookFactory& factory) : m_f(factory) {}
        ~Sheet() override { ++m_f.ended; }
        void open(const QString& path, OpenMode mode) override {
            record(QStringLiteral("open %1 %2").arg(path).arg(mode == OpenMode::ReadOnly));
        }
        void activate() override {}
        void saveAs(const QString&) override { record(QStringLiteral("saveas")); }
        QString fullName() const override { return {}; }
        void setAuthor(const QString&) override { record(QStringLiteral("author")); }
        void setFontName(const QString&) override { record(QStringLiteral("font")); }
        void setFontSize(double) override { record(QStringLiteral("font size")); }
        void renameSheet(const QString&) override { record(QStringLiteral("rename")); }
        void writeText(int, int, const QString&) override { record(QStringLiteral("write")); }
        void writeNumber(int, int, double) override { record(QStringLiteral("write")); }
        CellValue read(int row, int column) override {
            if (qMakePair(row, column) == m_f.failAt)
                throw SpreadsheetError("unreadable cell");
            return m_f.cells.value(qMakePair(row, column));
        }
        void save() override { record(QStringLiteral("save")); }
        void quit() override { record(QStringLiteral("quit")); }
        void handOver() override { record(QStringLiteral("handover")); }
        void placePicture(int, int, const QByteArray&, double, double) override {
            record(QStringLiteral("picture"));
        }
        void exportPdf(const QString& path) override {
            m_f.pdfPath = path;
            record(QStringLiteral("pdf"));
        }

    private:
        void record(const QString& call) {
            m_f.calls << call;
            if (call == m_f.failOn && --m_f.failOnCall == 0)
                throw SpreadsheetError("refused: " + call);
        }
        MemoryWorkbookFactory& m_f;
    };
};

// Records the file dialog's request before answering from the queue.
class FileRequestPrompter : public ScriptedPrompter {
public:
    QList<FileDialogRequest> requests;
    std::optional<QString> openFile(const FileDialogRequest& request) override {
        requests << request;
        return ScriptedPrompter::openFile(request);
    }
};

void checkFailureBox(const MessageBoxRequest& box, const QString& text) {
    QCOMPARE(box.text, text);
    QCOMPARE(box.title, QStringLiteral("重要提示"));
    QCOMPARE(box.icon, MessageIcon::Stop);
    QCOMPARE(box.buttons, MessageButtons::OkCancel);
    QCOMPARE(box.helpFile, QStringLiteral("DEMO.HLP"));
    QCOMPARE(box.helpContext, 1000);
}

} // namespace

class WorkbookCommandsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_source; // an existing file to import from

    InstallPaths paths() const { return InstallPaths(m_root.path()); }

private slots:
    void initTestCase() {
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("mb")));
        for (const char* name : {"phtzm.xls", "phtzsm.xls"}) {
            QFile file(m_root.filePath(QStringLiteral("mb/") + QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        m_source = m_root.filePath(QStringLiteral("source.xls"));
        QFile source(m_source);
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("a workbook");
    }

    // Both exports: the whole conversation with the spreadsheet, every cell in the table's order as the
    // field's text; the site mix only with "施工配比".
    void exportConversation_data() {
        QTest::addColumn<bool>("construction");
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<int>("cellCount");
        QTest::newRow("施工配比") << true << "phtzm.xls" << 60 + 3;
        QTest::newRow("试验配比") << false << "phtzsm.xls" << 50 + 3;
    }
    void exportConversation() {
        QFETCH(bool, construction);
        QFETCH(QString, templateName);
        QFETCH(int, cellCount);
        QStringList lines;
        RecordingSpreadsheetFactory factory([&](const QString& line) { lines << line; });
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        MapFields fields(windowControls());
        fillDistinct(fields);
        fields.setText(Tiaozheng::fileName, QStringLiteral("C30---TZ(2026-12-7)"));
        fields.setText(Tiaozheng::ratioA, QStringLiteral("0.59"));
        fields.setText(Tiaozheng::ratioB, QStringLiteral("0.54"));
        fields.setText(Tiaozheng::ratioC, QStringLiteral("0.49"));
        fields.setText(Tiaozheng::targetStrength, QStringLiteral("38.2"));
        AdjustWorkbook workbook(fields, prompter, factory, paths(), {}, [] { return QDate(2026, 12, 8); });
        construction ? workbook.exportConstruction() : workbook.exportLaboratory();

        QCOMPARE(prompter.messages().size(), 1);
        const MessageBoxRequest& question = prompter.messages()[0];
        QCOMPARE(question.text, QStringLiteral("您确定要把数据导出到EXCEL文件吗？"));
        QCOMPARE(question.icon, MessageIcon::Question);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QVERIFY(question.title.isEmpty());

        const QString saved = m_root.path() + QStringLiteral("/C30---TZ(2026-12-7).xls");
        QStringList expected = {
            "XLS start visible=1",
            "XLS open \"" + m_root.path() + "/mb/" + templateName + "\" template",
            "XLS author \"" + saved + "\"",
            "XLS font name=\"system\"",
            "XLS sheet name=\"配合比调整\"",
        };
        for (const AdjustCell& cell : adjustCells())
            if (construction || !cell.constructionOnly)
                expected << QStringLiteral("XLS cell %1 %2 text \"%3\"")
                                .arg(cell.row)
                                .arg(cell.column)
                                .arg(fields.text(cell.field));
        // Then the record beyond the map: the export's date, the groups' steps, the target strength.
        expected << QStringLiteral("XLS cell 4 6 text \"2026-12-8\"")
                 << QStringLiteral("XLS cell 19 5 text \"A、C 组 = B 组 ±0.05\"")
                 << QStringLiteral("XLS cell 22 5 text \"配制强度 38.2 MPa\"");
        expected << "XLS saveas \"" + saved + "\"" << QStringLiteral("XLS handover");
        QCOMPARE(lines, expected);
        QCOMPARE(expected.size(), 6 + cellCount + 1);
        // Left with the user, never saved again by the command.
        QCOMPARE(factory.running(), 1);
    }

    void exportAnsweredNo() {
        QStringList lines;
        RecordingSpreadsheetFactory factory([&](const QString& line) { lines << line; });
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::No);
        MapFields fields(windowControls());
        AdjustWorkbook(fields, prompter, factory, paths()).exportConstruction();
        QVERIFY(lines.isEmpty());
        QCOMPARE(prompter.messages().size(), 1);
    }

    // A name that would leave the installation folder is refused before anything starts.
    void exportRefusesUnsafeName_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "../escape";
        QTest::newRow("sub folder") << "sub/name";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("hidden, like a scratch file") << ".mixdesign-99999-abcdef";
    }
    void exportRefusesUnsafeName() {
        QFETCH(QString, name);
        QStringList lines;
        RecordingSpreadsheetFactory factory([&](const QString& line) { lines << line; });
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::fileName, name);
        AdjustWorkbook(fields, prompter, factory, paths()).exportLaboratory();
        QVERIFY(lines.isEmpty());
        QCOMPARE(prompter.messages().size(), 2);
        checkFailureBox(prompter.messages()[1], AdjustWorkbook::exportFailure());
    }

    // Without its template the export names the template and ends the instance it started.
    void exportWithoutTemplate() {
        QTemporaryDir empty;
        QStringList lines;
        RecordingSpreadsheetFactory factory([&](const QString& line) { lines << line; });
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::fileName, QStringLiteral("x"));
        AdjustWorkbook(fields, prompter, factory, InstallPaths(empty.path())).exportConstruction();
        QCOMPARE(prompter.messages().size(), 2);
        QCOMPARE(prompter.messages()[1].text,
                 SpreadsheetSession::templateMessage(QStringLiteral("phtzm.xls")));
        QCOMPARE(prompter.messages()[1].icon, MessageIcon::Stop);
        QCOMPARE(factory.running(), 0);
        QVERIFY(lines.last() == QStringLiteral("XLS quit"));
        QVERIFY(!lines.join(u'\n').contains(QStringLiteral("saveas")));
    }

    // Any failure ends the instance before the message, at whatever step; nothing is saved after it.
    void exportFailureKeepsOrEnds_data() {
        QTest::addColumn<QString>("failOn");
        QTest::addColumn<int>("call");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("writes");
        QTest::newRow("save as") << "saveas" << 1 << "quit" << 60 + 3;
        QTest::newRow("author") << "author" << 1 << "quit" << 0;
        QTest::newRow("rename") << "rename" << 1 << "quit" << 0;
        QTest::newRow("tenth cell") << "write" << 10 << "quit" << 9;
    }
    void exportFailureKeepsOrEnds() {
        QFETCH(QString, failOn);
        QFETCH(int, call);
        QFETCH(QString, ending);
        QFETCH(int, writes);
        MemoryWorkbookFactory factory;
        factory.failOn = failOn;
        factory.failOnCall = call;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::fileName, QStringLiteral("x"));
        AdjustWorkbook(fields, prompter, factory, paths()).exportConstruction();
        QCOMPARE(prompter.messages().size(), 2);
        checkFailureBox(prompter.messages()[1], AdjustWorkbook::exportFailure());
        QCOMPARE(factory.calls.last(), ending);
        QCOMPARE(int(factory.calls.count(QStringLiteral("write"))), writes + (failOn == "write" ? 1 : 0));
        QVERIFY(!factory.calls.contains(QStringLiteral("save")));
        QVERIFY(!factory.calls.contains(QStringLiteral("handover")));
    }

    // An empty file is no workbook: the import message before any office starts or any field changes.
    void importOfEmptyFile() {
        QTemporaryDir dir;
        const QString empty = dir.filePath(QStringLiteral("empty.xls"));
        QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
        MemoryWorkbookFactory factory;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        fillDistinct(fields);
        fields.setText(Tiaozheng::chosenPath, empty);
        fields.clearWrites();
        AdjustWorkbook(fields, prompter, factory, paths()).importWorkbook();
        QCOMPARE(factory.started, 0);
        QVERIFY(fields.writes().isEmpty());
        checkFailureBox(prompter.messages()[1], AdjustWorkbook::importFailure());
    }

    // The chart picture goes after the last cell and before the save, with its caption, below the signatures
    // of its template, where the record's second page begins no later; without a picture (the fields allow no
    // line) the export is the same less those two lines; the recorder reports the PNG's size.
    void exportChartPicture_data() {
        QTest::addColumn<QByteArray>("png");
        QTest::addColumn<bool>("construction");
        QTest::addColumn<QStringList>("chartLines");
        QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x03\x20\0\0\x02\x30", 24);
        const QString caption = QStringLiteral("text \"附图：28d 抗压强度与灰水比关系\"");
        QTest::newRow("construction chart")
            << png << true
            << QStringList{"XLS cell 55 1 " + caption, "XLS picture 56 1 png 800x560 size 150x105 mm"};
        QTest::newRow("laboratory chart")
            << png << false
            << QStringList{"XLS cell 49 1 " + caption, "XLS picture 50 1 png 800x560 size 150x105 mm"};
        QTest::newRow("no line") << QByteArray() << true << QStringList();
        QTest::newRow("not a png") << QByteArray("GIF89a but long enough to pass") << true
                                   << QStringList{"XLS cell 55 1 " + caption,
                                                  "XLS picture 56 1 png invalid size 150x105 mm"};
    }
    void exportChartPicture() {
        QFETCH(QByteArray, png);
        QFETCH(bool, construction);
        QFETCH(QStringList, chartLines);
        QStringList lines;
        RecordingSpreadsheetFactory factory([&](const QString& line) { lines << line; });
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::fileName, QStringLiteral("x"));
        AdjustWorkbook workbook(fields, prompter, factory, paths(), [&] { return png; });
        construction ? workbook.exportConstruction() : workbook.exportLaboratory();
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(lines.last(), QStringLiteral("XLS handover"));
        QVERIFY(lines[lines.size() - 2].startsWith(QStringLiteral("XLS saveas ")));
        const QStringList beforeSave = lines.mid(lines.size() - 2 - chartLines.size(), chartLines.size());
        QCOMPARE(beforeSave, chartLines);
        QVERIFY(lines[lines.size() - 3 - chartLines.size()].startsWith(QStringLiteral("XLS cell 22 5 ")));
        // The caption and the picture lie below every cell the export writes.
        const AdjustExport kind = construction ? AdjustExport::Construction : AdjustExport::Laboratory;
        for (const AdjustCell& cell : adjustCells())
            if (writtenBy(cell, kind))
                QVERIFY(cell.row < AdjustWorkbook::chartCaptionRow(kind) - 1);
        for (const AdjustRecordCell& cell : adjustRecordCells())
            QVERIFY(cell.row < AdjustWorkbook::chartCaptionRow(kind) - 1);
    }

    // A picture the office refuses is a failed export: its message, the instance ended, nothing saved.
    void exportChartPictureRefused() {
        MemoryWorkbookFactory factory;
        factory.failOn = QStringLiteral("picture");
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::fileName, QStringLiteral("x"));
        AdjustWorkbook(fields, prompter, factory, paths(), [] {
            return QByteArray("png");
        }).exportLaboratory();
        QCOMPARE(prompter.messages().size(), 2);
        checkFailureBox(prompter.messages()[1], AdjustWorkbook::exportFailure());
        QCOMPARE(factory.calls.last(), QStringLiteral("quit"));
        QVERIFY(!factory.calls.contains(QStringLiteral("saveas")));
    }

    // "文件保存为" writes the PDF after the save, beside the workbook's temporary file, and puts both in
    // place after the quit; a refused PDF shows the command's failure prompt, ends the hidden instance and
    // leaves neither file.
    void reportPdf_data() {
        QTest::addColumn<QString>("failOn");
        QTest::addColumn<QStringList>("ending");
        QTest::addColumn<int>("messages");
        QTest::newRow("written") << "" << QStringList{"saveas", "pdf", "quit"} << 0;
        QTest::newRow("refused") << "pdf" << QStringList{"saveas", "pdf", "quit"} << 1;
        QTest::newRow("save refused: no pdf") << "saveas" << QStringList{"write", "saveas", "quit"} << 1;
    }
    void reportPdf() {
        QFETCH(QString, failOn);
        QFETCH(QStringList, ending);
        QFETCH(int, messages);
        for (const char* old : {"A1.xls", "A1.pdf"})
            QFile::remove(paths().root() + QLatin1String(old));
        MemoryWorkbookFactory factory;
        factory.failOn = failOn;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        MapFields fields(form1FieldNames());
        fields.setText(Form1::fileName, QStringLiteral("A1"));
        // A stepwise result column that fills the whole report.
        const QStringList results = {"38.225", "5", "48.025", "0.52", "185", "350", "0.350", "650", "1215"};
        for (int i = 0; i < results.size(); ++i)
            fields.setText(Form1::stepwiseColumn()[i], results[i]);
        ReportExport exporter(fields, prompter, factory, paths());
        exporter.saveStepwiseReport();
        QCOMPARE(factory.calls.mid(factory.calls.size() - 3), ending);
        QCOMPARE(prompter.messages().size(), messages);
        QCOMPARE(factory.pdfPath.isEmpty(), failOn == "saveas");
        if (!factory.pdfPath.isEmpty())
            QVERIFY(factory.pdfPath.startsWith(paths().root() + QStringLiteral(".mixdesign-")));
        QCOMPARE(QFileInfo::exists(paths().root() + QStringLiteral("A1.pdf")), messages == 0);
        QCOMPARE(QFileInfo::exists(paths().root() + QStringLiteral("A1.xls")), messages == 0);
        QCOMPARE(QDir(paths().root()).entryList({QStringLiteral(".mixdesign-*")}, QDir::Files | QDir::Hidden),
                 QStringList());
        if (messages)
            QCOMPARE(prompter.messages()[0].text, QStringLiteral("您输入的参数值对吗？"));
    }

    // "打开数据文件": the dialog's filter and flags; a cancel changes nothing.
    void chooseFile() {
        FileRequestPrompter prompter;
        MemoryWorkbookFactory factory;
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::chosenPath, QStringLiteral("/old.xls"));
        AdjustWorkbook workbook(fields, prompter, factory, paths());
        prompter.queueFile(std::nullopt);
        workbook.chooseFile();
        QCOMPARE(fields.text(Tiaozheng::chosenPath), QStringLiteral("/old.xls"));
        prompter.queueFile(QStringLiteral("/data/新.xls"));
        workbook.chooseFile();
        QCOMPARE(fields.text(Tiaozheng::chosenPath), QStringLiteral("/data/新.xls"));
        QCOMPARE(prompter.requests.size(), 2);
        QCOMPARE(prompter.requests[0].filter, QStringLiteral("excel file(*.xls)|*.xls|"));
        QCOMPARE(prompter.requests[0].flags, 4);
        QCOMPARE(prompter.requests[0].startFolder, paths().root());
        QCOMPARE(factory.started, 0);
    }

    void stemOnLeaving_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stem");
        QTest::newRow("xls") << "/home/u/a.xls"
                             << "/home/u/a";
        QTest::newRow("longer extension") << "/home/u/a.xlsx"
                                          << "/home/u/a.";
        QTest::newRow("four characters") << ".xls"
                                         << "";
        QTest::newRow("shorter") << "ab"
                                 << "";
        QTest::newRow("nothing chosen") << ""
                                        << "";
    }
    void stemOnLeaving() {
        QFETCH(QString, chosen);
        QFETCH(QString, stem);
        ScriptedPrompter prompter;
        MemoryWorkbookFactory factory;
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::chosenPath, chosen);
        AdjustWorkbook(fields, prompter, factory, paths()).takeChosenStem();
        QCOMPARE(fields.text(Tiaozheng::chosenStem), stem);
        QCOMPARE(fields.text(Tiaozheng::chosenPath), chosen);
    }

    // Each click appends once more, nothing examined or removed.
    void dateTag() {
        ScriptedPrompter prompter;
        MemoryWorkbookFactory factory;
        MapFields fields(windowControls());
        MixAdjustment(fields, prompter).load(QDate(2026, 12, 7));
        AdjustWorkbook workbook(fields, prompter, factory, paths());
        workbook.appendDateTag();
        workbook.appendDateTag();
        QCOMPARE(fields.text(Tiaozheng::fileName),
                 QStringLiteral("---TZ(2026-12-7)---TZ(2026-12-7)---TZ(2026-12-7)"));
        fields.setText(Tiaozheng::fileName, QStringLiteral("C30"));
        workbook.appendDateTag();
        QCOMPARE(fields.text(Tiaozheng::fileName), QStringLiteral("C30---TZ(2026-12-7)"));
        QVERIFY(prompter.messages().isEmpty());
    }

    // The chosen file itself, read-only in a hidden instance; nothing stored; every cell into its field in
    // the table's order; the instance ended.
    void importReadsEveryCell() {
        MemoryWorkbookFactory factory;
        int i = 0;
        for (const AdjustCell& cell : adjustCells())
            factory.cells[qMakePair(cell.row, cell.column)] = CellValue::number(1000 + i++ + 0.5432);
        factory.cells[qMakePair(11, 4)] = CellValue::text(QStringLiteral("减少"));
        factory.cells[qMakePair(15, 2)] = CellValue::number(1251);
        factory.cells[qMakePair(19, 2)] = CellValue::number(0.5432);
        factory.cells[qMakePair(12, 7)] = CellValue::number(1, 2);
        factory.cells[qMakePair(36, 7)] = CellValue::number(1.01, 3);
        factory.cells.remove(qMakePair(36, 2));
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        MapFields fields(windowControls());
        fillDistinct(fields);
        fields.setText(Tiaozheng::chosenPath, m_source);
        fields.setText(Tiaozheng::chosenStem, QStringLiteral("/elsewhere/other"));
        fields.clearWrites();
        AdjustWorkbook(fields, prompter, factory, paths()).importWorkbook();

        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text,
                 QStringLiteral("您确定要把选择的EXCEL文件数据导入到本程序吗？"));
        QCOMPARE(factory.calls, (QStringList{"start 0", "open " + m_source + " 1", "quit"}));
        QCOMPARE(factory.ended, 1);
        QStringList order;
        for (const AdjustCell& cell : adjustCells())
            order << cell.field;
        QCOMPARE(fields.writes(), order);
        QCOMPARE(fields.text(Tiaozheng::mixStone), QStringLiteral("1251"));
        QCOMPARE(fields.text(Tiaozheng::ratioA), QStringLiteral("0.54"));
        QCOMPARE(fields.text(Tiaozheng::pasteChange), QStringLiteral("减少"));
        QCOMPARE(fields.text(Tiaozheng::measuredDensity), QString());
        QCOMPARE(fields.text(Tiaozheng::mixCement), QStringLiteral("1000.5432"));
        QCOMPARE(fields.text(Tiaozheng::baseWaterRatio), QStringLiteral("1018.54"));
        QCOMPARE(fields.text(Tiaozheng::siteWaterRatio), QStringLiteral("1059.54"));
        // Shown decimals come back as shown.
        QCOMPARE(fields.text(Tiaozheng::baseCementRatio), QStringLiteral("1.00"));
        QCOMPARE(fields.text(Tiaozheng::densityFactor), QStringLiteral("1.010"));
    }

    // No file chosen, or one no longer there: the message, nothing started, no field changed.
    void importWithoutFile_data() {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("nothing chosen") << "";
        QTest::newRow("file gone") << "/nonexistent/gone.xls";
        QTest::newRow("a folder") << "/tmp";
    }
    void importWithoutFile() {
        QFETCH(QString, chosen);
        MemoryWorkbookFactory factory;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::chosenPath, chosen);
        // The stem of another, existing file does not stand in for the chosen one.
        fields.setText(Tiaozheng::chosenStem, m_source.chopped(4));
        fields.clearWrites();
        AdjustWorkbook(fields, prompter, factory, paths()).importWorkbook();
        QCOMPARE(prompter.messages().size(), 2);
        checkFailureBox(prompter.messages()[1], AdjustWorkbook::importFailure());
        QCOMPARE(factory.started, 0);
        QVERIFY(fields.writes().isEmpty());
    }

    void importAnsweredNo() {
        MemoryWorkbookFactory factory;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::No);
        MapFields fields(windowControls());
        fields.setText(Tiaozheng::chosenPath, m_source);
        fields.clearWrites();
        AdjustWorkbook(fields, prompter, factory, paths()).importWorkbook();
        QCOMPARE(factory.started, 0);
        QVERIFY(fields.writes().isEmpty());
    }

    // A cell that cannot be read stops the import: earlier fields have their new texts, later ones their
    // old; the message shows and the instance is ended.
    void importStopsAtUnreadableCell() {
        MemoryWorkbookFactory factory;
        for (const AdjustCell& cell : adjustCells())
            factory.cells[qMakePair(cell.row, cell.column)] = CellValue::text(QStringLiteral("new"));
        factory.failAt = qMakePair(31, 3); // Text42
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        MapFields fields(windowControls());
        for (const AdjustCell& cell : adjustCells())
            fields.setText(cell.field, QStringLiteral("old"));
        fields.setText(Tiaozheng::chosenPath, m_source);
        AdjustWorkbook(fields, prompter, factory, paths()).importWorkbook();
        QCOMPARE(prompter.messages().size(), 2);
        checkFailureBox(prompter.messages()[1], AdjustWorkbook::importFailure());
        QCOMPARE(factory.calls.last(), QStringLiteral("quit"));
        QCOMPARE(factory.ended, 1);
        bool reached = false;
        for (const AdjustCell& cell : adjustCells()) {
            reached = reached || cell.field == Tiaozheng::sandRatio;
            QCOMPARE(fields.text(cell.field), reached ? QStringLiteral("old") : QStringLiteral("new"));
        }
    }

    // The recorder reads every cell as empty: the import opens read-only, stores nothing and quits.
    void importWithRecorder() {
        QStringList lines;
        RecordingSpreadsheetFactory factory([&](const QString& line) { lines << line; });
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Yes);
        MapFields fields(windowControls());
        fillDistinct(fields);
        fields.setText(Tiaozheng::chosenPath, m_source);
        AdjustWorkbook(fields, prompter, factory, paths()).importWorkbook();
        QCOMPARE(lines.first(), QStringLiteral("XLS start visible=0"));
        QCOMPARE(lines[1], QStringLiteral("XLS open \"%1\" readonly").arg(m_source));
        QCOMPARE(lines.last(), QStringLiteral("XLS quit"));
        const QString all = lines.join(u'\n');
        for (const char* never : {"save", "author", "font", "sheet name", "cell "})
            QVERIFY2(!all.contains(QLatin1String(never)), never);
        QCOMPARE(factory.running(), 0);
        for (const AdjustCell& cell : adjustCells())
            QCOMPARE(fields.text(cell.field), QString());
    }
};

QTEST_GUILESS_MAIN(WorkbookCommandsTest)
#include "test_workbook_commands.moc"
