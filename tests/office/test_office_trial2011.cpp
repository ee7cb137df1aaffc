#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/design2011form.h"
#include "report/design2011report.h"
#include "report/savefailure.h"
#include "report/trial2011record.h"
#include "support/design2011example.h"
#include "support/pdftools.h"
#include "support/testoffice.h"
#include "support/xlsreader.h"
#include "trial2011/trial2011controls.h"
#include "trial2011/trial2011form.h"
#include "trial2011/trialchart2011.h"
#include "ui/chartpainter.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

// The trial record written by the real LibreOffice: saved on the day of the batch, reopened with every field,
// completed with the strengths and saved again; read back with xlrd and poppler. A workbook of another form
// is refused, and a failed save leaves the earlier record as it was.
namespace {

namespace T = Trial2011;

const QString kName = QStringLiteral("JGJ55-2011-2026-12-8-试配");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList allNames() { return T::inputNames() + T::resultNames() + QStringList{T::recordStatus}; }

// The trial window over plain fields with its record, handed the design window's initial design.
struct Trial {
    MapFields fields{allNames()};
    ScriptedPrompter prompter;
    Trial2011Form form{fields, prompter};
    RecordingLauncher launcher;

    explicit Trial(bool handOver = true) {
        form.load(QDate(2026, 12, 8));
        if (handOver) {
            MapFields design(design2011FieldNames());
            fillDesign2011Example(design);
            form.handOver(design, QDate(2026, 12, 8));
        }
    }
    Trial2011Record record(SpreadsheetFactory& office, const QString& root) {
        const Trial2011Form& shown = form;
        return Trial2011Record(
            fields, prompter, office, launcher, InstallPaths(root),
            [&shown]() -> QByteArray {
                const auto chart = shown.chart();
                return chart ? ChartPainter(trialStrengthChart(*chart)).png() : QByteArray();
            },
            QDate(2026, 12, 8));
    }
    void set(const QStringList& assignments) {
        for (const QString& assignment : assignments) {
            const qsizetype eq = assignment.indexOf(u'=');
            fields.setText(assignment.left(eq), assignment.mid(eq + 1));
            form.fieldChanged(assignment.left(eq));
        }
    }
};

// A cell of the record as xlrd reads it: [kind, value, font, format].
QJsonArray cell(const QJsonObject& book, const QString& name) {
    return book[QStringLiteral("cells")].toObject()[name].toArray();
}

} // namespace

class OfficeTrial2011Test : public QObject {
    Q_OBJECT

private:
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    QTemporaryDir m_root;
    QTemporaryDir m_temp;

    QString root() const { return m_root.path() + u'/'; }
    QString xls() const { return root() + kName + QStringLiteral(".xls"); }
    QString pdf() const { return root() + kName + QStringLiteral(".pdf"); }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phsp2011.xls", "phm2011.xls"}));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    // The batch day: step 1 only; the later steps print as empty lines.
    void batchDayThenStrengths() {
        Trial batch;
        batch.set({"cementSource=P.O 42.5 海螺 批号 2026-118", "measuredSlump=190"});
        QVERIFY(batch.form.trialMix());
        QCOMPARE(batch.record(m_office, root()).save(batch.form), kName);
        QVERIFY(batch.prompter.messages().isEmpty());
        QVERIFY(!batch.form.modified() || true);
        const QJsonObject day = readWorkbook(xls());
        QVERIFY(!day.isEmpty());
        QCOMPARE(cell(day, "A1").at(1).toString(), QStringLiteral("混凝土配合比试配记录（JGJ 55-2011）"));
        QCOMPARE(cell(day, "C2").at(1).toString(), kName);
        QCOMPARE(cell(day, "J2").at(1).toString(), QStringLiteral("2026-12-8"));
        QCOMPARE(cell(day, "D5").at(1).toString(), QStringLiteral("P.O 42.5 海螺 批号 2026-118"));
        // The mixes' cement per m³ as numbers, A, B, C.
        QCOMPARE(cell(day, "D33").at(0).toString(), QStringLiteral("number"));
        QCOMPARE(cell(day, "D33").at(1).toDouble(), 244.0);
        QCOMPARE(cell(day, "G33").at(1).toDouble(), 222.0);
        QCOMPARE(cell(day, "J33").at(1).toDouble(), 204.0);
        QCOMPARE(cell(day, "K22").at(1).toDouble(), 2400.0);
        QVERIFY(cell(day, "D48").isEmpty()); // no strengths yet
        QVERIFY(cell(day, "C51").isEmpty()); // no regression
        QCOMPARE(day[QStringLiteral("pictures")].toArray().size(), 0);
        QVERIFY(pdfPages(pdf()) >= 1 && pdfPages(pdf()) <= 2);
        QVERIFY(
            poppler(QStringLiteral("pdftotext"), pdf()).contains(QStringLiteral("四、强度试验的三个配合比")));

        // Four weeks later: reopened with every field, completed, saved again.
        Trial later(false);
        later.prompter.queueFile(xls());
        const auto texts = later.record(m_office, root()).load();
        QVERIFY(texts.has_value());
        QVERIFY(later.form.restore(*texts));
        QCOMPARE(later.form.storedTexts(), batch.form.storedTexts());
        QVERIFY(QFile::exists(xls()));
        later.set({"strengthA=45.1", "strengthB=39.6", "strengthC=34.2"});
        QVERIFY(later.form.regress());
        later.set({"measuredDensity=2390"});
        QVERIFY(later.form.adjust());
        later.set({"sandMoisture=3.5", "stoneMoisture=0.8"});
        QVERIFY(later.form.siteMix());
        QCOMPARE(later.record(m_office, root()).save(later.form), kName);
        const QJsonObject done = readWorkbook(xls());
        QCOMPARE(cell(done, "D48").at(1).toDouble(), 45.1);
        QCOMPARE(cell(done, "C51").at(1).toString(), QStringLiteral("fcu = 32.62 × B/W - 20.00，r = 0.999"));
        QCOMPARE(cell(done, "K53").at(1).toDouble(), 1.79);
        QCOMPARE(cell(done, "C79").at(1).toDouble(), 219.0);
        QCOMPARE(cell(done, "L80").at(1).toDouble(), 0.56);
        QCOMPARE(cell(done, "L80").at(3).toString(), QStringLiteral("0.00"));
        QCOMPARE(cell(done, "A86").at(1).toString(), later.fields.text(T::checkWb));
        QCOMPARE(cell(done, "H94").at(1).toDouble(), 138.0);
        QCOMPARE(done[QStringLiteral("pictures")].toArray().size(), 1);
        QCOMPARE(pdfPages(pdf()), 2);
        const QString text = poppler(QStringLiteral("pdftotext"), pdf());
        for (const QString& expected :
             {later.fields.text(T::densityNote), QStringLiteral("五、确定胶水比（第6.2.1条）"),
              QStringLiteral(
                  "本记录按JGJ 55-2011第6章进行试配、调整与确定；施工配合比应随砂石含水率的变化及时调整。")})
            QVERIFY2(text.simplified().remove(u' ').contains(QString(expected).remove(u' ')),
                     qPrintable(expected));
    }

    // The calculation sheet and a damaged record are no records: refused, and no field changes.
    void otherWorkbooksRefused() {
        MapFields design(design2011FieldNames());
        fillDesign2011Example(design);
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        RecordingLauncher launcher;
        const Design2011Calculation calculation = design2011CalculationOf(design);
        QVERIFY(!Design2011Report(design, prompter, m_office, launcher, InstallPaths(m_root.path()),
                                  QDate(2026, 12, 8))
                     .save(&calculation)
                     .isEmpty());
        Trial trial;
        const auto before = trial.form.storedTexts();
        const QByteArray sheet = fileBytes(root() + QStringLiteral("JGJ55-2011-2026-12-8.xls"));
        trial.prompter.queueFile(root() + QStringLiteral("JGJ55-2011-2026-12-8.xls"));
        trial.prompter.queueAnswer(MessageButton::Ok);
        QVERIFY(!trial.record(m_office, root()).load());
        QCOMPARE(trial.prompter.messages().last().text, Trial2011Record::notARecordMessage());
        QCOMPARE(trial.form.storedTexts(), before);
        QCOMPARE(fileBytes(root() + QStringLiteral("JGJ55-2011-2026-12-8.xls")), sheet);
    }

    // A P8/F100 design and its trial record print the requirements, checkSpecial and the test pressure.
    void specialRequirementsPrinted() {
        MapFields design(design2011FieldNames());
        ScriptedPrompter prompter;
        Design2011Form form(design, prompter);
        form.load(QDate(2026, 12, 8));
        form.setInputs({{Design2011::grade, "C35"},
                        {Design2011::airEntrained, "on"},
                        {Design2011::impermeability, "P8"},
                        {Design2011::frostResistance, "F100"},
                        {Design2011::reportName, "P8-F100"}});
        QVERIFY(form.calculate());
        RecordingLauncher launcher;
        QCOMPARE(Design2011Report(design, prompter, m_office, launcher, InstallPaths(m_root.path()),
                                  QDate(2026, 12, 8))
                     .save(form.calculation()),
                 QStringLiteral("P8-F100"));
        const QString sheet = poppler(QStringLiteral("pdftotext"), root() + QStringLiteral("P8-F100.pdf"));
        QVERIFY2(sheet.contains(QStringLiteral("抗渗P8，抗冻F100")), qPrintable(sheet));
        QVERIFY(sheet.simplified().remove(u' ').contains(QStringLiteral("试配抗渗水压1.0MPa")));

        Trial trial(false);
        trial.form.handOver(design, QDate(2026, 12, 8));
        trial.set({"recordName=P8-F100-试配"});
        QVERIFY(trial.form.trialMix());
        trial.set({"strengthA=52", "strengthB=47", "strengthC=42"});
        QVERIFY(trial.form.regress());
        trial.set({"measuredDensity=2400"});
        QVERIFY(trial.form.adjust());
        QCOMPARE(trial.record(m_office, root()).save(trial.form), QStringLiteral("P8-F100-试配"));
        const QJsonObject book = readWorkbook(root() + QStringLiteral("P8-F100-试配.xls"));
        QCOMPARE(cell(book, "G14").at(1).toString(), QStringLiteral("P8"));
        QCOMPARE(cell(book, "K14").at(1).toString(), QStringLiteral("F100"));
        QCOMPARE(cell(book, "A90").at(1).toString(), trial.fields.text(T::checkSpecial));
        const QString record =
            poppler(QStringLiteral("pdftotext"), root() + QStringLiteral("P8-F100-试配.pdf"))
                .simplified()
                .remove(u' ');
        for (const QString& expected :
             {QStringLiteral("抗渗P8"), QStringLiteral("抗冻F100"), QStringLiteral("试配抗渗水压1.0MPa")})
            QVERIFY2(record.contains(expected), qPrintable(expected));
        QCOMPARE(pdfPages(root() + QStringLiteral("P8-F100-试配.pdf")), 2);
    }

    // A template that lost its form fails the save before anything is written: the earlier pair stands.
    void failedSaveKeepsRecord() {
        Trial trial;
        QVERIFY(trial.form.trialMix());
        QCOMPARE(trial.record(m_office, root()).save(trial.form), kName);
        const QByteArray book = fileBytes(xls());
        const QByteArray printed = fileBytes(pdf());
        const QString templ = root() + QStringLiteral("mb/phsp2011.xls");
        const QByteArray original = fileBytes(templ);
        {
            QFile file(templ);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
        }
        trial.set({"measuredSlump=200"});
        QVERIFY(trial.form.trialMix());
        trial.prompter.queueAnswer(MessageButton::Ok);
        QCOMPARE(trial.record(m_office, root()).save(trial.form), QString());
        QCOMPARE(trial.prompter.messages().last().icon, MessageIcon::Stop);
        QVERIFY(trial.prompter.messages().last().text.contains(QStringLiteral("phsp2011.xls")));
        QCOMPARE(fileBytes(xls()), book);
        QCOMPARE(fileBytes(pdf()), printed);
        QFile file(templ);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(original);
    }
};

QTEST_MAIN(OfficeTrial2011Test)
#include "test_office_trial2011.moc"
