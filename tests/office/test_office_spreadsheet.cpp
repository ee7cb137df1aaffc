#include "office/activesheetmark.h"
#include "support/officeprocesses.h"
#include "support/testoffice.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "support/xlsreader.h"

// The spreadsheet operations on a real LibreOffice instance, read back through the office and through xlrd.
namespace {

struct Entry {
    QString typed;
    CellValue stored;
};

// Typed texts and what the cell must hold: numbers stay numbers, shown with the decimals typed; every other
// text stays verbatim.
QList<Entry> entries() {
    return {
        {QStringLiteral("10-30"), CellValue::text(QStringLiteral("10-30"))},
        {QStringLiteral("2026-1-5"), CellValue::text(QStringLiteral("2026-1-5"))},
        {QStringLiteral("1/2"), CellValue::text(QStringLiteral("1/2"))},
        {QStringLiteral("=1+1"), CellValue::text(QStringLiteral("=1+1"))},
        {QStringLiteral("12%"), CellValue::text(QStringLiteral("12%"))},
        {QStringLiteral("TRUE"), CellValue::text(QStringLiteral("TRUE"))},
        {QStringLiteral("0.350"), CellValue::number(0.35, 3)},
        {QStringLiteral("1.00"), CellValue::number(1, 2)},
        {QStringLiteral("-0.50"), CellValue::number(-0.5, 2)},
        {QStringLiteral("0.1234567890123456789012345"), CellValue::number(0.1234567890123456789012345, 25)},
        {QStringLiteral("1e3"), CellValue::number(1000)},
        {QStringLiteral(" 30 "), CellValue::number(30)},
        {QStringLiteral("-36"), CellValue::number(-36)},
        {QStringLiteral("水灰比符合规定！"), CellValue::text(QStringLiteral("水灰比符合规定！"))},
    };
}

constexpr int kFirstRow = 60; // below the template's form

} // namespace

class OfficeSpreadsheetTest : public QObject {
    Q_OBJECT

private:
    // One office kept ready for the cases that are not about an office's death.
    TestOfficeFactory m_office{LibreOfficeFactory::Display::HeadlessOnly};

private slots:
    void operationsRoundTrip() {
        const QString templ = qEnvironmentVariable("MIX_TEST_TEMPLATES") + QStringLiteral("/phtzm.xls");
        QVERIFY(QFile::exists(templ));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("round.xls"));
        TestOfficeFactory& factory = m_office;
        {
            auto sheet = factory.start(false);
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError,
                                     sheet->open(dir.filePath(QStringLiteral("missing.xls"))));
            sheet->open(templ);
            sheet->activate();
            sheet->saveAs(path);
            QCOMPARE(QFileInfo(sheet->fullName()).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
            sheet->setAuthor(sheet->fullName());
            sheet->setFontName(QStringLiteral("system"));
            sheet->setFontSize(12);
            sheet->renameSheet(QStringLiteral("配合比调整"));
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->renameSheet(QStringLiteral("a/b")));
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->writeText(0, 1, QStringLiteral("x")));
            const auto list = entries();
            for (int i = 0; i < list.size(); ++i)
                sheet->writeText(kFirstRow + i, 2, list[i].typed);
            sheet->writeNumber(kFirstRow, 3, 0.333 * 100);
            sheet->writeText(kFirstRow + 1, 3, QStringLiteral("5"));
            sheet->writeText(kFirstRow + 1, 3, QString());
            for (int i = 0; i < list.size(); ++i)
                QCOMPARE(sheet->read(kFirstRow + i, 2), list[i].stored);
            // More decimals than a format can show: still the number, shown with as many as the office
            // allows.
            sheet->writeText(kFirstRow, 4, QStringLiteral("1.") + QString(400, u'0'));
            QCOMPARE(sheet->read(kFirstRow, 4).toNumber(), 1.0);
            QVERIFY(sheet->read(kFirstRow, 4).decimals() > 20);
            QCOMPARE(sheet->read(kFirstRow, 3), CellValue::number(0.333 * 100));
            QVERIFY(sheet->read(kFirstRow + 1, 3).isEmpty());
            QCOMPARE(sheet->read(8, 1).kind(), CellValue::Kind::Text); // the template's heading
            sheet->save();
            sheet->quit();
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->save());
        }
        QCOMPARE(factory.running(), 0);

        const QJsonObject book = readWorkbook(path);
        QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{QStringLiteral("配合比调整")});
        QCOMPARE(book[QStringLiteral("author")].toString(), QFileInfo(path).absoluteFilePath());
        const QJsonObject cells = book[QStringLiteral("cells")].toObject();
        const auto list = entries();
        for (int i = 0; i < list.size(); ++i) {
            const QJsonArray cell = cells[QStringLiteral("B%1").arg(kFirstRow + i)].toArray();
            QVERIFY2(!cell.isEmpty(), qPrintable(list[i].typed));
            if (list[i].stored.kind() == CellValue::Kind::Number)
                QCOMPARE(cell[1].toDouble(), list[i].stored.toNumber());
            else
                QCOMPARE(cell[1].toString(), list[i].stored.toText());
            QCOMPARE(cell[0].toString(),
                     list[i].stored.kind() == CellValue::Kind::Number ? "number" : "text");
            QCOMPARE(cell[2].toString(), QStringLiteral("system"));
            const int decimals = list[i].stored.decimals();
            if (list[i].stored.kind() == CellValue::Kind::Number)
                QCOMPARE(cell[3].toString(),
                         decimals > 0 ? fixedFormatCode(decimals) : QStringLiteral("General"));
        }
        QCOMPARE(cells[QStringLiteral("C%1").arg(kFirstRow)].toArray()[1].toDouble(), 0.333 * 100);
        QCOMPARE(cells[QStringLiteral("C%1").arg(kFirstRow)].toArray()[3].toString(),
                 QStringLiteral("General"));
        QVERIFY(!cells.contains(QStringLiteral("C%1").arg(kFirstRow + 1)));
    }

    // A read-only workbook is read but never changed; a spreadsheet dropped without quitting ends its office.
    void readOnlyAndDropped() {
        const QString templ = qEnvironmentVariable("MIX_TEST_TEMPLATES") + QStringLiteral("/phm.xls");
        TestOfficeFactory& factory = m_office;
        auto sheet = factory.start(false);
        sheet->open(templ, OpenMode::ReadOnly);
        QCOMPARE(sheet->read(1, 1), CellValue::text(QStringLiteral("混凝土配合比计算书")));
        QVERIFY(sheet->read(8, 7).isEmpty());
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->writeNumber(8, 7, 1));
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->renameSheet(QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->save());
        QCOMPARE(factory.running(), 1);
        sheet.reset();
        QCOMPARE(factory.running(), 0);
    }

    // An office that dies while it holds the file it saved leaves no lock on it once it is ended, so a
    // failed export leaves nothing of its temporary file in the user's folder.
    void deadOfficeLeavesNoLock() {
        QTemporaryDir dir;
        TestOfficeFactory factory;
        auto sheet = factory.start(false);
        sheet->open(qEnvironmentVariable("MIX_TEST_TEMPLATES") + QStringLiteral("/phm.xls"),
                    OpenMode::Template);
        sheet->saveAs(dir.filePath(QStringLiteral("saved.xls")));
        const QStringList lock = {QStringLiteral(".~lock.saved.xls#")};
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".~lock")),
                 lock);
        for (const int group : factory.processGroups())
            ::kill(-group, SIGKILL);
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->writeNumber(1, 1, 1));
        sheet->quit();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"saved.xls"});
    }

    // Once an office runs, a write to a peer that has gone (an office killed in a call, a watchdog that
    // ended) fails with EPIPE instead of ending the program; the office's watchdog keeps the default.
    void brokenPipeEndsNoProgram() {
        auto sheet = m_office.start(false);
        int ends[2];
        QCOMPARE(::pipe(ends), 0);
        ::close(ends[0]);
        QCOMPARE(::write(ends[1], "x", 1), ssize_t(-1));
        QCOMPARE(errno, EPIPE);
        ::close(ends[1]);
        int watchdogs = 0;
        const QStringList profiles = m_office.startedProfiles();
        for (const QString& pid : processIds()) {
            const QByteArray line = processFile(pid, "cmdline");
            const auto ours = [&line](const QString& profile) {
                return line.contains(QFile::encodeName(profile));
            };
            if (!line.contains("mixdesign-office-watchdog") ||
                std::none_of(profiles.begin(), profiles.end(), ours))
                continue;
            const QByteArray status = processFile(pid, "status");
            const QByteArray ignored =
                status.mid(status.indexOf("SigIgn:") + 7).split('\n').first().trimmed();
            QVERIFY2(!(ignored.toULongLong(nullptr, 16) & (1ULL << (SIGPIPE - 1))), qPrintable(pid));
            ++watchdogs;
        }
        QVERIFY(watchdogs > 0);
        sheet->quit();
    }

    // A fresh office takes an ordinary start, not the first one after an upgrade with its graphics tests
    // (three quarters of a start); its profile is gone with it.
    void freshOfficeTakesOrdinaryStart() {
        TestOfficeFactory factory(LibreOfficeFactory::Display::HeadlessOnly);
        auto sheet = factory.start(false);
        sheet->open(qEnvironmentVariable("MIX_TEST_TEMPLATES") + QStringLiteral("/phm.xls"),
                    OpenMode::ReadOnly);
        QCOMPARE(factory.startedProfiles().size(), 1);
        const QString profile = factory.startedProfiles().first();
        QVERIFY(QFile::exists(profile + QStringLiteral("/user/registrymodifications.xcu")));
        QVERIFY(!QFile::exists(profile + QStringLiteral("/user/GraphicsRenderTests.log")));
        sheet->quit();
        factory.endAll();
        QTRY_COMPARE(officeTraces(profile), QStringList());
    }

    // The sheet read and written is the one the workbook shows, whichever way it is opened.
    void activeSheet_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("read-only") << int(OpenMode::ReadOnly);
        QTest::newRow("normal") << int(OpenMode::Normal);
        QTest::newRow("template") << int(OpenMode::Template);
    }
    void activeSheet() {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("two.xls"));
        QVERIFY(QFile::copy(QStringLiteral(TEST_SOURCE_DIR "/office/data/second-sheet-active.xls"), path));
        TestOfficeFactory& factory = m_office;
        auto sheet = factory.start(false);
        sheet->open(path, OpenMode(mode));
        QCOMPARE(sheet->read(1, 1), CellValue::text(QStringLiteral("second")));
        if (OpenMode(mode) == OpenMode::ReadOnly)
            return;
        sheet->writeText(2, 1, QStringLiteral("written"));
        const QString saved = dir.filePath(QStringLiteral("saved.xls"));
        sheet->saveAs(saved);
        sheet->quit();
        const QJsonObject book = readWorkbook(saved, 1);
        QCOMPARE(book[QStringLiteral("shown")].toArray(), QJsonArray{1});
        const QJsonObject cells = book[QStringLiteral("cells")].toObject();
        QCOMPARE(cells[QStringLiteral("A2")].toArray()[1].toString(), QStringLiteral("written"));
    }

    // The mark read from the file itself, as xlrd reads it; none for what is no Excel 97 workbook.
    void activeSheetMark_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("marked"); // -1: none
        const QString data = QStringLiteral(TEST_SOURCE_DIR "/office/data/");
        const QString templates = qEnvironmentVariable("MIX_TEST_TEMPLATES") + u'/';
        QTest::newRow("second of two shown") << data + "second-sheet-active.xls" << 1;
        QTest::newRow("second of two hidden") << data + "hidden-sheet-active.xls" << 1;
        QTest::newRow("template") << templates + "phm.xls" << 0;
        QTest::newRow("cut short") << "cut" << -1;
        QTest::newRow("empty") << "empty" << -1;
        QTest::newRow("text") << "text" << -1;
        QTest::newRow("missing") << data + "missing.xls" << -1;
    }
    void activeSheetMark() {
        QFETCH(QString, path);
        QFETCH(int, marked);
        QTemporaryDir dir;
        const QString made = dir.filePath(QStringLiteral("made.xls"));
        QFile file(made);
        if (path == QStringLiteral("cut")) {
            QFile source(QStringLiteral(TEST_SOURCE_DIR "/office/data/hidden-sheet-active.xls"));
            QVERIFY(source.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly));
            file.write(source.readAll().left(3000));
            file.close();
            path = made;
        } else if (path == QStringLiteral("empty") || path == QStringLiteral("text")) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(path == QStringLiteral("text") ? "水灰比 0.43\n" : "");
            file.close();
            path = made;
        }
        const std::optional<int> found = markedActiveSheet(path);
        QCOMPARE(found.value_or(-1), marked);
    }

    // A workbook whose active sheet is hidden is opened on that sheet or refused; never on another sheet.
    void hiddenActiveSheet_data() { activeSheet_data(); }
    void hiddenActiveSheet() {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hidden.xls"));
        QVERIFY(QFile::copy(QStringLiteral(TEST_SOURCE_DIR "/office/data/hidden-sheet-active.xls"), path));
        TestOfficeFactory& factory = m_office;
        auto sheet = factory.start(false);
        try {
            sheet->open(path, OpenMode(mode));
        } catch (const SpreadsheetError&) {
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, sheet->read(1, 1));
            return;
        }
        QCOMPARE(sheet->read(1, 1), CellValue::text(QStringLiteral("second")));
    }

    void cleanupTestCase() {
        m_office.endAll();
        QVERIFY(m_office.processGroups().empty());
    }
};

QTEST_GUILESS_MAIN(OfficeSpreadsheetTest)
#include "test_office_spreadsheet.moc"
