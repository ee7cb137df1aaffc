#include "common/datetext.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/design2011controls.h"
#include "report/design2011report.h"
#include "report/recordingspreadsheet.h"
#include "report/savefailure.h"
#include "report/spreadsheetsession.h"
#include "support/design2011example.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// The JGJ 55-2011 calculation sheet over the spreadsheet recorder: the cells written, the refusals, the
// failures that leave earlier files alone, and the PDF handed to the desktop.
namespace {

using namespace Design2011;

const QDate kDay(2026, 12, 8);

// Everything one save needs, with one transcript of the prompter's, launcher's and spreadsheet's lines.
struct Rig {
    Rig() : prompter(sink()), launcher(sink()), spreadsheets(sink()), fields(design2011FieldNames()) {
        QDir(root.path()).mkpath(QStringLiteral("mb"));
        QFile(path(QStringLiteral("mb/phm2011.xls"))).open(QIODevice::WriteOnly);
        fillDesign2011Example(fields);
    }
    std::function<void(const QString&)> sink() {
        return [this](const QString& line) { log << line; };
    }
    QString path(const QString& name) const { return root.path() + u'/' + name; }
    QString save(bool calculated = true, QDate date = kDay) {
        const Design2011Calculation calculation = design2011CalculationOf(fields);
        return Design2011Report(fields, prompter, spreadsheets, launcher, InstallPaths(root.path()), date)
            .save(calculated ? &calculation : nullptr);
    }
    void open(const QString& name) {
        Design2011Report(fields, prompter, spreadsheets, launcher, InstallPaths(root.path())).open(name);
    }
    // The cells written, "ROW COLUMN" -> text.
    QMap<QString, QString> cells() const {
        static const QRegularExpression cell(QStringLiteral("^XLS cell (\\d+ \\d+) text \"(.*)\"$"));
        QMap<QString, QString> out;
        for (const QString& line : log)
            if (const QRegularExpressionMatch match = cell.match(line); match.hasMatch())
                out.insert(match.captured(1), match.captured(2));
        return out;
    }
    int cellLines() const { return int(log.filter(QRegularExpression(QStringLiteral("^XLS cell "))).size()); }
    QStringList files() const {
        return QDir(root.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir root;
    QStringList log;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    RecordingSpreadsheetFactory spreadsheets;
    MapFields fields;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class Design2011ReportTest : public QObject {
    Q_OBJECT

private slots:
    // The whole conversation of a save: the template, the cells, the temporary files put in place.
    void saveTranscript() {
        Rig rig;
        QCOMPARE(rig.save(), QStringLiteral("JGJ55-2011-2026-12-8"));
        const QString name = QStringLiteral("JGJ55-2011-2026-12-8");
        QCOMPARE(rig.log.mid(0, 3), (QStringList{"XLS start visible=0",
                                                 "XLS open \"" + rig.path("mb/phm2011.xls") + "\" template",
                                                 "XLS author \"" + rig.path(name + ".xls") + u'"'}));
        const QStringList tail = rig.log.mid(3 + rig.cellLines());
        QCOMPARE(tail.size(), 3);
        QVERIFY2(tail[0].startsWith("XLS saveas \"" + rig.path(".mixdesign-")), qPrintable(tail[0]));
        QVERIFY2(tail[1].startsWith("XLS pdf \"" + rig.path(".mixdesign-")), qPrintable(tail[1]));
        QCOMPARE(tail[2], QStringLiteral("XLS quit"));
        QVERIFY(rig.prompter.messages().isEmpty());
        QCOMPARE(rig.files(), (QStringList{name + ".pdf", name + ".xls"}));
        QCOMPARE(rig.fields.text(reportStatus), "已保存：" + name + ".xls、" + name + ".pdf");
        QCOMPARE(rig.spreadsheets.running(), 0);
    }

    void cellsOfTheExample_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("text");
        QTest::newRow("report name") << "2 6"
                                     << "JGJ55-2011-2026-12-8";
        QTest::newRow("date") << "2 29"
                              << "2026-12-8";
        QTest::newRow("grade") << "4 8"
                               << "C30";
        QTest::newRow("σ from statistics, off") << "5 8"
                                                << "否";
        QTest::newRow("σ input") << "6 8"
                                 << "5.0";
        QTest::newRow("cement kind") << "7 8"
                                     << "普通硅酸盐水泥";
        QTest::newRow("measured fce, empty") << "10 8"
                                             << "";
        QTest::newRow("admixture dosage") << "14 8"
                                          << "2.0";
        QTest::newRow("fly ash dosage") << "4 22"
                                        << "15";
        QTest::newRow("fly ash grade") << "5 22"
                                       << "Ⅱ级";
        QTest::newRow("environment") << "10 22"
                                     << "二a";
        QTest::newRow("air entraining, off") << "11 22"
                                             << "否";
        QTest::newRow("pumped, on") << "13 22"
                                    << "是";
        QTest::newRow("method") << "4 34"
                                << "质量法";
        QTest::newRow("air content") << "11 34"
                                     << "1";
        QTest::newRow("trial volume") << "14 34"
                                      << "20";
        QTest::newRow("σ used") << "16 9"
                                << "5.0";
        QTest::newRow("σ basis") << "16 12"
                                 << "表4.0.2";
        QTest::newRow("fcu,0") << "17 9"
                               << "38.2";
        QTest::newRow("γc") << "18 9"
                            << "1.16";
        QTest::newRow("γc basis") << "18 12"
                                  << "表5.1.4";
        QTest::newRow("fce") << "19 9"
                             << "49.3";
        QTest::newRow("fce basis") << "19 12"
                                   << "式(5.1.4)";
        QTest::newRow("γf") << "20 9"
                            << "0.90";
        QTest::newRow("γs") << "21 9"
                            << "1.00";
        QTest::newRow("fb") << "24 9"
                            << "44.4";
        QTest::newRow("W/B calculated") << "25 9"
                                        << "0.548";
        QTest::newRow("W/B max") << "26 9"
                                 << "0.55";
        QTest::newRow("W/B adopted") << "27 9"
                                     << "0.55";
        QTest::newRow("W/B basis") << "27 12"
                                   << "式(5.1.1)、第3.0.3条";
        QTest::newRow("table water") << "16 26"
                                     << "233";
        QTest::newRow("water") << "17 26"
                               << "175";
        QTest::newRow("binder") << "18 26"
                                << "318";
        QTest::newRow("fly ash") << "19 26"
                                 << "48";
        QTest::newRow("slag") << "20 26"
                              << "48";
        QTest::newRow("cement") << "21 26"
                                << "222";
        QTest::newRow("admixture") << "22 26"
                                   << "6.36";
        QTest::newRow("sand ratio range") << "23 26"
                                          << "39.0～44.0";
        QTest::newRow("sand ratio") << "24 26"
                                    << "42";
        QTest::newRow("sand ratio basis") << "24 30"
                                          << "表值范围中值";
        QTest::newRow("sand") << "25 26"
                              << "801";
        QTest::newRow("sand basis") << "25 30"
                                    << "式(5.5.1) 质量法";
        QTest::newRow("stone") << "26 26"
                               << "1106";
        QTest::newRow("density") << "27 26"
                                 << "2400";
        QTest::newRow("density basis") << "27 30"
                                       << "假定值（质量法）";
        QTest::newRow("mix line")
            << "28 9"
            << "水泥 222，粉煤灰 48，矿渣粉 48，砂 801，碎石 1106，水 175，外加剂 6.36（kg/m³）";
        QTest::newRow("proportion") << "29 9"
                                    << "1 : 2.52 : 3.48，水胶比 0.55";
        QTest::newRow("W/B check") << "31 1"
                                   << "水胶比 0.55 不大于最大水胶比 0.55（GB 50010 表3.5.3）";
        QTest::newRow("pump check")
            << "35 1"
            << "泵送混凝土：胶凝材料用量 318 kg/m³ 不小于 300 kg/m³，砂率 42% 在 35%～45% 之间";
        QTest::newRow("trial W/B, lower") << "39 10"
                                          << "0.50";
        QTest::newRow("trial W/B, design") << "39 19"
                                           << "0.55";
        QTest::newRow("trial W/B, higher") << "39 28"
                                           << "0.60";
        QTest::newRow("trial cement per m³") << "41 19"
                                             << "222";
        QTest::newRow("trial admixture per m³") << "47 28"
                                                << "5.84";
        QTest::newRow("trial cement per batch") << "48 10"
                                                << "4.88";
        QTest::newRow("trial admixture per batch") << "54 19"
                                                   << "0.127";
    }
    void cellsOfTheExample() {
        QFETCH(QString, cell);
        QFETCH(QString, text);
        Rig rig;
        QVERIFY(!rig.save().isEmpty());
        const QMap<QString, QString> cells = rig.cells();
        QVERIFY2(cells.contains(cell), qPrintable(cell));
        QCOMPARE(cells.value(cell), text);
    }

    // Every input, result, check and trial cell reaches a cell of its own, once (the coefficients γc, γf, γs
    // once more in the calculation); the window's helper labels do not, and the template's own cells (αa,
    // αb) are left alone.
    void everyFieldOnce() {
        Rig rig;
        // The special requirements print together in one line of their own (SheetForm::Special).
        const QSet<QString> offSheet = {gammaFRange,    gammaSRange,     environmentText, reportStatus, note,
                                        impermeability, frostResistance, frostExposure,   massConcrete};
        const QSet<QString> twice = {gammaC, gammaF, gammaS};
        const QSet<QString> boxes = {sigmaFromStatistics, airEntrained, pumped, massConcrete};
        for (const QString& name : design2011FieldNames())
            rig.fields.setText(name, boxes.contains(name) ? QStringLiteral("off") : "<" + name + ">");
        QVERIFY(!rig.save().isEmpty());
        const QMap<QString, QString> cells = rig.cells();
        QCOMPARE(rig.cellLines(), cells.size()); // no cell written twice
        QStringList texts = cells.values();
        for (const QString& name : design2011FieldNames()) {
            if (boxes.contains(name))
                continue;
            const qsizetype count = texts.count("<" + name + ">");
            QVERIFY2(count == (offSheet.contains(name) ? 0 : twice.contains(name) ? 2 : 1), qPrintable(name));
        }
        QCOMPARE(texts.count(QStringLiteral("否")), boxes.size() - 1); // massConcrete prints in its line
        QVERIFY(!cells.contains(QStringLiteral("22 9")));
        QVERIFY(!cells.contains(QStringLiteral("23 9")));
        // Inside the printed page of 36 columns and 57 rows, below the title; the stored inputs beside it.
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const QStringList at = it.key().split(u' ');
            if (at[1].toInt() >= 40)
                continue;
            QVERIFY2(at[0].toInt() >= 2 && at[0].toInt() <= 57, qPrintable(it.key()));
            QVERIFY2(at[1].toInt() >= 1 && at[1].toInt() <= 36, qPrintable(it.key()));
        }
    }

    void bases_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("basis");
        QTest::newRow("σ from statistics") << sigmaFromStatistics << "on"
                                           << "16 12"
                                           << "第4.0.2条（统计资料）";
        QTest::newRow("measured fce: γc unused") << fceMeasured << "50.1"
                                                 << "18 12"
                                                 << "未采用（fce实测）";
        QTest::newRow("measured fce") << fceMeasured << "50.1"
                                      << "19 12"
                                      << "实测值";
        QTest::newRow("blank fce is none") << fceMeasured << "  "
                                           << "19 12"
                                           << "式(5.1.4)";
        QTest::newRow("typed W/B") << wbOverride << "0.45"
                                   << "27 12"
                                   << "输入采用值";
        QTest::newRow("typed sand ratio") << sandRatioOverride << "40"
                                          << "24 30"
                                          << "输入采用值";
        QTest::newRow("volume method: sand") << densityMethod << "体积法"
                                             << "25 30"
                                             << "式(5.5.2) 体积法";
        QTest::newRow("volume method: stone") << densityMethod << "体积法"
                                              << "26 30"
                                              << "式(5.5.2) 体积法";
        QTest::newRow("volume method: density") << densityMethod << "体积法"
                                                << "27 30"
                                                << "各材料用量之和";
    }
    // The clause or table beside a value follows the inputs that decided it.
    void bases() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, cell);
        QFETCH(QString, basis);
        Rig rig;
        rig.fields.setText(field, text);
        QVERIFY(!rig.save().isEmpty());
        QCOMPARE(rig.cells().value(cell), basis);
    }

    void unusedAdmixtureCoefficient_data() {
        QTest::addColumn<QString>("dosage");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("used") << "15"
                              << "0.90"
                              << "0.90";
        QTest::newRow("dosage 0") << "0"
                                  << "0.85"
                                  << "1.00";
        QTest::newRow("dosage 0.0 with blanks") << " 0.0 "
                                                << "0.85"
                                                << "1.00";
        QTest::newRow("small dosage") << "0.5"
                                      << "0.99"
                                      << "0.99";
    }
    // γf and γs as the calculation used them: 1 for an admixture that is not used.
    void unusedAdmixtureCoefficient() {
        QFETCH(QString, dosage);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        Rig rig;
        rig.fields.setText(flyAshPercent, dosage);
        rig.fields.setText(gammaF, shown);
        rig.fields.setText(slagPercent, dosage);
        rig.fields.setText(gammaS, shown);
        QVERIFY(!rig.save().isEmpty());
        QCOMPARE(rig.cells().value(QStringLiteral("20 9")), written);
        QCOMPARE(rig.cells().value(QStringLiteral("21 9")), written);
        // The inputs themselves stay as typed.
        QCOMPARE(rig.cells().value(QStringLiteral("6 22")), shown);
    }

    // Without a date of its own the sheet bears the day it is saved.
    void dateOfTheSave() {
        Rig rig;
        QVERIFY(!rig.save(true, QDate()).isEmpty());
        QCOMPARE(rig.cells().value(QStringLiteral("2 29")), dateText(QDate::currentDate()));
    }

    // No calculation of the present inputs: the stop box, and nothing else happens.
    void refusedWithoutCalculation() {
        Rig rig;
        rig.fields.setText(reportStatus, QStringLiteral("已保存：A.xls、A.pdf"));
        rig.prompter.queueAnswer(MessageButton::Ok);
        QCOMPARE(rig.save(false), QString());
        QCOMPARE(rig.prompter.messages().size(), 1);
        const MessageBoxRequest box = rig.prompter.messages()[0];
        QCOMPARE(box.text, QStringLiteral("请先点击“计算”。"));
        QCOMPARE(box.icon, MessageIcon::Stop);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(titleOrApp(box.title), kAppTitle);
        QCOMPARE(rig.log.filter(QStringLiteral("XLS")), QStringList());
        QCOMPARE(rig.fields.text(reportStatus), QStringLiteral("已保存：A.xls、A.pdf"));
        QCOMPARE(rig.files(), QStringList());
    }

    void failedSave_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString name = SaveFailure::nameRuleMessage();
        QTest::newRow("name with a folder") << "../x" << name;
        QTest::newRow("backslash") << "a\\b" << name;
        QTest::newRow("empty name") << "" << name;
        QTest::newRow("blanks only") << "   " << name;
        QTest::newRow("dot") << "." << name;
        QTest::newRow("dot dot") << ".." << name;
        QTest::newRow("hidden, like a scratch file") << ".mixdesign-99999-abcdef" << name;
        QTest::newRow("hidden after its blanks") << " .a" << name;
        QTest::newRow("244 bytes") << QString(244, u'a') << name;
        QTest::newRow("82 Chinese characters") << QString(82, u'书') << name;
        QTest::newRow("open in another office")
            << "in use"
            << QStringLiteral("文件“JGJ55-2011-2026-12-8.xls”正在被其他程序使用，请关闭后再保存。");
        QTest::newRow("a folder in place of the PDF")
            << "pdf folder"
            << QStringLiteral(
                   "无法替换“JGJ55-2011-2026-12-8.pdf”：它是文件夹或链接，或者不允许写入。请换一个文件名，"
                   "或移走该文件。");
        QTest::newRow("template missing")
            << "no template" << SpreadsheetSession::templateMessage("phm2011.xls");
        QTest::newRow("office stops answering")
            << "lost office" << QStringLiteral("电子表格程序没有响应，请稍后再试。");
        QTest::newRow("office ends") << "killed office"
                                     << QStringLiteral("电子表格程序意外退出，文件没有保存，请重试。");
    }
    // Each failure: one stop box naming its cause, never the question about the inputs; no name returned, the
    // status and an earlier sheet as they were.
    void failedSave() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        Rig rig;
        const QString name = QStringLiteral("JGJ55-2011-2026-12-8");
        writeFile(rig.path(name + ".xls"), "earlier sheet");
        rig.fields.setText(reportStatus, QStringLiteral("已保存：earlier"));
        if (kind == QStringLiteral("in use"))
            rig.spreadsheets.setInUse(rig.path(name + ".xls"));
        else if (kind == QStringLiteral("pdf folder"))
            QVERIFY(QDir(rig.root.path()).mkdir(name + ".pdf"));
        else if (kind == QStringLiteral("no template"))
            QVERIFY(QFile::remove(rig.path(QStringLiteral("mb/phm2011.xls"))));
        else if (kind == QStringLiteral("lost office"))
            rig.spreadsheets.injectFault(StartFault::Stop);
        else if (kind == QStringLiteral("killed office"))
            rig.spreadsheets.injectFault(StartFault::Kill);
        else
            rig.fields.setText(reportName, kind);
        rig.prompter.queueAnswer(MessageButton::Ok);
        QCOMPARE(rig.save(), QString());
        QCOMPARE(rig.prompter.messages().size(), 1);
        QCOMPARE(rig.prompter.messages()[0].text, message);
        QCOMPARE(rig.prompter.messages()[0].icon, MessageIcon::Stop);
        QCOMPARE(rig.prompter.messages()[0].buttons, MessageButtons::Ok);
        QCOMPARE(rig.fields.text(reportStatus), QStringLiteral("已保存：earlier"));
        QCOMPARE(contents(rig.path(name + ".xls")), QByteArray("earlier sheet"));
        QCOMPARE(rig.files(), QStringList{name + ".xls"});
        QCOMPARE(rig.spreadsheets.running(), 0);
    }

    // 查看计算书 before a save: a notice, nothing opened.
    void openBeforeSave() {
        Rig rig;
        rig.prompter.queueAnswer(MessageButton::Ok);
        rig.open(QString());
        QCOMPARE(rig.prompter.messages().size(), 1);
        QCOMPARE(rig.prompter.messages()[0].text, QStringLiteral("请先保存计算书。"));
        QCOMPARE(rig.prompter.messages()[0].buttons, MessageButtons::Ok);
        QCOMPARE(rig.launcher.lines(), QStringList());
    }

    void openSaved_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("plain") << "JGJ55-2011-2026-12-8" << QByteArray("JGJ55-2011-2026-12-8.pdf");
        QTest::newRow("Chinese") << "计算书" << QByteArray("%E8%AE%A1%E7%AE%97%E4%B9%A6.pdf");
        QTest::newRow("blank, hash, percent") << "C30 #2 5%" << QByteArray("C30%20%232%205%25.pdf");
    }
    // The PDF beside the sheet as a file address, each byte outside the plain characters percent-encoded.
    void openSaved() {
        QFETCH(QString, name);
        QFETCH(QByteArray, encoded);
        Rig rig;
        writeFile(rig.path(name + ".pdf"), "%PDF");
        rig.open(name);
        QCOMPARE(rig.prompter.messages().size(), 0);
        const QByteArray folder =
            QFileInfo(rig.root.path()).absoluteFilePath().toUtf8().toPercentEncoding("/");
        QCOMPARE(rig.launcher.lines(),
                 QStringList{"OPENURL file://" + QString::fromLatin1(folder + '/' + encoded)});
    }

    // 查看计算书 after the PDF went, or where the desktop has no viewer: a stop box that says so.
    void openFails_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("asked");
        QTest::newRow("deleted by hand")
            << false << "无法打开“C30.pdf”：文件已不存在，可能已被删除或移走，请重新保存。" << 0;
        QTest::newRow("no viewer") << true << "无法打开“C30.pdf”：系统中没有可以查看PDF文件的程序。" << 1;
    }
    void openFails() {
        QFETCH(bool, present);
        QFETCH(QString, message);
        QFETCH(int, asked);
        Rig rig;
        if (present)
            writeFile(rig.path("C30.pdf"), "%PDF");
        rig.launcher.setOpeningFails(true);
        rig.prompter.queueAnswer(MessageButton::Ok);
        rig.open(QStringLiteral("C30"));
        QCOMPARE(rig.prompter.messages().size(), 1);
        QCOMPARE(rig.prompter.messages()[0].text, message);
        QCOMPARE(rig.prompter.messages()[0].icon, MessageIcon::Stop);
        QCOMPARE(rig.launcher.lines().size(), asked);
    }

    // The name loses the blanks at its ends, on disk, in the status and on the sheet.
    void nameTrimmed() {
        Rig rig;
        rig.fields.setText(reportName, QStringLiteral(" \tR 2 "));
        QCOMPARE(rig.save(), QStringLiteral("R 2"));
        QCOMPARE(rig.files(), (QStringList{"R 2.pdf", "R 2.xls"}));
        QCOMPARE(rig.fields.text(reportStatus), QStringLiteral("已保存：R 2.xls、R 2.pdf"));
        QCOMPARE(rig.cells().value(QStringLiteral("2 6")), QStringLiteral("R 2"));
        QCOMPARE(rig.fields.text(reportName), QStringLiteral(" \tR 2 "));
    }
};

QTEST_GUILESS_MAIN(Design2011ReportTest)
#include "test_design2011_report.moc"
