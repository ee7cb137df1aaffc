#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "report/reportexport.h"
#include "support/files.h"
#include "support/form1fields.h"
#include "support/officeprocesses.h"
#include "support/pdftools.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "support/xlsreader.h"

// Report exports against the real LibreOffice, checked with an independent reader of the saved .xls (xlrd).
namespace {

const QString kTemplateTitle = QStringLiteral("混凝土配合比计算书");
const QString kTemplateSheet = QStringLiteral("配合比计算书");

// The main window after the fully automatic calculation with its initial inputs, but a slump that a typed
// entry would turn into a date.
void fillInputsAndResults(MapFields& fields, const QStringList& column) {
    const QStringList values = {"38.225", "5", "48.025", "0.53", "185", "349", "0.33", "618", "1248"};
    for (int i = 0; i < values.size(); ++i)
        fields.setText(column[i], values[i]);
    fields.setText(Form1::gradeStrength, QStringLiteral("30"));
    fields.setText(Form1::stoneSize, QStringLiteral("31.5"));
    fields.setText(Form1::slump, QStringLiteral("10-30"));
    fields.setText(Form1::coefficientA, QStringLiteral("0.460"));
    fields.setText(Form1::coefficientB, QStringLiteral("0.07"));
    fields.setText(Form1::density, QStringLiteral("2400"));
    fields.setText(Form1::ratioCheck, QStringLiteral("水灰比符合规定！"));
    fields.setText(Form1::cementCheck, QStringLiteral("水泥用量符合规定！"));
    fields.setText(Form1::fileName, QStringLiteral("A1"));
}

// Cell -> expected [type, value] of a complete export of fillInputsAndResults.
QMap<QString, QJsonArray> expectedCells() {
    const auto n = [](double v) { return QJsonArray{QStringLiteral("number"), v}; };
    const auto t = [](const QString& v) { return QJsonArray{QStringLiteral("text"), v}; };
    return {
        {"G8", n(30)},
        {"G9", n(5)},
        {"G10", n(38.225)},
        {"G11", n(48.025)},
        {"G12", n(0.46)},
        {"G13", n(0.07)},
        {"G14", t("10-30")},
        {"G15", n(31.5)},
        {"G16", n(185)},
        {"G17", n(0.53)},
        {"G18", n(0.53)},
        {"G19", n(31.5)},
        {"G20", n(2400)},
        {"G21", n(349)},
        {"G22", n(185)},
        {"G23", n(33)},
        {"G24", n(618)},
        {"G25", n(2400)},
        {"G26", n(185)},
        {"G27", n(349)},
        {"G28", n(349)},
        {"G29", n(185)},
        {"G30", n(618)},
        {"G31", n(1248)},
        {"I8", n(38.225)},
        {"I10", n(0.53)},
        {"I14", n(185)},
        {"I16", n(349)},
        {"I18", n(33)},
        {"I20", n(618)},
        {"I24", n(1248)},
        {"I28", n(1)},
        {"I29", n(1.77)},
        {"I30", n(3.58)},
        {"I31", n(0.53)},
        {"H2", t("10-30mm")},
        {"H3", t("水灰比符合规定！")},
        {"H4", t("水泥用量符合规定！")},
    };
}

// Cell -> the number format a complete export of fillInputsAndResults shows: the decimals its field text
// shows; the computed percentages and numbers without decimals keep the template's general format.
QMap<QString, QString> expectedFormats() {
    return {
        {"G8", "General"},  {"G10", "0.000"}, {"G12", "0.000"}, {"G13", "0.00"},    {"G15", "0.0"},
        {"G16", "General"}, {"G17", "0.00"},  {"G18", "0.00"},  {"G23", "General"}, {"I18", "General"},
        {"I28", "General"}, {"I29", "0.00"},  {"I31", "0.00"},  {"H2", "General"},
    };
}

QJsonArray typeAndValue(const QJsonObject& workbook, const QString& cell) {
    const QJsonArray entry = workbook[QStringLiteral("cells")].toObject()[cell].toArray();
    return entry.isEmpty() ? QJsonArray{} : QJsonArray{entry[0], entry[1]};
}

// The number format code of a cell as xlrd reads it.
QString numberFormat(const QJsonObject& workbook, const QString& cell) {
    return workbook[QStringLiteral("cells")].toObject()[cell].toArray()[3].toString();
}

// Profile folders left in the temporary folder (private to this test).
// Office profiles in the test's temporary folder, but for the one of the office kept ready.
int profilesLeft(LibreOfficeFactory* factory = nullptr) {
    const int kept = factory && factory->keptProcessGroup() > 0 ? 1 : 0;
    return QDir(QDir::tempPath())
               .entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs | QDir::NoDotAndDotDot)
               .size() -
           kept;
}

// Processes (the office and its launcher) running with a profile in the test's temporary folder.
// But for the office kept ready by the factory.
int officesLeft(LibreOfficeFactory* factory = nullptr) {
    return processesWith(profileMarker(QDir::tempPath()), factory ? factory->keptProcessGroup() : -1);
}

} // namespace

class OfficeExportTest : public QObject {
    Q_OBJECT

private:
    // One office kept ready for every case: none of them is about the office's own life.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    QTemporaryDir m_root;
    QTemporaryDir m_temp; // the offices' profiles go here, apart from those of other tests
    QString m_report;

    QString root() const { return m_root.path() + u'/'; }

    // One export through the real backend; returns the messages shown.
    QList<MessageBoxRequest> run(TestOfficeFactory& factory, MapFields& fields, int command,
                                 MessageButton answer = MessageButton::Yes) {
        ScriptedPrompter prompter;
        prompter.queueAnswer(answer);
        ReportExport exporter(fields, prompter, factory, InstallPaths(m_root.path()));
        if (command == 10)
            exporter.saveAutomaticReport();
        else if (command == 11)
            exporter.saveStepwiseReport();
        else if (command == 12)
            exporter.showAutomaticReport();
        else
            exporter.showStepwiseReport();
        return prompter.messages();
    }

private slots:
    void initTestCase() {
        const QString templates = qEnvironmentVariable("MIX_TEST_TEMPLATES");
        QVERIFY2(QFile::exists(templates + QStringLiteral("/phm.xls")), "MIX_TEST_TEMPLATES has no phm.xls");
        QVERIFY(installTemplates(m_root.path(), {"phm.xls"}));
        m_report = root() + QStringLiteral("A1.xls");
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
        QCOMPARE(QDir::tempPath(), m_temp.path());
    }

    // "文件保存为": every cell with its type, the template around it, author, font, sheet name; nothing left
    // running. A lock left by an instance of ours that crashed does not block the file.
    void saveAndQuit() {
        QFile lock(root() + QStringLiteral(".~lock.A1.xls#"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(",someone," + QSysInfo::machineHostName().toUtf8() + ",07.12.2026 10:00,file://" +
                   QDir::tempPath().toUtf8() + "/mixdesign-office-gone;\n");
        lock.close();

        TestOfficeFactory& factory = m_office;
        MapFields fields(form1FieldNames());
        fillInputsAndResults(fields, Form1::automaticColumn());
        QVERIFY(run(factory, fields, 10).isEmpty());
        QCOMPARE(factory.running(), 0);
        QCOMPARE(officesLeft(&factory), 0);
        QCOMPARE(profilesLeft(&factory), 0);

        const QJsonObject book = readWorkbook(m_report);
        QCOMPARE(book[QStringLiteral("biff")].toInt(), 80);
        QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{ReportExport::sheetName()});
        QCOMPARE(book[QStringLiteral("author")].toString(), QFileInfo(m_report).absoluteFilePath());
        const auto expected = expectedCells();
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QVERIFY2(typeAndValue(book, it.key()) == it.value(),
                     qPrintable(it.key() + QStringLiteral(" = ") +
                                QString::fromUtf8(QJsonDocument(typeAndValue(book, it.key())).toJson())));
        // Numbers stay numbers and show the decimals their field texts showed.
        const auto formats = expectedFormats();
        for (auto it = formats.begin(); it != formats.end(); ++it)
            QVERIFY2(numberFormat(book, it.key()) == it.value(),
                     qPrintable(it.key() + QStringLiteral(" format ") + numberFormat(book, it.key())));
        QCOMPARE(typeAndValue(book, QStringLiteral("A1")),
                 (QJsonArray{QStringLiteral("text"), kTemplateTitle}));
        const QJsonObject cells = book[QStringLiteral("cells")].toObject();
        QVERIFY(cells.size() > expected.size() + 20);
        for (auto it = cells.begin(); it != cells.end(); ++it)
            QCOMPARE(it.value().toArray()[2].toString(), QStringLiteral("system"));

        // The filled report on paper: one page with the title and the target strength of Text7.
        const QString pdf = root() + QStringLiteral("A1.pdf");
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = poppler(QStringLiteral("pdftotext"), pdf);
        QVERIFY2(text.contains(QStringLiteral("混凝土配合比计算书")), qPrintable(text.left(200)));
        QVERIFY(text.contains(fields.text(Form1::automaticTarget)));
        QCOMPARE(fields.text(Form1::automaticTarget), QStringLiteral("38.225"));
    }

    // A PDF that cannot be put in place (a folder of its name) fails the command with its prompt before any
    // file is written; no office is left running.
    void pdfRefused() {
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("B2.pdf")));
        TestOfficeFactory& factory = m_office;
        MapFields fields(form1FieldNames());
        fillInputsAndResults(fields, Form1::automaticColumn());
        fields.setText(Form1::fileName, QStringLiteral("B2"));
        const QList<MessageBoxRequest> messages = run(factory, fields, 10);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("您输入的参数值对吗？"));
        QCOMPARE(factory.running(), 0);
        QCOMPARE(officesLeft(&factory), 0);
        QVERIFY(!QFileInfo::exists(root() + QStringLiteral("B2.xls")));
        QVERIFY(QFileInfo(root() + QStringLiteral("B2.pdf")).isDir());
    }

    // A second export under the same name replaces the first file without a question.
    void replacesEarlierFile() {
        TestOfficeFactory& factory = m_office;
        MapFields fields(form1FieldNames());
        fillInputsAndResults(fields, Form1::stepwiseColumn());
        fields.setText(Form1::stepwiseCement, QStringLiteral("400"));
        QVERIFY(run(factory, fields, 11).isEmpty());
        const QJsonObject book = readWorkbook(m_report);
        QCOMPARE(typeAndValue(book, QStringLiteral("G21")), (QJsonArray{QStringLiteral("number"), 400}));
        QCOMPARE(typeAndValue(book, QStringLiteral("I29")), (QJsonArray{QStringLiteral("number"), 1.55}));
        QCOMPARE(factory.running(), 0);
    }

    // "导入EXCEL" saves the filled report with its PDF, replacing those of an earlier "文件保存为" of the
    // other column, and leaves it open; a "文件保存为" of the same name meanwhile fails on the open file
    // before starting an office, says so, and the file keeps the report; the user's save works.
    void leaveOpenThenSameNameFails() {
        TestOfficeFactory& factory = m_office;
        MapFields fields(form1FieldNames());
        fillInputsAndResults(fields, Form1::stepwiseColumn());
        fields.setText(Form1::stepwiseTarget, QStringLiteral("41.125"));
        QVERIFY(run(factory, fields, 11).isEmpty());
        const QString pdf = root() + QStringLiteral("A1.pdf");
        QVERIFY(poppler(QStringLiteral("pdftotext"), pdf).contains(QStringLiteral("41.125")));
        fillInputsAndResults(fields, Form1::automaticColumn());
        QVERIFY(run(factory, fields, 12).isEmpty());
        QCOMPARE(factory.running(), 1);
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = poppler(QStringLiteral("pdftotext"), pdf);
        QVERIFY2(text.contains(QStringLiteral("38.225")) && !text.contains(QStringLiteral("41.125")),
                 qPrintable(text));

        QJsonObject book = readWorkbook(m_report);
        QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{ReportExport::sheetName()});
        QCOMPARE(typeAndValue(book, QStringLiteral("A1")),
                 (QJsonArray{QStringLiteral("text"), kTemplateTitle}));
        QCOMPARE(typeAndValue(book, QStringLiteral("I31")), (QJsonArray{QStringLiteral("number"), 0.53}));
        const QByteArray shown = fileBytes(m_report);

        const QList<MessageBoxRequest> messages = run(factory, fields, 10, MessageButton::Ok);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("文件“A1.xls”正在被其他程序使用，请关闭后再保存。"));
        QCOMPARE(factory.running(), 1);
        QCOMPARE(fileBytes(m_report), shown);

        factory.saveHandedOver();
        book = readWorkbook(m_report);
        QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{ReportExport::sheetName()});
        QCOMPARE(typeAndValue(book, QStringLiteral("G14")), (QJsonArray{QStringLiteral("text"), "10-30"}));
        QCOMPARE(typeAndValue(book, QStringLiteral("I31")), (QJsonArray{QStringLiteral("number"), 0.53}));
        QVERIFY(officesLeft() > 0);
        factory.endAll();
        QCOMPARE(factory.running(), 0);
        QCOMPARE(officesLeft(&factory), 0);
        QCOMPARE(profilesLeft(&factory), 0);
    }

    // Before any calculation the division by a cement of 0 shows the message and the hidden instance is
    // ended; a complete report of that name stays byte for byte as it was, and no temporary file is left.
    void beforeAnyCalculation() {
        const QString report = root() + QStringLiteral("empty.xls");
        QVERIFY(QFile::copy(m_report, report));
        const QByteArray before = fileBytes(report);
        TestOfficeFactory& factory = m_office;
        MapFields fields(form1FieldNames());
        fields.setText(Form1::gradeStrength, QStringLiteral("30"));
        fields.setText(Form1::fileName, QStringLiteral("empty"));
        QCOMPARE(run(factory, fields, 10).size(), 1);
        QCOMPARE(factory.running(), 0);
        QCOMPARE(officesLeft(&factory), 0);
        QCOMPARE(fileBytes(report), before);
        QCOMPARE(QDir(m_root.path()).entryList({QStringLiteral(".mixdesign-*")}, QDir::Files | QDir::Hidden),
                 QStringList());
        QVERIFY(!QFile::exists(root() + QStringLiteral("empty.pdf")));
    }

    void cleanupTestCase() {
        m_office.endAll();
        QCOMPARE(officesLeft(), 0);
        QCOMPARE(profilesLeft(), 0);
    }
};

QTEST_GUILESS_MAIN(OfficeExportTest)
#include "test_office_export.moc"
