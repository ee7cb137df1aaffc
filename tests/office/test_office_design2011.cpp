#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/design2011controls.h"
#include "report/design2011cells.h"
#include "report/design2011report.h"
#include "report/savefailure.h"
#include "report/spreadsheetsession.h"
#include "support/design2011example.h"
#include "support/officeprocesses.h"
#include "support/pdftools.h"
#include "support/testoffice.h"
#include "support/xlsreader.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// The JGJ 55-2011 calculation sheet written by the real LibreOffice, read back with xlrd and poppler: every
// value beside the label that names it, numbers as numbers, one A4 page, and failures that leave the earlier
// sheet alone.
namespace {

using namespace Design2011;

const QString kName = QStringLiteral("JGJ55-2011-2026-12-8");
const QString kTitle = QStringLiteral("普通混凝土配合比设计计算书（JGJ 55-2011）");
const QString kFont = QStringLiteral("Noto Sans CJK SC");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// "B12" for row 12, column 2 (both from 1).
QString cellName(int row, int column) {
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters + QString::number(row);
}

// What an engineer reads as a value's caption on the saved sheet: the nearest caption of the template to its
// left, and the column's header above the block of filled cells it stands in, "LEFT|ABOVE".
QString caption(const QJsonObject& templ, const QJsonObject& book, int row, int column) {
    const QJsonObject captions = templ[QStringLiteral("cells")].toObject();
    const QJsonObject filled = book[QStringLiteral("cells")].toObject();
    const auto text = [&captions](int r, int c) {
        const QJsonArray entry = captions[cellName(r, c)].toArray();
        return entry.at(0).toString() == QStringLiteral("text") ? entry.at(1).toString() : QString();
    };
    QString left;
    for (int c = column - 1; c >= 1 && left.isEmpty(); --c)
        left = text(row, c);
    int r = row - 1;
    while (r >= 1 && text(r, column).isEmpty() && filled.contains(cellName(r, column)))
        --r;
    return left + u'|' + (r >= 1 ? text(r, column) : QString());
}

// Office profiles in the test's temporary folder, but for the one of the office kept ready.
int profilesLeft(LibreOfficeFactory* factory = nullptr) {
    const int kept = factory && factory->keptProcessGroup() > 0 ? 1 : 0;
    return int(QDir(QDir::tempPath())
                   .entryList({QStringLiteral("mixdesign-office-*")}, QDir::Dirs | QDir::NoDotAndDotDot)
                   .size()) -
           kept;
}

int officesLeft(LibreOfficeFactory* factory = nullptr) {
    return processesWith(profileMarker(QDir::tempPath()), factory ? factory->keptProcessGroup() : -1);
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The real office, whose instances make a file immutable at their first cell: a file that a save checked
// as replaceable turns unreplaceable while the save runs.
class ImmutableOnFill : public SpreadsheetLifecycle {
public:
    ImmutableOnFill(TestOfficeFactory& office, QString path) : m_office(office), m_path(std::move(path)) {}
    std::unique_ptr<Spreadsheet> start(bool visible) override { return wrap(m_office.start(visible)); }
    std::unique_ptr<Spreadsheet> startFresh(bool visible) override {
        return wrap(m_office.startFresh(visible));
    }
    void saveHandedOver() override { m_office.saveHandedOver(); }
    void endAll() override { m_office.endAll(); }
    void endHidden() override { m_office.endHidden(); }
    void closeHandedOver() override { m_office.closeHandedOver(); }
    int running() override { return m_office.running(); }
    bool inUse(const QString& path) override { return m_office.inUse(path); }
    void injectFault(StartFault fault) { m_office.injectFault(fault); }

private:
    class Sheet : public Spreadsheet {
    public:
        Sheet(std::unique_ptr<Spreadsheet> real, const QString& path)
            : m_real(std::move(real)), m_path(path) {}
        void open(const QString& path, OpenMode mode) override { m_real->open(path, mode); }
        void openTemplate(const QString& path, const std::vector<FixedText>& form) override {
            m_real->openTemplate(path, form);
        }
        void activate() override { m_real->activate(); }
        void saveAs(const QString& path) override { m_real->saveAs(path); }
        QString fullName() const override { return m_real->fullName(); }
        void setAuthor(const QString& author) override { m_real->setAuthor(author); }
        void setFontName(const QString& name) override { m_real->setFontName(name); }
        void setFontSize(double points) override { m_real->setFontSize(points); }
        void renameSheet(const QString& name) override { m_real->renameSheet(name); }
        void writeText(int row, int column, const QString& text) override {
            if (!m_done)
                m_done = run(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path});
            m_real->writeText(row, column, text);
        }
        void writeNumber(int row, int column, double value) override {
            m_real->writeNumber(row, column, value);
        }
        CellValue read(int row, int column) override { return m_real->read(row, column); }
        void save() override { m_real->save(); }
        void quit() override { m_real->quit(); }
        void handOver() override { m_real->handOver(); }
        void placePicture(int row, int column, const QByteArray& png, double widthMm,
                          double heightMm) override {
            m_real->placePicture(row, column, png, widthMm, heightMm);
        }
        void exportPdf(const QString& path) override { m_real->exportPdf(path); }
        bool keptReady() const override { return m_real->keptReady(); }

    private:
        std::unique_ptr<Spreadsheet> m_real;
        QString m_path;
        bool m_done = false;
    };
    std::unique_ptr<Spreadsheet> wrap(std::unique_ptr<Spreadsheet> real) {
        return std::make_unique<Sheet>(std::move(real), m_path);
    }

    TestOfficeFactory& m_office;
    QString m_path;
};

} // namespace

class OfficeDesign2011Test : public QObject {
    Q_OBJECT

private:
    // One office kept ready for every case: none of them is about the office's own life.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    QTemporaryDir m_root;
    QTemporaryDir m_temp; // the offices' profiles go here, apart from those of other tests
    QJsonObject m_book;
    QJsonObject m_template;
    QString m_saved;
    QList<MessageBoxRequest> m_messages;
    QString m_status;

    QString root() const { return m_root.path() + u'/'; }

    // One 保存计算书 of the first worked example through the real backend.
    QString save(TestOfficeFactory& factory, QList<MessageBoxRequest>* messages, QString* status) {
        MapFields fields(design2011FieldNames());
        fillDesign2011Example(fields);
        fields.setText(reportStatus, QStringLiteral("已保存：earlier"));
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        RecordingLauncher launcher;
        const Design2011Calculation calculation = design2011CalculationOf(fields);
        const QString saved = Design2011Report(fields, prompter, factory, launcher,
                                               InstallPaths(m_root.path()), QDate(2026, 12, 8))
                                  .save(&calculation);
        *messages = prompter.messages();
        *status = fields.text(reportStatus);
        return saved;
    }

    // One 保存计算书 as save() does, whose sheet, once the office fills it, finds the PDF immutable.
    QString saveSettingImmutable(TestOfficeFactory& factory, const QString& pdf,
                                 QList<MessageBoxRequest>* messages, QString* status) {
        MapFields fields(design2011FieldNames());
        fillDesign2011Example(fields);
        fields.setText(reportStatus, QStringLiteral("已保存：earlier"));
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        RecordingLauncher launcher;
        ImmutableOnFill spreadsheets(factory, pdf);
        const Design2011Calculation calculation = design2011CalculationOf(fields);
        const QString saved = Design2011Report(fields, prompter, spreadsheets, launcher,
                                               InstallPaths(m_root.path()), QDate(2026, 12, 8))
                                  .save(&calculation);
        *messages = prompter.messages();
        *status = fields.text(reportStatus);
        return saved;
    }

    // The cells of the map that show the field.
    QList<const Design2011Cell*> cellsOf(const QString& name) const {
        QList<const Design2011Cell*> found;
        for (const Design2011Cell& cell : design2011Cells())
            if (cell.field == name)
                found << &cell;
        return found;
    }

    // The cells right of the cell that holds the caption on the saved sheet, in column order.
    QJsonArray rightOf(const QString& caption) const {
        const QJsonObject cells = m_book[QStringLiteral("cells")].toObject();
        QJsonArray found;
        for (int row = 1; row <= 60 && found.isEmpty(); ++row) {
            int column = 1;
            while (column <= 36 && cells[cellName(row, column)].toArray().at(1).toString() != caption)
                ++column;
            for (++column; column <= 36; ++column)
                if (cells.contains(cellName(row, column)))
                    found.append(cells[cellName(row, column)]);
        }
        return found;
    }

private slots:
    void initTestCase() {
        const QString templates = qEnvironmentVariable("MIX_TEST_TEMPLATES");
        QVERIFY2(QFile::exists(templates + QStringLiteral("/phm2011.xls")),
                 "MIX_TEST_TEMPLATES has no phm2011.xls");
        QVERIFY(installTemplates(m_root.path(), {"phm2011.xls"}));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
        QCOMPARE(QDir::tempPath(), m_temp.path());
        m_template = readWorkbook(root() + QStringLiteral("mb/phm2011.xls"));
        QVERIFY(!m_template.isEmpty());

        TestOfficeFactory& factory = m_office;
        m_saved = save(factory, &m_messages, &m_status);
        QCOMPARE(factory.running(), 0);
        QCOMPARE(officesLeft(&factory), 0);
        QCOMPARE(profilesLeft(&factory), 0);
        m_book = readWorkbook(root() + kName + QStringLiteral(".xls"));
        QVERIFY(!m_book.isEmpty());
    }

    void saved() {
        QCOMPARE(m_saved, kName);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_status, "已保存：" + kName + ".xls、" + kName + ".pdf");
        QCOMPARE(m_book[QStringLiteral("biff")].toInt(), 80);
        QCOMPARE(m_book[QStringLiteral("author")].toString(), root() + kName + QStringLiteral(".xls"));
        QCOMPARE(m_book[QStringLiteral("cells")].toObject()[QStringLiteral("A1")].toArray().at(1).toString(),
                 kTitle);
    }

    void values_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("captions");
        const auto row = [](const QString& name, const QStringList& captions) {
            QTest::newRow(qPrintable(name)) << name << captions;
        };
        row(reportName, {"计算书名称：|"});
        row(grade, {"强度等级|"});
        row(sigmaFromStatistics, {"按统计资料确定σ|"});
        row(sigma, {"强度标准差σ (MPa)|"});
        row(cementKind, {"水泥品种|"});
        row(cementClass, {"水泥强度等级|"});
        row(gammaC, {"富余系数γc|", "富余系数 γc|"});
        row(fceMeasured, {"水泥28d实测强度 (MPa)|"});
        row(maxSize, {"碎石最大公称粒径 (mm)|"});
        row(slump, {"坍落度 (mm)|"});
        row(waterReduction, {"外加剂减水率β (%)|"});
        row(admixtureDosage, {"外加剂掺量βa (%)|"});
        row(flyAshPercent, {"粉煤灰掺量βf (%)|"});
        row(flyAshGrade, {"粉煤灰等级|"});
        row(gammaF, {"粉煤灰影响系数γf|", "粉煤灰影响系数 γf|"});
        row(slagPercent, {"粒化高炉矿渣粉掺量βk (%)|"});
        row(slagGrade, {"矿渣粉等级|"});
        row(gammaS, {"矿渣粉影响系数γs|", "矿渣粉影响系数 γs|"});
        row(environment, {"环境类别（GB 50010）|"});
        row(airEntrained, {"使用引气剂|"});
        row(structure, {"结构类别|"});
        row(pumped, {"泵送混凝土|"});
        row(densityMethod, {"计算方法|"});
        row(assumedDensity, {"假定表观密度 (kg/m³)|"});
        row(densityCement, {"水泥密度 (kg/m³)|"});
        row(densityFlyAsh, {"粉煤灰密度 (kg/m³)|"});
        row(densitySlag, {"矿渣粉密度 (kg/m³)|"});
        row(densitySand, {"砂表观密度 (kg/m³)|"});
        row(densityStone, {"碎石表观密度 (kg/m³)|"});
        row(airContent, {"含气量α (%)|"});
        row(wbOverride, {"采用水胶比（可选）|"});
        row(sandRatioOverride, {"采用砂率 %（可选）|"});
        row(trialVolume, {"试配体积 (L)|"});
        row(sigmaUsed, {"强度标准差 σ (MPa)|"});
        row(targetStrength, {"配制强度 fcu,0 (MPa)|"});
        row(fce, {"水泥强度 fce (MPa)|"});
        row(fb, {"胶凝材料强度 fb (MPa)|"});
        row(wbCalculated, {"计算水胶比|"});
        row(wbMax, {"最大水胶比|"});
        row(wb, {"采用水胶比 W/B|"});
        row(waterTable, {"未掺外加剂用水量 mw0′|"});
        row(water, {"用水量 mw0|"});
        row(binder, {"胶凝材料用量 mb0|"});
        row(flyAsh, {"粉煤灰用量 mf0|"});
        row(slag, {"矿渣粉用量 mk0|"});
        row(cement, {"水泥用量 mc0|"});
        row(admixture, {"外加剂用量 ma0|"});
        row(sandRatioTable, {"砂率表值 (%)|"});
        row(sandRatio, {"砂率 βs (%)|"});
        row(sand, {"砂用量 ms0|"});
        row(stone, {"碎石用量 mg0|"});
        row(density, {"表观密度|"});
        row(mixLine, {"材料用量|"});
        row(proportion, {"配合比（质量比）|"});
        for (const QString& check : {checkWb, checkGrade, checkBinder, checkMineral, checkPump})
            row(check, {"|四、校核"});
        const QStringList items = {
            "水胶比",         "砂率 (%)",       "水泥 (kg/m³)",     "粉煤灰 (kg/m³)",
            "矿渣粉 (kg/m³)", "砂 (kg/m³)",     "碎石 (kg/m³)",     "水 (kg/m³)",
            "外加剂 (kg/m³)", "每盘 水泥 (kg)", "每盘 粉煤灰 (kg)", "每盘 矿渣粉 (kg)",
            "每盘 砂 (kg)",   "每盘 碎石 (kg)", "每盘 水 (kg)",     "每盘 外加剂 (kg)"};
        const QStringList mixes = {"水胶比 −0.05", "设计配合比", "水胶比 +0.05"};
        for (int r = 1; r <= trialRows; ++r)
            for (int c = 1; c <= trialColumns; ++c)
                row(trialCell(r, c), {items[r - 1] + u'|' + mixes[c - 1]});
    }
    // Each field stands beside the caption that names it, a number as a number with the decimals its text
    // shows, a text verbatim, in the template's Chinese font.
    void values() {
        QFETCH(QString, field);
        QFETCH(QStringList, captions);
        const QList<const Design2011Cell*> cells = cellsOf(field);
        QCOMPARE(cells.size(), captions.size());
        QStringList found;
        for (const Design2011Cell* cell : cells)
            found << caption(m_template, m_book, cell->row, cell->column);
        found.sort();
        captions.sort();
        QCOMPARE(found, captions);

        QString text;
        for (const auto& [name, value] : design2011Example())
            if (name == field)
                text = value;
        if (field == sigmaFromStatistics || field == airEntrained)
            text = QStringLiteral("否");
        else if (field == pumped)
            text = QStringLiteral("是");
        const QJsonObject book = m_book[QStringLiteral("cells")].toObject();
        for (const Design2011Cell* cell : cells) {
            const QJsonArray entry = book[cellName(cell->row, cell->column)].toArray();
            if (text.isEmpty()) {
                QVERIFY2(entry.isEmpty(), qPrintable(cellName(cell->row, cell->column)));
                continue;
            }
            bool isNumber = false;
            const double number = QLocale::c().toDouble(text, &isNumber);
            if (isNumber) {
                QCOMPARE(entry.at(0).toString(), QStringLiteral("number"));
                QCOMPARE(entry.at(1).toDouble(), number);
                const qsizetype dot = text.indexOf(u'.');
                const QString format = dot < 0 ? QStringLiteral("General")
                                               : QStringLiteral("0.") + QString(text.size() - dot - 1, u'0');
                QCOMPARE(entry.at(3).toString(), format);
            } else {
                QCOMPARE(entry.at(0).toString(), QStringLiteral("text"));
                QCOMPARE(entry.at(1).toString(), text);
            }
            QCOMPARE(entry.at(2).toString(), kFont);
        }
    }

    void bases_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("basis");
        QTest::newRow("σ") << "强度标准差 σ (MPa)"
                           << "表4.0.2";
        QTest::newRow("fcu,0") << "配制强度 fcu,0 (MPa)"
                               << "式(4.0.1)";
        QTest::newRow("γc") << "富余系数 γc"
                            << "表5.1.4";
        QTest::newRow("fce") << "水泥强度 fce (MPa)"
                             << "式(5.1.4)";
        QTest::newRow("γf") << "粉煤灰影响系数 γf"
                            << "表5.1.3";
        QTest::newRow("γs") << "矿渣粉影响系数 γs"
                            << "表5.1.3";
        QTest::newRow("αa") << "回归系数 αa"
                            << "表5.1.2";
        QTest::newRow("αb") << "回归系数 αb"
                            << "表5.1.2";
        QTest::newRow("fb") << "胶凝材料强度 fb (MPa)"
                            << "式(5.1.3)";
        QTest::newRow("W/B") << "计算水胶比"
                             << "式(5.1.1)";
        QTest::newRow("max W/B") << "最大水胶比"
                                 << "GB 50010 表3.5.3";
        QTest::newRow("adopted W/B") << "采用水胶比 W/B"
                                     << "式(5.1.1)、第3.0.3条";
        QTest::newRow("table water") << "未掺外加剂用水量 mw0′"
                                     << "表5.2.1-2、第5.2.2条";
        QTest::newRow("water") << "用水量 mw0"
                               << "式(5.2.2)";
        QTest::newRow("binder") << "胶凝材料用量 mb0"
                                << "式(5.3.1)、表3.0.4";
        QTest::newRow("cement") << "水泥用量 mc0"
                                << "式(5.3.3)";
        QTest::newRow("admixture") << "外加剂用量 ma0"
                                   << "式(5.2.3)";
        QTest::newRow("sand ratio range") << "砂率表值 (%)"
                                          << "表5.4.2、第5.4.1条";
        QTest::newRow("sand") << "砂用量 ms0"
                              << "式(5.5.1) 质量法";
        QTest::newRow("density") << "表观密度"
                                 << "假定值（质量法）";
    }
    // The clause or table follows the value, in the caption's row.
    void bases() {
        QFETCH(QString, caption);
        QFETCH(QString, basis);
        const QJsonArray after = rightOf(caption);
        QVERIFY2(after.size() >= 2, qPrintable(caption));
        QCOMPARE(after[1].toArray().at(1).toString(), basis);
    }

    // The regression coefficients are the template's, two decimals.
    void templateConstants() {
        QCOMPARE(rightOf(QStringLiteral("回归系数 αa")).at(0).toArray(),
                 (QJsonArray{"number", 0.53, kFont, "0.00"}));
        QCOMPARE(rightOf(QStringLiteral("回归系数 αb")).at(0).toArray(),
                 (QJsonArray{"number", 0.2, kFont, "0.00"}));
    }

    // The program writes only into the template's empty cells: no caption is overwritten but the side trial
    // columns' headings, which name the step the calculation took (± 0.02 for high strength).
    void writesOnlyEmptyCells() {
        const QJsonObject cells = m_template[QStringLiteral("cells")].toObject();
        for (const Design2011Cell& cell : design2011Cells()) {
            const QString name = cellName(cell.row, cell.column);
            QVERIFY2(!cells.contains(name) || cell.form == SheetForm::Basis || cell.form == SheetForm::TrialStep,
                     qPrintable(name));
        }
    }

    // One A4 portrait page in the Chinese font, with the title, the name, the date and the key numbers.
    void pdfPage() {
        const QString pdf = root() + kName + QStringLiteral(".pdf");
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
        QVERIFY2(pdfInfo(pdf, QStringLiteral("Page size")).startsWith(QStringLiteral("595.")),
                 qPrintable(pdfInfo(pdf, QStringLiteral("Page size"))));
        QVERIFY(poppler(QStringLiteral("pdffonts"), pdf).contains(QStringLiteral("NotoSansCJK")));
        const QString text = poppler(QStringLiteral("pdftotext"), pdf);
        for (const QString& expected :
             {kTitle,
              kName,
              QStringLiteral("2026-12-8"),
              QStringLiteral("38.2"),
              QStringLiteral("0.548"),
              QStringLiteral("44.4"),
              QStringLiteral("0.53"),
              QStringLiteral("0.20"),
              QStringLiteral("233"),
              QStringLiteral("318"),
              QStringLiteral("222"),
              QStringLiteral("6.36"),
              QStringLiteral("39.0～44.0"),
              QStringLiteral("801"),
              QStringLiteral("1106"),
              QStringLiteral("2400"),
              QStringLiteral("0.127"),
              QStringLiteral("1 : 2.52 : 3.48，水胶比 0.55"),
              QStringLiteral("矿物掺合料掺量符合表3.0.5-1的规定"),
              QStringLiteral("本计算为初步配合比，应经试配、调整后确定（JGJ 55-2011 第6章）。"),
              QStringLiteral("计算："),
              QStringLiteral("校核："),
              QStringLiteral("审核：")})
            QVERIFY2(text.contains(expected), qPrintable(expected));
    }

    void failedSaveKeepsEarlierSheet_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString templ = SpreadsheetSession::templateMessage(QStringLiteral("phm2011.xls"));
        const QString target = SaveFailure::message(SaveFailureCause::Target, kName + QStringLiteral(".pdf"));
        QTest::newRow("template missing") << "template" << templ;
        QTest::newRow("template empty") << "empty template" << templ;
        QTest::newRow("template of random bytes") << "random template" << templ;
        QTest::newRow("template of another form") << "other template" << templ;
        QTest::newRow("office killed") << "kill" << SaveFailure::message(SaveFailureCause::OfficeEnded, {});
        QTest::newRow("a folder in the way") << "folder" << target;
        QTest::newRow("a link in the way") << "link" << target;
        QTest::newRow("the PDF cannot be replaced during the save")
            << "immutable PDF"
            << SaveFailure::message(SaveFailureCause::Other, kName + QStringLiteral(".xls"));
    }
    // A failure after the office started, or before: one stop box naming the cause, the status as it was,
    // the earlier sheet and its PDF byte for byte, no temporary file, no office left.
    void failedSaveKeepsEarlierSheet() {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        const QString xls = root() + kName + QStringLiteral(".xls");
        const QString pdf = root() + kName + QStringLiteral(".pdf");
        const QString templ = root() + QStringLiteral("mb/phm2011.xls");
        const QByteArray sheet = fileBytes(xls);
        const QByteArray page = fileBytes(pdf);
        TestOfficeFactory& factory = m_office;
        const QString moved = templ + QStringLiteral(".away");
        const bool templateFault = fault.contains(QStringLiteral("template"));
        if (templateFault)
            QVERIFY(QFile::rename(templ, moved));
        if (fault == QStringLiteral("empty template"))
            QVERIFY(QFile(templ).open(QIODevice::WriteOnly));
        else if (fault == QStringLiteral("random template"))
            QVERIFY(writeBytes(templ, QByteArray(4096, '\x5a') + QByteArray::number(0xDEADBEEF)));
        else if (fault == QStringLiteral("other template"))
            QVERIFY(
                QFile::copy(qEnvironmentVariable("MIX_TEST_TEMPLATES") + QStringLiteral("/phm.xls"), templ));
        else if (fault == QStringLiteral("kill"))
            factory.injectFault(StartFault::Kill);
        else if (fault == QStringLiteral("folder") || fault == QStringLiteral("link")) {
            QVERIFY(QFile::rename(pdf, pdf + QStringLiteral(".kept")));
            if (fault == QStringLiteral("folder"))
                QVERIFY(QDir(m_root.path()).mkdir(kName + QStringLiteral(".pdf")));
            else
                QVERIFY(QFile::link(pdf + QStringLiteral(".kept"), pdf));
        }
        QList<MessageBoxRequest> messages;
        QString status;
        QString saved;
        if (fault == QStringLiteral("immutable PDF")) {
            // The old PDF is made immutable once the targets were found replaceable, as the save fills the
            // sheet: the new workbook is in place before the PDF fails to follow.
            if (!run(QStringLiteral("chattr"), {QStringLiteral("+i"), pdf}))
                QSKIP("no immutable files here (chattr needs root and a file system that has them)");
            QVERIFY(run(QStringLiteral("chattr"), {QStringLiteral("-i"), pdf}));
            saved = saveSettingImmutable(factory, pdf, &messages, &status);
            QVERIFY(run(QStringLiteral("chattr"), {QStringLiteral("-i"), pdf}));
        } else {
            saved = save(factory, &messages, &status);
        }
        if (templateFault) {
            QFile::remove(templ);
            QVERIFY(QFile::rename(moved, templ));
        }
        if (fault == QStringLiteral("folder"))
            QVERIFY(QDir(m_root.path()).rmdir(kName + QStringLiteral(".pdf")));
        if (fault == QStringLiteral("link"))
            QVERIFY(QFile::remove(pdf));
        if (fault == QStringLiteral("folder") || fault == QStringLiteral("link"))
            QVERIFY(QFile::rename(pdf + QStringLiteral(".kept"), pdf));
        QCOMPARE(saved, QString());
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, message);
        QCOMPARE(messages[0].icon, MessageIcon::Stop);
        QCOMPARE(messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(status, QStringLiteral("已保存：earlier"));
        QCOMPARE(fileBytes(xls), sheet);
        QCOMPARE(fileBytes(pdf), page);
        QCOMPARE(QDir(m_root.path()).entryList({QStringLiteral(".mixdesign-*")}, QDir::Files | QDir::Hidden),
                 QStringList());
        QCOMPARE(factory.running(), 0);
        QCOMPARE(officesLeft(&factory), 0);
    }

    void cleanupTestCase() {
        m_office.endAll();
        QCOMPARE(officesLeft(), 0);
        QCOMPARE(profilesLeft(), 0);
    }
};

QTEST_GUILESS_MAIN(OfficeDesign2011Test)
#include "test_office_design2011.moc"
