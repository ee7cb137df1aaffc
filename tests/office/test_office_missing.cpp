#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "office/libreofficefactory.h"
#include "report/reportexport.h"
#include "support/form1fields.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The real office factory when LibreOffice is not there or cannot start at all: the engineer is told so in
// the stop box, never asked about the inputs, and nothing is written or left behind, with the office kept
// ready or not.
class OfficeMissingTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QTemporaryDir m_temp;
    QTemporaryDir m_programs;

    QString root() const { return m_root.path() + u'/'; }

    // What a start program stands for: missing, not executable, or one that ends at once.
    static QString program(const QString& kind, const QString& folder) {
        if (kind == QStringLiteral("missing"))
            return folder + QStringLiteral("/no-such-soffice");
        if (kind == QStringLiteral("not executable")) {
            const QString path = folder + QStringLiteral("/soffice");
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write("#!/bin/sh\nexit 0\n");
            return path;
        }
        return QStringLiteral("/bin/false");
    }

    QStringList leftovers() const {
        QStringList names =
            QDir(m_temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        names += QDir(m_root.path()).entryList(QDir::Files | QDir::Hidden);
        return names;
    }

private slots:
    void initTestCase() {
        QVERIFY(installTemplates(m_root.path(), {"phm.xls"}));
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    void unavailableOffice_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("warm");
        QTest::addColumn<bool>("handOver");
        for (const char* kind : {"missing", "not executable", "ends at once"})
            for (const bool warm : {false, true})
                for (const bool handOver : {false, true})
                    QTest::addRow("%s, %s, %s", kind, warm ? "kept ready" : "cold",
                                  handOver ? "导入EXCEL" : "文件保存为")
                        << QString::fromLatin1(kind) << warm << handOver;
    }
    void unavailableOffice() {
        QFETCH(QString, kind);
        QFETCH(bool, warm);
        QFETCH(bool, handOver);
        LibreOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly,
                                   program(kind, m_programs.path()),
                                   warm ? LibreOfficeFactory::Keep::On : LibreOfficeFactory::Keep::Off);
        // A kept office that cannot start is not retried in the background; the command reports it.
        factory.keepReady();
        QTRY_COMPARE(factory.keptProcessGroup(), -1);

        MapFields fields(form1FieldNames());
        fillAutomaticReport(fields, QStringLiteral("M1"));
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        ReportExport exporter(fields, prompter, factory, InstallPaths(m_root.path()));
        handOver ? exporter.showAutomaticReport() : exporter.saveAutomaticReport();

        const QList<MessageBoxRequest> messages = prompter.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("无法启动电子表格程序 LibreOffice Calc，请确认已经安装。"));
        QCOMPARE(messages[0].title, QStringLiteral("重要提示"));
        QCOMPARE(messages[0].icon, MessageIcon::Stop);
        QCOMPARE(messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(factory.running(), 0);
        QTRY_COMPARE(leftovers(), QStringList());
    }
};

QTEST_GUILESS_MAIN(OfficeMissingTest)
#include "test_office_missing.moc"
