#include "common/failure.h"
#include "common/scriptedprompter.h"
#include "report/spreadsheet.h"
#include "report/spreadsheetsession.h"
#include "support/stubfactory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// The session's handling of an office that fails a command: the one kept ready is replaced by a fresh one
// once, where that can change nothing the user sees but the time; anything else ends with a message.
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Instances whose every operation is logged and writes what a saved file would hold; the first instance of a
// command may be the kept one, and may fail at a named operation in a named way.
class FailingFactory : public StubFactory {
public:
    bool firstKept = true;
    QString failAt;  // "open", "write", "saveas", "pdf", "read", "handover"
    QString failure; // "lost", "timeout", "error", "refused", "inputs"
    bool freshFails = false;
    QStringList log;

    std::unique_ptr<Spreadsheet> start(bool) override {
        log << (firstKept ? "take kept" : "start");
        return std::make_unique<Sheet>(*this, firstKept, true);
    }
    std::unique_ptr<Spreadsheet> startFresh(bool) override {
        log << "start fresh";
        return std::make_unique<Sheet>(*this, false, freshFails);
    }

private:
    class Sheet : public Spreadsheet {
    public:
        Sheet(FailingFactory& factory, bool kept, bool failing)
            : m_f(factory), m_kept(kept), m_failing(failing) {}
        void open(const QString&, OpenMode) override { step("open"); }
        void activate() override {}
        void saveAs(const QString& path) override {
            step("saveas");
            write(path, "workbook");
        }
        QString fullName() const override { return {}; }
        void setAuthor(const QString&) override {}
        void setFontName(const QString&) override {}
        void setFontSize(double) override {}
        void renameSheet(const QString&) override {}
        void writeText(int, int, const QString&) override { step("write"); }
        void writeNumber(int, int, double) override { step("write"); }
        CellValue read(int, int) override {
            step("read");
            return CellValue::text(QStringLiteral("read"));
        }
        void save() override {}
        void quit() override { m_f.log << "quit"; }
        void handOver() override { step("handover"); }
        void placePicture(int, int, const QByteArray&, double, double) override {}
        void exportPdf(const QString& path) override {
            step("pdf");
            write(path, "pdf");
        }
        bool keptReady() const override { return m_kept; }

    private:
        void step(const QString& operation) {
            m_f.log << operation;
            if (!m_failing || operation != m_f.failAt)
                return;
            const std::string what = "failed at " + operation.toStdString();
            if (m_f.failure == QStringLiteral("lost"))
                throw SpreadsheetLost(what);
            if (m_f.failure == QStringLiteral("timeout"))
                throw SpreadsheetTimeout(what);
            if (m_f.failure == QStringLiteral("refused"))
                throw WorkbookRefused(what);
            if (m_f.failure == QStringLiteral("inputs"))
                throw CalcFailure(what.c_str());
            throw SpreadsheetError(what);
        }
        static void write(const QString& path, const QByteArray& content) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(content);
        }
        FailingFactory& m_f;
        bool m_kept;
        bool m_failing;
    };
};

} // namespace

class SpreadsheetSessionTest : public QObject {
    Q_OBJECT

private:
    // One export of root/A1.xls (and its PDF) or of a hand-over workbook; the message texts.
    static QStringList exportOnce(FailingFactory& factory, const QString& root, bool handOver) {
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        SpreadsheetSession session(factory, prompter, InstallPaths(root), [&prompter] {
            MessageBoxRequest box;
            box.text = QStringLiteral("inputs");
            box.buttons = MessageButtons::Ok;
            prompter.message(box);
        });
        SpreadsheetSession::Export request;
        request.templateName = QStringLiteral("t.xls");
        request.name = QStringLiteral("A1");
        request.ending =
            handOver ? SpreadsheetSession::Ending::HandOver : SpreadsheetSession::Ending::SaveAndQuit;
        request.pdf = !handOver;
        request.fill = [](Spreadsheet& sheet) { sheet.writeText(1, 1, QStringLiteral("x")); };
        session.exportWorkbook(request);
        QStringList texts;
        for (const MessageBoxRequest& box : prompter.messages())
            texts << box.text;
        return texts;
    }

private slots:
    void failingOffice_data() {
        QTest::addColumn<bool>("kept");
        QTest::addColumn<bool>("handOver");
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("freshFails");
        QTest::addColumn<bool>("retried");
        QTest::addColumn<QString>("message"); // empty: the export succeeded
        const QString inputs = QStringLiteral("inputs");
        const QString timeout = SpreadsheetSession::timeoutMessage();
        QTest::newRow("kept office gone at the template") << true << false << "open"
                                                          << "lost" << false << true << "";
        QTest::newRow("kept office cannot open the template") << true << false << "open"
                                                              << "error" << false << true << "";
        QTest::newRow("kept office silent while writing") << true << false << "write"
                                                          << "timeout" << false << true << "";
        QTest::newRow("kept office gone at the PDF") << true << false << "pdf"
                                                     << "lost" << false << true << "";
        QTest::newRow("kept office gone, the fresh one too") << true << false << "saveas"
                                                             << "timeout" << true << true << timeout;
        const QString templ = SpreadsheetSession::templateMessage(QStringLiteral("t.xls"));
        QTest::newRow("template of another form") << true << false << "open"
                                                  << "refused" << false << false << templ;
        QTest::newRow("no office can open the template") << true << false << "open"
                                                         << "error" << true << true << templ;
        QTest::newRow("inputs fail") << true << false << "write"
                                     << "inputs" << false << false << inputs;
        QTest::newRow("a cell refused") << true << false << "write"
                                        << "error" << false << false << inputs;
        QTest::newRow("office started for the command gone") << false << false << "open"
                                                             << "lost" << false << false << inputs;
        QTest::newRow("kept office gone while saving the target") << true << true << "saveas"
                                                                  << "lost" << false << false << inputs;
        QTest::newRow("kept office gone before saving the target") << true << true << "write"
                                                                   << "lost" << false << true << "";
    }
    void failingOffice() {
        QFETCH(bool, kept);
        QFETCH(bool, handOver);
        QFETCH(QString, failAt);
        QFETCH(QString, failure);
        QFETCH(bool, freshFails);
        QFETCH(bool, retried);
        QFETCH(QString, message);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("mb")));
        const QString target = root.filePath(QStringLiteral("A1.xls"));
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        FailingFactory factory;
        factory.firstKept = kept;
        factory.failAt = failAt;
        factory.failure = failure;
        factory.freshFails = freshFails;

        const QStringList messages = exportOnce(factory, root.path(), handOver);
        QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(factory.log.count(QStringLiteral("start fresh")), retried ? 1 : 0);
        // Each instance was ended or handed over.
        QCOMPARE(factory.log.count(QStringLiteral("quit")) + factory.log.count(QStringLiteral("handover")),
                 retried ? 2 : 1);
        const bool saved = message.isEmpty();
        if (!handOver || !saved)
            QCOMPARE(contents(target), saved ? QByteArray("workbook") : QByteArray("earlier"));
        QCOMPARE(
            QDir(root.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".mixdesign-")),
            QStringList());
    }

    void causesNamed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reported"); // "CAUSE FILE", or a message the session shows itself
        QTest::newRow("hidden name") << ".A1"
                                     << ""
                                     << ""
                                     << "name ";
        QTest::newRow("office gone") << "A1"
                                     << "write"
                                     << "lost"
                                     << "office A1.xls";
        QTest::newRow("office gone at the template") << "A1"
                                                     << "open"
                                                     << "lost"
                                                     << "office A1.xls";
        QTest::newRow("a cell refused") << "A1"
                                        << "write"
                                        << "error"
                                        << "other A1.xls";
        QTest::newRow("save refused") << "A1"
                                      << "saveas"
                                      << "error"
                                      << "other A1.xls";
        QTest::newRow("template") << "A1"
                                  << "open"
                                  << "error" << SpreadsheetSession::templateMessage(QStringLiteral("t.xls"));
        QTest::newRow("silent office") << "A1"
                                       << "pdf"
                                       << "timeout" << SpreadsheetSession::timeoutMessage();
        QTest::newRow("a folder in place of the PDF") << "folder"
                                                      << ""
                                                      << ""
                                                      << "target A1.pdf";
    }
    // A command that names causes gets each failure's cause and file, never the plain failure.
    void causesNamed() {
        QFETCH(QString, name);
        QFETCH(QString, failAt);
        QFETCH(QString, failure);
        QFETCH(QString, reported);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("mb")));
        if (name == QStringLiteral("folder")) {
            QVERIFY(QDir(root.path()).mkdir(QStringLiteral("A1.pdf")));
            name = QStringLiteral("A1");
        }
        FailingFactory factory;
        factory.firstKept = false;
        factory.failAt = failAt;
        factory.failure = failure;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        QStringList got;
        const char* const causes[] = {"name", "target", "office", "other"};
        SpreadsheetSession session(factory, prompter, InstallPaths(root.path()),
                                   [&got, &causes](SaveFailureCause cause, const QString& file) {
                                       got << QString::fromLatin1(causes[int(cause)]) + u' ' + file;
                                   });
        SpreadsheetSession::Export request;
        request.templateName = QStringLiteral("t.xls");
        request.name = name;
        request.pdf = true;
        request.fill = [](Spreadsheet& sheet) { sheet.writeText(1, 1, QStringLiteral("x")); };
        QVERIFY(!session.exportWorkbook(request));
        for (const MessageBoxRequest& box : prompter.messages())
            got << box.text;
        QCOMPARE(got, QStringList{reported});
    }

    void pairReplacedTogether_data() {
        QTest::addColumn<bool>("earlier");
        QTest::newRow("over an earlier report") << true;
        QTest::newRow("first save of the name") << false;
    }
    // Where the PDF cannot be put in place, the workbook put in place before it is taken back: the earlier
    // workbook as it was, or none.
    void pairReplacedTogether() {
        QFETCH(bool, earlier);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("mb")));
        const QString xls = root.filePath(QStringLiteral("A1.xls"));
        const QString pdf = root.filePath(QStringLiteral("A1.pdf"));
        if (earlier) {
            QFile file(xls);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("earlier");
        }
        FailingFactory factory;
        factory.firstKept = false;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        QStringList got;
        SpreadsheetSession session(factory, prompter, InstallPaths(root.path()),
                                   [&got](SaveFailureCause, const QString& file) { got << file; });
        SpreadsheetSession::Export request;
        request.templateName = QStringLiteral("t.xls");
        request.name = QStringLiteral("A1");
        request.pdf = true;
        // Checked before the office starts, a folder then takes the PDF's place.
        request.fill = [&pdf](Spreadsheet&) { QDir().mkdir(pdf); };
        QVERIFY(!session.exportWorkbook(request));
        QCOMPARE(got, QStringList{"A1.xls"});
        QCOMPARE(contents(xls), earlier ? QByteArray("earlier") : QByteArray("<missing>"));
        QVERIFY(QFileInfo(pdf).isDir());
        QCOMPARE(
            QDir(root.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".mixdesign-")),
            QStringList());
    }

    // The import reads with a fresh office where the kept one failed it; never more than once.
    void importRetried() {
        QTemporaryDir root;
        const QString source = root.filePath(QStringLiteral("source.xls"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("workbook");
        file.close();
        for (const bool freshFails : {false, true}) {
            FailingFactory factory;
            factory.failAt = QStringLiteral("read");
            factory.failure = QStringLiteral("lost");
            factory.freshFails = freshFails;
            ScriptedPrompter prompter;
            QStringList read;
            bool failed = false;
            const bool done = SpreadsheetSession(factory, prompter, InstallPaths(root.path()), [&failed] {
                                  failed = true;
                              }).importWorkbook(source, {}, [&read](Spreadsheet& sheet) {
                read << sheet.read(1, 1).toText();
            });
            QCOMPARE(done, !freshFails);
            QCOMPARE(failed, freshFails);
            QCOMPARE(read, freshFails ? QStringList() : QStringList{"read"});
            QCOMPARE(factory.log.count(QStringLiteral("start fresh")), 1);
        }
    }

    // An installation folder that cannot be written is named, before any office starts.
    void unwritableFolder_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a file in its place") << "file";
        QTest::newRow("missing") << "missing";
    }
    void unwritableFolder() {
        QFETCH(QString, kind);
        QTemporaryDir home;
        const QString root = home.filePath(QStringLiteral("zeb"));
        if (kind == QStringLiteral("file"))
            QVERIFY(QFile(root).open(QIODevice::WriteOnly));
        FailingFactory factory;
        for (const bool handOver : {false, true})
            QCOMPARE(exportOnce(factory, root, handOver),
                     QStringList{"无法写入文件夹“~/zeb/”，请检查其权限。"});
        QCOMPARE(factory.log, QStringList());
    }
};

QTEST_GUILESS_MAIN(SpreadsheetSessionTest)
#include "test_spreadsheet_session.moc"
