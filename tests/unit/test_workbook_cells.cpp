#include "adjust/mixadjustment.h"
#include "common/failure.h"
#include "report/adjustcells.h"

#include <QSet>
#include <QtTest>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(CellValue)

// The adjustment workbook's cell map and how an imported cell value becomes a field text.
namespace {

// "B12" for row 12, column 2.
QString address(const AdjustCell& cell) { return QChar(u'A' + cell.column - 1) + QString::number(cell.row); }

const AdjustCell* cellOf(const QString& field) {
    for (const AdjustCell& cell : adjustCells())
        if (cell.field == field)
            return &cell;
    return nullptr;
}

} // namespace

class WorkbookCellsTest : public QObject {
    Q_OBJECT

private slots:
    // Where each field goes, written in the workbook's own A1 notation so row/column mix-ups show.
    void placeOfEachField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("order");
        const char* map[][2] = {
            {"Text1", "B12"},  {"Text2", "B13"},  {"Text3", "B14"},  {"Text4", "B15"},  {"Text6", "C12"},
            {"Text7", "C13"},  {"Text8", "C14"},  {"Text9", "C15"},  {"Text5", "C11"},  {"Text12", "D12"},
            {"Text13", "D13"}, {"Text14", "D14"}, {"Text15", "D15"}, {"Combo1", "D11"}, {"Text11", "E11"},
            {"Text16", "G12"}, {"Text17", "G13"}, {"Text18", "G14"}, {"Text19", "G15"}, {"Text22", "B19"},
            {"Text25", "B20"}, {"Text32", "B21"}, {"Text23", "C19"}, {"Text26", "C20"}, {"Text33", "C21"},
            {"Text24", "D19"}, {"Text27", "D20"}, {"Text34", "D21"}, {"Text36", "C25"}, {"Text37", "C26"},
            {"Text38", "C27"}, {"Text39", "C28"}, {"Text40", "C29"}, {"Text41", "C30"}, {"Text42", "C31"},
            {"Text43", "C32"}, {"Text44", "C33"}, {"Text71", "B22"}, {"Text73", "D22"}, {"Text47", "B36"},
            {"Text46", "E36"}, {"Text48", "G36"}, {"Text49", "C38"}, {"Text50", "C39"}, {"Text51", "C40"},
            {"Text52", "C41"}, {"Text53", "G38"}, {"Text54", "G39"}, {"Text55", "G40"}, {"Text56", "G41"},
            {"Text57", "B44"}, {"Text58", "E44"}, {"Text59", "C46"}, {"Text60", "C47"}, {"Text61", "C48"},
            {"Text62", "C49"}, {"Text63", "G46"}, {"Text65", "G47"}, {"Text66", "G48"}, {"Text64", "G49"},
        };
        int order = 0;
        for (const auto& row : map)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]) << order++;
    }
    void placeOfEachField() {
        QFETCH(QString, field);
        QFETCH(QString, cell);
        QFETCH(int, order);
        QVERIFY(order < int(adjustCells().size()));
        const AdjustCell& actual = adjustCells()[order];
        QCOMPARE(actual.field, field);
        QCOMPARE(address(actual), cell);
    }

    // Exactly the listed fields, each once, each cell once, all of them controls of the adjustment window;
    // the fields the workbook leaves alone stay out.
    void coversTheWindowOnce() {
        QCOMPARE(int(adjustCells().size()), 60);
        const QStringList controls = MixAdjustment::controlNames();
        QSet<QString> fields;
        QSet<QString> cells;
        for (const AdjustCell& cell : adjustCells()) {
            QVERIFY2(controls.contains(cell.field), qPrintable(cell.field));
            fields.insert(cell.field);
            cells.insert(address(cell));
        }
        QCOMPARE(fields.size(), 60);
        QCOMPARE(cells.size(), 60);
        for (const char* untouched :
             {"Text20", "Text21", "Text28", "Text29", "Text30", "Text31", "Text35", "Text67", "Text68",
              "Text69", "Text70", "Combo2", "Text72", "Text74", "Text75"})
            QVERIFY2(!cellOf(QString::fromLatin1(untouched)), untouched);
    }

    void marks() {
        QSet<QString> twoDecimals;
        QSet<QString> siteMix;
        for (const AdjustCell& cell : adjustCells()) {
            if (cell.twoDecimals)
                twoDecimals.insert(cell.field);
            if (cell.constructionOnly)
                siteMix.insert(cell.field);
            // The site mix occupies rows 44 to 49 and nothing else does.
            QCOMPARE(cell.constructionOnly, cell.row >= 44);
            QVERIFY(writtenBy(cell, AdjustExport::Construction));
            QCOMPARE(writtenBy(cell, AdjustExport::Laboratory), !cell.constructionOnly);
        }
        QCOMPARE(twoDecimals, (QSet<QString>{"Text19", "Text22", "Text23", "Text24", "Text42", "Text71",
                                             "Text56", "Text64"}));
        QCOMPARE(siteMix, (QSet<QString>{"Text57", "Text58", "Text59", "Text60", "Text61", "Text62", "Text63",
                                         "Text65", "Text66", "Text64"}));
    }

    void importedText_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<CellValue>("value");
        QTest::addColumn<QString>("text");
        const QString ratio = QStringLiteral("Text22"); // "###0.00"
        const QString stone = QStringLiteral("Text4");  // as read
        QTest::newRow("ratio 0.5432") << ratio << CellValue::number(0.5432) << "0.54";
        QTest::newRow("ratio half up") << ratio << CellValue::number(0.545) << "0.55";
        QTest::newRow("ratio whole") << ratio << CellValue::number(1) << "1.00";
        QTest::newRow("ratio tiny negative") << ratio << CellValue::number(-0.004) << "0.00";
        QTest::newRow("ratio numeric text") << ratio << CellValue::text("0.5432") << "0.54";
        QTest::newRow("ratio other text") << ratio << CellValue::text("约0.5") << "约0.5";
        QTest::newRow("ratio empty") << ratio << CellValue() << "";
        QTest::newRow("stone 1251") << stone << CellValue::number(1251) << "1251";
        QTest::newRow("stone general form") << stone << CellValue::number(5.145) << "5.145";
        QTest::newRow("stone sum noise") << stone << CellValue::number(0.1 + 0.2) << "0.3";
        QTest::newRow("stone trailing zeros gone") << stone << CellValue::number(1.70) << "1.7";
        QTest::newRow("stone numeric text kept") << stone << CellValue::text("1251.0") << "1251.0";
        QTest::newRow("stone empty") << stone << CellValue() << "";
        // A cell with fixed decimals reads as it shows; the marked fields keep their two decimals.
        QTest::newRow("shown two decimals") << stone << CellValue::number(1, 2) << "1.00";
        QTest::newRow("shown three decimals") << stone << CellValue::number(1.01, 3) << "1.010";
        QTest::newRow("shown trailing zero") << stone << CellValue::number(1.7, 2) << "1.70";
        QTest::newRow("shown rounds half away") << stone << CellValue::number(2.675, 2) << "2.68";
        QTest::newRow("shown negative half") << stone << CellValue::number(-0.125, 2) << "-0.13";
        QTest::newRow("shown no negative zero") << stone << CellValue::number(-0.004, 2) << "0.00";
        QTest::newRow("shown never grouped") << stone << CellValue::number(1234.5, 2) << "1234.50";
        QTest::newRow("shown fewer than held") << stone << CellValue::number(5.145, 1) << "5.1";
        QTest::newRow("ratio ignores shown decimals") << ratio << CellValue::number(0.5432, 3) << "0.54";
        QTest::newRow("ratio shown one decimal") << ratio << CellValue::number(0.5, 1) << "0.50";
        QTest::newRow("paste change") << QStringLiteral("Combo1") << CellValue::text("增加") << "增加";
    }
    void importedText() {
        QFETCH(QString, field);
        QFETCH(CellValue, value);
        QFETCH(QString, text);
        const AdjustCell* cell = cellOf(field);
        QVERIFY(cell);
        QCOMPARE(::importedText(*cell, value), text);
    }

    // A field text written as the program types it and read back from the cell: the same text, wherever the
    // text is the number's own form.
    void typedEntryReadsBack_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("imported");
        const QString plain = QStringLiteral("Text16");
        const QString ratio = QStringLiteral("Text64");
        for (const char* same : {"1.00", "1.70", "1.010", "3.50", "0.340", "185", "-36", "5.145", "0.5",
                                 "-0.50", "增加", "10-30", ""})
            QTest::newRow(same) << plain << same << same;
        QTest::newRow("blanks go") << plain << " 2.5 "
                                   << "2.5";
        QTest::newRow("plus sign goes") << plain << "+1.0"
                                        << "1.0";
        QTest::newRow("exponent in general form") << plain << "1e3"
                                                  << "1000";
        QTest::newRow("bare point in general form") << plain << "1."
                                                    << "1";
        QTest::newRow("marked ratio") << ratio << "0.43"
                                      << "0.43";
        QTest::newRow("marked ratio three decimals") << ratio << "0.435"
                                                     << "0.44";
    }
    void typedEntryReadsBack() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, imported);
        const AdjustCell* cell = cellOf(field);
        QVERIFY(cell);
        QCOMPARE(::importedText(*cell, CellValue::typedEntry(typed)), imported);
    }

    // A value with no text never reaches a field.
    void nonFiniteFails() {
        for (const char* field : {"Text22", "Text4"}) {
            const AdjustCell* cell = cellOf(QString::fromLatin1(field));
            QVERIFY_THROWS_EXCEPTION(
                CalcFailure,
                ::importedText(*cell, CellValue::number(std::numeric_limits<double>::infinity())));
            QVERIFY_THROWS_EXCEPTION(CalcFailure, ::importedText(*cell, CellValue::number(std::nan(""))));
            QVERIFY_THROWS_EXCEPTION(CalcFailure, ::importedText(*cell, CellValue::number(std::nan(""), 2)));
        }
    }
};

QTEST_GUILESS_MAIN(WorkbookCellsTest)
#include "test_workbook_cells.moc"
