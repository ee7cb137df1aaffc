#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "report/adjustworkbook.h"
#include "report/design2011report.h"
#include "report/reportexport.h"
#include "report/spreadsheetsession.h"
#include "support/design2011example.h"
#include "support/form1fields.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Every export against the real LibreOffice with a template that is not of its form: an empty file, or a
// workbook of another form. Nothing is written from it; the report saved before stays byte for byte.
namespace {

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class OfficeTemplatesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QTemporaryDir m_temp;
    // One office kept ready for every case: none of them is about the office's own life.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    int m_reports = 0;

    QString root() const { return m_root.path() + u'/'; }

    // The command once; the texts of its messages but the adjustment export's own question.
    QStringList run(TestOfficeFactory& factory, const QString& command, const QString& name) {
        ScriptedPrompter prompter;
        // The adjustment exports ask first; every failure is a stop box.
        if (command == QStringLiteral("施工配比") || command == QStringLiteral("试验配比"))
            prompter.queueAnswer(MessageButton::Yes);
        prompter.queueAnswer(MessageButton::Ok);
        const InstallPaths paths(m_root.path());
        if (command == QStringLiteral("文件保存为") || command == QStringLiteral("导入EXCEL")) {
            MapFields fields(form1FieldNames());
            fillAutomaticReport(fields, name);
            ReportExport exporter(fields, prompter, factory, paths);
            command == QStringLiteral("文件保存为") ? exporter.saveAutomaticReport()
                                                    : exporter.showAutomaticReport();
        } else if (command == QStringLiteral("保存计算书")) {
            MapFields fields(design2011FieldNames());
            fillDesign2011Example(fields);
            fields.setText(Design2011::reportName, name);
            RecordingLauncher launcher;
            const Design2011Calculation calculation = design2011CalculationOf(fields);
            Design2011Report(fields, prompter, factory, launcher, paths).save(&calculation);
        } else {
            MapFields fields(MixAdjustment::controlNames());
            for (const QString& field : MixAdjustment::controlNames())
                fields.setText(field, QStringLiteral("1.5"));
            fields.setText(Tiaozheng::fileName, name);
            AdjustWorkbook workbook(fields, prompter, factory, paths);
            command == QStringLiteral("施工配比") ? workbook.exportConstruction()
                                                  : workbook.exportLaboratory();
        }
        // A workbook left open is closed by the user before the next command.
        factory.closeHandedOver();
        QStringList texts;
        for (const MessageBoxRequest& box : prompter.messages())
            if (box.text != QStringLiteral("您确定要把数据导出到EXCEL文件吗？"))
                texts << box.text;
        return texts;
    }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phm.xls", "phtzm.xls", "phtzsm.xls", "phm2011.xls"}));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    void templateOfAnotherForm_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QString>("instead"); // the template's content: "" empty, else that template's
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("pdf");
        const struct {
            const char* command;
            const char* templateName;
            const char* other;
            bool pdf;
        } commands[] = {
            {"文件保存为", "phm.xls", "phtzm.xls", true},   {"导入EXCEL", "phm.xls", "phm2011.xls", true},
            {"施工配比", "phtzm.xls", "phtzsm.xls", false}, {"试验配比", "phtzsm.xls", "phtzm.xls", false},
            {"保存计算书", "phm2011.xls", "phm.xls", true},
        };
        // Every command names the template at fault.
        for (const auto& c : commands) {
            const QString failure = SpreadsheetSession::templateMessage(QString::fromLatin1(c.templateName));
            QTest::addRow("%s, empty %s", c.command, c.templateName)
                << QString::fromUtf8(c.command) << QString::fromLatin1(c.templateName) << QString() << failure
                << c.pdf;
            QTest::addRow("%s, %s in place of %s", c.command, c.other, c.templateName)
                << QString::fromUtf8(c.command) << QString::fromLatin1(c.templateName)
                << QString::fromLatin1(c.other) << failure << c.pdf;
        }
    }
    void templateOfAnotherForm() {
        QFETCH(QString, command);
        QFETCH(QString, templateName);
        QFETCH(QString, instead);
        QFETCH(QString, failure);
        QFETCH(bool, pdf);
        TestOfficeFactory& factory = m_office;
        const QString name = QStringLiteral("T%1").arg(++m_reports);
        QCOMPARE(run(factory, command, name), QStringList());
        const QString report = root() + name + QStringLiteral(".xls");
        const QByteArray saved = bytes(report);
        const QByteArray page = bytes(root() + name + QStringLiteral(".pdf"));
        QVERIFY(saved.size() > 0);
        QCOMPARE(page != "<missing>", pdf);

        const QString templ = root() + QStringLiteral("mb/") + templateName;
        const QByteArray good = bytes(templ);
        {
            QFile file(templ);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            if (!instead.isEmpty())
                file.write(bytes(root() + QStringLiteral("mb/") + instead));
        }
        const QStringList messages = run(factory, command, name);
        {
            QFile file(templ);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(good);
        }
        QCOMPARE(messages, QStringList{failure});
        QCOMPARE(bytes(report), saved);
        QCOMPARE(bytes(root() + name + QStringLiteral(".pdf")), page);
        QCOMPARE(factory.running(), 0);
        QCOMPARE(
            QDir(m_root.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("mixdesign")),
            QStringList());
    }

    void cleanupTestCase() { m_office.endAll(); }
};

QTEST_GUILESS_MAIN(OfficeTemplatesTest)
#include "test_office_templates.moc"
