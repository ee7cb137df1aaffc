#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "report/adjustworkbook.h"
#include "report/reportexport.h"
#include "support/adjustsession.h"
#include "support/form1fields.h"
#include "support/testoffice.h"
#include "ui/adjustwindow.h"
#include "ui/windowmanager.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/xlsreader.h"

// The records on paper, with the real LibreOffice: the report and an adjustment record hold what an engineer
// signs for, print legibly on A4, in Simplified Chinese glyphs with Chinese as the document language. The
// workbooks are read with xlrd, the PDFs with office/pdfcheck.py.
namespace {

const QDate kToday(2026, 12, 7);
// A label of every record's header: six full-width characters.
const QString kLabel = QStringLiteral("试验室名称：");
// The smallest legible print size of the tables' text, points.
constexpr double kLegible = 9.0;
// A4 portrait in points.
constexpr double kA4Width = 595.3;
constexpr double kA4Height = 841.9;

QJsonArray typeAndValue(const QJsonObject& workbook, const QString& cell) {
    const QJsonArray entry = workbook[QStringLiteral("cells")].toObject()[cell].toArray();
    return entry.isEmpty() ? QJsonArray{} : QJsonArray{entry[0], entry[1]};
}

QJsonArray text(const QString& value) { return {QStringLiteral("text"), value}; }
QJsonArray number(double value) { return {QStringLiteral("number"), value}; }

// What the independent reader finds in a PDF.
QJsonObject readPdf(const QString& path) {
    QProcess checker;
    checker.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(TEST_SOURCE_DIR "/office/pdfcheck.py"), path, kLabel});
    if (!checker.waitForFinished(60000) || checker.exitCode() != 0) {
        qWarning() << checker.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(checker.readAllStandardOutput()).object();
}

// The PDF's language, fonts and glyph forms are those of a Chinese document in Simplified Chinese: every
// embedded font is Noto Sans CJK (the sheets' "system" substituted, no Latin fallback font), and every glyph
// whose Simplified Chinese and Japanese forms differ takes the Simplified one. (The collection's faces share
// one CFF named after its Japanese face: the embedded name says "jp" whatever face printed, the glyphs tell.)
void checkChinese(const QJsonObject& pdf) {
    QCOMPARE(pdf[QStringLiteral("lang")].toString(), QStringLiteral("zh-CN"));
    const QJsonArray fonts = pdf[QStringLiteral("fonts")].toArray();
    QVERIFY(!fonts.isEmpty());
    for (const QJsonValue& font : fonts)
        QVERIFY2(font.toString().contains(QStringLiteral("+NotoSansCJK")), qPrintable(font.toString()));
    const QJsonObject forms = pdf[QStringLiteral("forms")].toObject();
    QVERIFY2(forms[QStringLiteral("sc")].toInt() > 10,
             qPrintable(QJsonDocument(forms).toJson(QJsonDocument::Compact)));
    QCOMPARE(forms[QStringLiteral("jp")].toInt(), 0);
    QCOMPARE(forms[QStringLiteral("other")].toInt(), 0);
}

// Every page A4 portrait; the header label printed at a legible size.
void checkLegible(const QJsonObject& pdf) {
    for (const QJsonValue& page : pdf[QStringLiteral("pages")].toArray()) {
        QVERIFY(qAbs(page[0].toDouble() - kA4Width) < 1);
        QVERIFY(qAbs(page[1].toDouble() - kA4Height) < 1);
    }
    const QJsonArray sizes = pdf[QStringLiteral("sizes")].toObject()[kLabel].toArray();
    QCOMPARE(sizes.size(), 1);
    QVERIFY2(sizes[0].toDouble() >= kLegible, qPrintable(QString::number(sizes[0].toDouble())));
}

struct Session : AdjustSession {
    Session(SpreadsheetLifecycle& spreadsheets, const QString& root)
        : AdjustSession(spreadsheets, root, kToday) {}
};

} // namespace

class OfficePaperTest : public QObject {
    Q_OBJECT

private:
    // One office kept ready for every case: none of them is about the office's own life.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    QTemporaryDir m_root;
    QTemporaryDir m_temp; // the offices' profiles

    QString root() const { return m_root.path() + u'/'; }

    // The workbook printed by the office as the program keeps it: opened read-only, written as PDF.
    QString print(SpreadsheetFactory& factory, const QString& book) {
        const QString pdf = book.chopped(4) + QStringLiteral(".pdf");
        auto sheet = factory.start(false);
        sheet->open(book, OpenMode::ReadOnly);
        sheet->exportPdf(pdf);
        sheet->quit();
        return pdf;
    }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phm.xls", "phtzm.xls", "phtzsm.xls"}));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    // The templates themselves are Chinese documents.
    void templatesAreChinese() {
        for (const char* name : {"phm.xls", "phtzm.xls", "phtzsm.xls"}) {
            const QJsonObject book = readWorkbook(root() + QStringLiteral("mb/") + QLatin1String(name));
            QCOMPARE(book[QStringLiteral("countries")].toArray(), (QJsonArray{86, 86}));
        }
    }

    // A stepwise report whose water the admixture window sent: dated, with the cement, the environment and
    // reinforcement, the limits the checks used, the standard deviation verdict and the water's source; one
    // legible A4 page in Simplified Chinese.
    void reportRecord() {
        TestOfficeFactory& factory = m_office;
        MapFields fields(form1FieldNames());
        const QStringList values = {"38.225", "5", "48.025", "0.53", "157.25", "297", "0.33", "640", "1306"};
        for (int i = 0; i < values.size(); ++i)
            fields.setText(Form1::stepwiseColumn()[i], values[i]);
        const QList<std::pair<QString, QString>> inputs = {
            {Form1::gradeStrength, "30"},
            {Form1::cementGrade, "42.5"},
            {Form1::cementFactor, "1.13"},
            {Form1::slump, "35-50"},
            {Form1::stoneSize, "31.5"},
            {Form1::coefficientA, "0.46"},
            {Form1::coefficientB, "0.07"},
            {Form1::density, "2400"},
            {Form1::environment, "潮湿环境无冻害"},
            {Form1::reinforcement, "钢筋混凝土"},
            {Form1::sigmaCheck, "混凝土强度标准差符合规定！"},
            {Form1::ratioCheck, "水灰比符合规定！"},
            {Form1::cementCheck, "水泥用量符合规定！"},
            {Form1::sentAdmixtureWater, "157.25"},
            {Form1::fileName, "P1"},
        };
        for (const auto& [name, value] : inputs)
            fields.setText(name, value);
        ScriptedPrompter prompter;
        ReportExport(fields, prompter, factory, InstallPaths(m_root.path()), [] {
            return kToday;
        }).saveStepwiseReport();
        QVERIFY(prompter.messages().isEmpty());

        const QJsonObject book = readWorkbook(root() + QStringLiteral("P1.xls"));
        QCOMPARE(book[QStringLiteral("countries")].toArray(), (QJsonArray{86, 86}));
        const QMap<QString, QJsonArray> record = {
            {"F5", text("编制日期：")},
            {"H5", text("2026-12-7")},
            {"G32", number(42.5)},
            {"G33", number(1.13)},
            {"G34", text("潮湿环境无冻害")},
            {"G35", text("钢筋混凝土")},
            {"G36", number(0.6)},
            {"G37", number(280)},
            {"G38", text("混凝土强度标准差符合规定！")},
            {"G39", text("用水量取自掺外加剂用水量计算")},
            // The existing cells where they were.
            {"G8", number(30)},
            {"I31", number(0.53)},
            {"H4", text("水泥用量符合规定！")},
        };
        for (auto it = record.begin(); it != record.end(); ++it)
            QVERIFY2(typeAndValue(book, it.key()) == it.value(),
                     qPrintable(it.key() + u' ' +
                                QJsonDocument(typeAndValue(book, it.key())).toJson(QJsonDocument::Compact)));
        // Nothing on the form says no admixture was used.
        const QJsonObject cells = book[QStringLiteral("cells")].toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it)
            QVERIFY2(!it.value().toArray()[1].toString().contains(QStringLiteral("不掺外加剂")),
                     qPrintable(it.key()));

        const QJsonObject pdf = readPdf(root() + QStringLiteral("P1.pdf"));
        QCOMPARE(pdf[QStringLiteral("pages")].toArray().size(), 1);
        checkLegible(pdf);
        checkChinese(pdf);
        QCOMPARE(factory.running(), 0);
    }

    // The worked example's construction record from the window: dated, the groups' real steps, the target
    // strength; printed, the table fills page one at full size and the chart stands alone on page two.
    void adjustmentRecord() {
        TestOfficeFactory& factory = m_office;
        const QString book = root() + QStringLiteral("C30.xls");
        {
            Session session(factory, m_root.path());
            session.runWorkedExample();
            // A step other than the usual 0.05, typed before the groups are computed again.
            session.window->fields().setText(Tiaozheng::ratioSpread, QStringLiteral("0.03"));
            session.prompter.queueAnswer(MessageButton::Yes);
            session.window->Command3_Click();
            session.window->fields().setText(Tiaozheng::fileName, QStringLiteral("C30"));
            session.prompter.queueAnswer(MessageButton::Yes);
            session.window->Command13_Click();
            QCOMPARE(session.prompter.messages().last().text,
                     QStringLiteral("您确定要把数据导出到EXCEL文件吗？"));
        }
        factory.saveHandedOver();
        factory.endAll();

        const QJsonObject saved = readWorkbook(book);
        QCOMPARE(saved[QStringLiteral("countries")].toArray(), (QJsonArray{86, 86}));
        QCOMPARE(typeAndValue(saved, QStringLiteral("E4")), text("填表日期："));
        QCOMPARE(typeAndValue(saved, QStringLiteral("F4")), text("2026-12-7"));
        QCOMPARE(typeAndValue(saved, QStringLiteral("B19")), number(0.57));
        QCOMPARE(typeAndValue(saved, QStringLiteral("E19")), text("A、C 组 = B 组 ±0.03"));
        QCOMPARE(typeAndValue(saved, QStringLiteral("E22")), text("配制强度 38.2 MPa"));
        QCOMPARE(typeAndValue(saved, QStringLiteral("A55")), text(AdjustWorkbook::chartCaption()));
        QCOMPARE(saved[QStringLiteral("pictures")].toArray().size(), 1);
        const QJsonObject cells = saved[QStringLiteral("cells")].toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it)
            QVERIFY2(!it.value().toArray()[1].toString().contains(QStringLiteral("±0.05")),
                     qPrintable(it.key()));

        const QJsonObject pdf = readPdf(print(factory, book));
        const QJsonArray pages = pdf[QStringLiteral("pages")].toArray();
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0][2].toInt(), 0);
        QCOMPARE(pages[1][2].toInt(), 1);
        checkLegible(pdf);
        checkChinese(pdf);
        QCOMPARE(factory.running(), 0);
    }

    // The laboratory record prints the same way: the table at full size, the chart on page two.
    void laboratoryRecord() {
        TestOfficeFactory& factory = m_office;
        const QString book = root() + QStringLiteral("C30-lab.xls");
        {
            Session session(factory, m_root.path());
            session.runWorkedExample();
            session.window->fields().setText(Tiaozheng::fileName, QStringLiteral("C30-lab"));
            session.prompter.queueAnswer(MessageButton::Yes);
            session.window->Command14_Click();
        }
        factory.saveHandedOver();
        factory.endAll();
        const QJsonObject saved = readWorkbook(book);
        QCOMPARE(typeAndValue(saved, QStringLiteral("E19")), text("A、C 组 = B 组 ±0.05"));
        QCOMPARE(typeAndValue(saved, QStringLiteral("A49")), text(AdjustWorkbook::chartCaption()));
        const QJsonObject pdf = readPdf(print(factory, book));
        const QJsonArray pages = pdf[QStringLiteral("pages")].toArray();
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[1][2].toInt(), 1);
        checkLegible(pdf);
        QCOMPARE(factory.running(), 0);
    }
};

QTEST_MAIN(OfficePaperTest)
#include "test_office_paper.moc"
