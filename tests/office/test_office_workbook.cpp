#include "adjust/tiaozheng.h"
#include "common/numbers.h"
#include "common/scriptedprompter.h"
#include "report/adjustcells.h"
#include "report/adjustworkbook.h"
#include "report/cellvalue.h"
#include "support/adjustsession.h"
#include "support/officeprocesses.h"
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

// Adjustment workbooks against the real LibreOffice: export, the user's save, import into a fresh window;
// the files checked with an independent reader (xlrd).
namespace {

const QDate kToday(2026, 12, 7);

QString address(int row, int column) { return QChar(u'A' + column - 1) + QString::number(row); }

// [type, value] of a cell as xlrd reads it; empty for an empty cell.
QJsonArray typeAndValue(const QJsonObject& workbook, const QString& cell) {
    const QJsonArray entry = workbook[QStringLiteral("cells")].toObject()[cell].toArray();
    return entry.isEmpty() ? QJsonArray{} : QJsonArray{entry[0], entry[1]};
}

// What a field text becomes in the workbook: a number for a number text, the text verbatim otherwise.
QJsonArray stored(const QString& text) {
    if (text.isEmpty())
        return {};
    try {
        return {QStringLiteral("number"), readStrict(text)};
    } catch (const std::exception&) {
        return {QStringLiteral("text"), text};
    }
}

// The number format a field text's cell shows: a number text's own decimals, else the template's General.
QString storedFormat(const QString& text) {
    const int decimals = CellValue::typedEntry(text).decimals();
    return decimals > 0 ? fixedFormatCode(decimals) : QStringLiteral("General");
}

QString numberFormat(const QJsonObject& workbook, const QString& cell) {
    return workbook[QStringLiteral("cells")].toObject()[cell].toArray()[3].toString();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Office processes this test started that still run: soffice processes descending from this process.
int childOffices() {
    QMap<QString, QString> parents;
    QStringList offices;
    for (const QString& pid : processIds()) {
        // "pid (comm) state ppid ..."
        const QString line = QString::fromLocal8Bit(processFile(pid, "stat"));
        if (line.isEmpty())
            continue;
        const QStringList rest = line.mid(line.lastIndexOf(u')') + 2).split(u' ');
        if (rest.size() < 2 || rest[0] == QStringLiteral("Z"))
            continue;
        parents[pid] = rest[1];
        if (line.contains(QStringLiteral("(soffice")))
            offices << pid;
    }
    const QString self = QString::number(QCoreApplication::applicationPid());
    int count = 0;
    for (QString pid : offices) {
        for (int depth = 0; depth < 16 && parents.contains(pid); ++depth) {
            pid = parents[pid];
            if (pid == self) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// The adjustment window with its import as a person does it.
struct Session : AdjustSession {
    Session(SpreadsheetLifecycle& spreadsheets, const QString& root)
        : AdjustSession(spreadsheets, root, kToday) {}

    // "打开数据文件" with the dialog answered, the button left, then "从EXCEL文件中导入数据".
    void importFrom(const QString& path) {
        prompter.queueFile(path);
        window->Command11_Click();
        window->Command11_LostFocus();
        prompter.queueAnswer(MessageButton::Yes);
        window->Command12_Click();
    }

    // Message texts shown after the first `skip` boxes.
    QStringList messagesAfter(int skip) {
        QStringList texts;
        for (int i = skip; i < prompter.messages().size(); ++i)
            texts << prompter.messages()[i].text;
        return texts;
    }
};

} // namespace

class OfficeWorkbookTest : public QObject {
    Q_OBJECT

private:
    // One office kept ready for every case: none of them is about the office's own life.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};
    QTemporaryDir m_root;

    QString root() const { return m_root.path() + u'/'; }

private slots:
    void initTestCase() { QVERIFY(installTemplates(m_root.path(), {"phtzm.xls", "phtzsm.xls"})); }

    // The worked example exported with "施工配比", saved by the user, imported into a fresh window: every
    // field back. A second export of the same name fails while the first workbook is open; the import
    // leaves its source byte for byte as it was.
    void constructionRoundTrip() {
        TestOfficeFactory& factory = m_office;
        const QString book = root() + QStringLiteral("C30配合比.xls");
        QMap<QString, QString> exported;
        {
            Session first(factory, m_root.path());
            first.runWorkedExample();
            QCOMPARE(first.text(Tiaozheng::siteWaterRatio), QStringLiteral("0.43"));
            first.fields().setText(Tiaozheng::fileName, QStringLiteral("C30配合比"));
            for (const AdjustCell& cell : adjustCells())
                exported[cell.field] = first.text(cell.field);
            const int asked = first.prompter.messages().size();

            first.prompter.queueAnswer(MessageButton::Yes);
            first.window->Command13_Click();
            QCOMPARE(first.messagesAfter(asked), QStringList{"您确定要把数据导出到EXCEL文件吗？"});
            QCOMPARE(factory.running(), 1);
            QCOMPARE(childOffices(), 1);
            // On disk the filled workbook the user sees.
            QCOMPARE(typeAndValue(readWorkbook(book), QStringLiteral("G49")),
                     (QJsonArray{QStringLiteral("number"), 0.43}));

            // The workbook is still open: a second export of that name fails before starting an office.
            first.prompter.queueAnswer(MessageButton::Yes);
            first.prompter.queueAnswer(MessageButton::Ok);
            first.window->Command13_Click();
            QCOMPARE(first.messagesAfter(asked + 1),
                     (QStringList{"您确定要把数据导出到EXCEL文件吗？", AdjustWorkbook::exportFailure()}));
            QCOMPARE(factory.running(), 1);
        }

        factory.saveHandedOver();
        const QJsonObject saved = readWorkbook(book);
        QCOMPARE(saved[QStringLiteral("biff")].toInt(), 80);
        QCOMPARE(saved[QStringLiteral("sheets")].toArray(), QJsonArray{AdjustWorkbook::sheetName()});
        QCOMPARE(saved[QStringLiteral("author")].toString(), QFileInfo(book).absoluteFilePath());
        // The strength chart, stored in the workbook itself.
        QCOMPARE(saved[QStringLiteral("pictures")].toArray(), (QJsonArray{QJsonArray{800, 560}}));
        for (const AdjustCell& cell : adjustCells()) {
            const QString at = address(cell.row, cell.column);
            QVERIFY2(typeAndValue(saved, at) == stored(exported[cell.field]),
                     qPrintable(at + u' ' + cell.field + u' ' + exported[cell.field]));
            if (!exported[cell.field].isEmpty())
                QVERIFY2(numberFormat(saved, at) == storedFormat(exported[cell.field]),
                         qPrintable(at + u' ' + exported[cell.field] + u' ' + numberFormat(saved, at)));
        }
        QCOMPARE(numberFormat(saved, QStringLiteral("G12")), QStringLiteral("0.00"));    // Text16 "1.00"
        QCOMPARE(numberFormat(saved, QStringLiteral("G36")), QStringLiteral("0.000"));   // Text48 "1.010"
        QCOMPARE(numberFormat(saved, QStringLiteral("C46")), QStringLiteral("General")); // Text59 "357"
        QCOMPARE(typeAndValue(saved, QStringLiteral("D11")), (QJsonArray{QStringLiteral("text"), "增加"}));
        QCOMPARE(typeAndValue(saved, QStringLiteral("G49")), (QJsonArray{QStringLiteral("number"), 0.43}));
        const QJsonObject cells = saved[QStringLiteral("cells")].toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it)
            QCOMPARE(it.value().toArray()[2].toString(), QStringLiteral("system"));

        // Imported while the workbook is still open in the user's instance.
        const QByteArray before = contents(book);
        const QStringList lockFiles =
            QDir(m_root.path()).entryList({QStringLiteral(".~lock.*")}, QDir::Hidden | QDir::Files);
        Session fresh(factory, m_root.path());
        QCOMPARE(fresh.text(Tiaozheng::mixCement), QString());
        fresh.importFrom(book);
        QCOMPARE(fresh.messagesAfter(0), QStringList{"您确定要把选择的EXCEL文件数据导入到本程序吗？"});
        QCOMPARE(fresh.text(Tiaozheng::chosenPath), book);
        QCOMPARE(fresh.text(Tiaozheng::chosenStem), book.chopped(4));
        // Every field text back exactly as exported, trailing zeros included ("1.00", "1.010", "3.50").
        for (const AdjustCell& cell : adjustCells())
            QVERIFY2(fresh.text(cell.field) == exported[cell.field],
                     qPrintable(cell.field + QStringLiteral(": ") + fresh.text(cell.field) +
                                QStringLiteral(" != ") + exported[cell.field]));
        QCOMPARE(fresh.text(Tiaozheng::baseCementRatio), QStringLiteral("1.00"));
        QCOMPARE(fresh.text(Tiaozheng::siteStoneRatio), QStringLiteral("3.50"));
        QCOMPARE(contents(book), before);
        QCOMPARE(QDir(m_root.path()).entryList({QStringLiteral(".~lock.*")}, QDir::Hidden | QDir::Files),
                 lockFiles);
        QCOMPARE(factory.running(), 1);
        factory.endAll();
        QCOMPARE(factory.running(), 0);
    }

    // "试验配比" leaves the site-mix rows as the template holds them; imported, the marked fields take two
    // decimals and the others their general form. A file chosen and then gone fails with the import message.
    void laboratoryExportAndImport() {
        TestOfficeFactory& factory = m_office;
        const QString book = root() + QStringLiteral("lab.xls");
        {
            Session session(factory, m_root.path());
            for (const AdjustCell& cell : adjustCells())
                session.fields().setText(cell.field, QStringLiteral("7"));
            session.fields().setText(Tiaozheng::ratioA, QStringLiteral("0.5432"));
            session.fields().setText(Tiaozheng::mixStone, QStringLiteral("1251"));
            session.fields().setText(Tiaozheng::mixSand, QStringLiteral("10-30"));
            session.fields().setText(Tiaozheng::fileName, QStringLiteral("lab"));
            session.prompter.queueAnswer(MessageButton::Yes);
            session.window->Command14_Click();
            QCOMPARE(session.messagesAfter(0), QStringList{"您确定要把数据导出到EXCEL文件吗？"});
        }
        factory.saveHandedOver();
        factory.endAll();

        const QJsonObject saved = readWorkbook(book);
        const QJsonObject original = readWorkbook(root() + QStringLiteral("mb/phtzsm.xls"));
        QCOMPARE(typeAndValue(saved, QStringLiteral("B19")), (QJsonArray{QStringLiteral("number"), 0.5432}));
        QCOMPARE(typeAndValue(saved, QStringLiteral("B14")), (QJsonArray{QStringLiteral("text"), "10-30"}));
        QCOMPARE(typeAndValue(saved, QStringLiteral("G41")), (QJsonArray{QStringLiteral("number"), 7}));
        for (int row = 44; row <= 49; ++row)
            for (int column = 2; column <= 7; ++column) {
                const QString at = address(row, column);
                QVERIFY2(typeAndValue(saved, at) == typeAndValue(original, at), qPrintable(at));
            }
        QVERIFY(!typeAndValue(saved, QStringLiteral("D45")).isEmpty());
        // Three equal ratios allow no line: no chart, the export complete all the same.
        QCOMPARE(saved[QStringLiteral("pictures")].toArray(), QJsonArray{});

        Session fresh(factory, m_root.path());
        fresh.importFrom(book);
        QCOMPARE(fresh.messagesAfter(0), QStringList{"您确定要把选择的EXCEL文件数据导入到本程序吗？"});
        QCOMPARE(fresh.text(Tiaozheng::ratioA), QStringLiteral("0.54"));
        QCOMPARE(fresh.text(Tiaozheng::mixStone), QStringLiteral("1251"));
        QCOMPARE(fresh.text(Tiaozheng::mixSand), QStringLiteral("10-30"));
        QCOMPARE(fresh.text(Tiaozheng::labWaterRatio), QStringLiteral("7.00"));
        QCOMPARE(fresh.text(Tiaozheng::labStoneRatio), QStringLiteral("7"));
        // The template leaves every cell of step 6 empty: the import gives empty step-6 fields.
        for (const AdjustCell& cell : adjustCells())
            if (!writtenBy(cell, AdjustExport::Laboratory))
                QVERIFY2(fresh.text(cell.field).isEmpty(),
                         qPrintable(cell.field + ": " + fresh.text(cell.field)));
        QCOMPARE(factory.running(), 0);

        // Chosen, then removed: the message, no field touched, nothing started.
        QVERIFY(QFile::remove(book));
        fresh.fields().setText(Tiaozheng::mixCement, QStringLiteral("kept"));
        fresh.prompter.queueAnswer(MessageButton::Yes);
        fresh.prompter.queueAnswer(MessageButton::Ok);
        fresh.window->Command12_Click();
        QCOMPARE(fresh.messagesAfter(1), (QStringList{"您确定要把选择的EXCEL文件数据导入到本程序吗？",
                                                      AdjustWorkbook::importFailure()}));
        QCOMPARE(fresh.text(Tiaozheng::mixCement), QStringLiteral("kept"));
        QCOMPARE(factory.running(), 0);
    }

    void cleanupTestCase() {
        m_office.endAll();
        QCOMPARE(childOffices(), 0);
    }
};

QTEST_MAIN(OfficeWorkbookTest)
#include "test_office_workbook.moc"
