#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/failure.h"
#include "common/mapfields.h"
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
        const QString map[][2] = {
            {Tiaozheng::mixCement, "B12"},
            {Tiaozheng::mixWater, "B13"},
            {Tiaozheng::mixSand, "B14"},
            {Tiaozheng::mixStone, "B15"},
            {Tiaozheng::trialCement, "C12"},
            {Tiaozheng::trialWater, "C13"},
            {Tiaozheng::trialSand, "C14"},
            {Tiaozheng::trialStone, "C15"},
            {Tiaozheng::trialVolume, "C11"},
            {Tiaozheng::adjustedCement, "D12"},
            {Tiaozheng::adjustedWater, "D13"},
            {Tiaozheng::adjustedSand, "D14"},
            {Tiaozheng::adjustedStone, "D15"},
            {Tiaozheng::pasteChange, "D11"},
            {Tiaozheng::pastePercent, "E11"},
            {Tiaozheng::baseCementRatio, "G12"},
            {Tiaozheng::baseSandRatio, "G13"},
            {Tiaozheng::baseStoneRatio, "G14"},
            {Tiaozheng::baseWaterRatio, "G15"},
            {Tiaozheng::ratioA, "B19"},
            {Tiaozheng::cementWaterA, "B20"},
            {Tiaozheng::strengthA, "B21"},
            {Tiaozheng::ratioB, "C19"},
            {Tiaozheng::cementWaterB, "C20"},
            {Tiaozheng::strengthB, "C21"},
            {Tiaozheng::ratioC, "D19"},
            {Tiaozheng::cementWaterC, "D20"},
            {Tiaozheng::strengthC, "D21"},
            {Tiaozheng::correctedWater, "C25"},
            {Tiaozheng::correctedCement, "C26"},
            {Tiaozheng::cementDensity, "C27"},
            {Tiaozheng::sandDensity, "C28"},
            {Tiaozheng::stoneDensity, "C29"},
            {Tiaozheng::airContent, "C30"},
            {Tiaozheng::sandRatio, "C31"},
            {Tiaozheng::volumeSand, "C32"},
            {Tiaozheng::volumeStone, "C33"},
            {Tiaozheng::parameterWaterCement, "B22"},
            {Tiaozheng::parameterCementWater, "D22"},
            {Tiaozheng::measuredDensity, "B36"},
            {Tiaozheng::computedDensity, "E36"},
            {Tiaozheng::densityFactor, "G36"},
            {Tiaozheng::labCement, "C38"},
            {Tiaozheng::labWater, "C39"},
            {Tiaozheng::labSand, "C40"},
            {Tiaozheng::labStone, "C41"},
            {Tiaozheng::labCementRatio, "G38"},
            {Tiaozheng::labSandRatio, "G39"},
            {Tiaozheng::labStoneRatio, "G40"},
            {Tiaozheng::labWaterRatio, "G41"},
            {Tiaozheng::sandMoisture, "B44"},
            {Tiaozheng::stoneMoisture, "E44"},
            {Tiaozheng::siteCement, "C46"},
            {Tiaozheng::siteWater, "C47"},
            {Tiaozheng::siteSand, "C48"},
            {Tiaozheng::siteStone, "C49"},
            {Tiaozheng::siteCementRatio, "G46"},
            {Tiaozheng::siteSandRatio, "G47"},
            {Tiaozheng::siteStoneRatio, "G48"},
            {Tiaozheng::siteWaterRatio, "G49"},
        };
        int order = 0;
        for (const auto& row : map)
            QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << order++;
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
        for (const QString& untouched : QStringList{
                 Tiaozheng::groupRatio, Tiaozheng::ratioSpread, Tiaozheng::cementA, Tiaozheng::cementB,
                 Tiaozheng::cementC, Tiaozheng::groupWater, Tiaozheng::targetStrength,
                 Tiaozheng::referenceCementWater, Tiaozheng::referenceWaterCement, Tiaozheng::parameterWater,
                 Tiaozheng::parameterPastePercent, Tiaozheng::parameterPasteChange, Tiaozheng::chosenPath,
                 Tiaozheng::chosenStem, Tiaozheng::fileName})
            QVERIFY2(!cellOf(untouched), qPrintable(untouched));
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
        QCOMPARE(twoDecimals,
                 (QSet<QString>{Tiaozheng::baseWaterRatio, Tiaozheng::ratioA, Tiaozheng::ratioB,
                                Tiaozheng::ratioC, Tiaozheng::sandRatio, Tiaozheng::parameterWaterCement,
                                Tiaozheng::labWaterRatio, Tiaozheng::siteWaterRatio}));
        QCOMPARE(siteMix,
                 (QSet<QString>{Tiaozheng::sandMoisture, Tiaozheng::stoneMoisture, Tiaozheng::siteCement,
                                Tiaozheng::siteWater, Tiaozheng::siteSand, Tiaozheng::siteStone,
                                Tiaozheng::siteCementRatio, Tiaozheng::siteSandRatio,
                                Tiaozheng::siteStoneRatio, Tiaozheng::siteWaterRatio}));
    }

    void importedText_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<CellValue>("value");
        QTest::addColumn<QString>("text");
        const QString ratio = Tiaozheng::ratioA;   // "###0.00"
        const QString stone = Tiaozheng::mixStone; // as read
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
        QTest::newRow("paste change") << Tiaozheng::pasteChange << CellValue::text("增加") << "增加";
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
        const QString plain = Tiaozheng::baseCementRatio;
        const QString ratio = Tiaozheng::siteWaterRatio;
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
        for (const QString& field : {Tiaozheng::ratioA, Tiaozheng::mixStone}) {
            const AdjustCell* cell = cellOf(field);
            QVERIFY_THROWS_EXCEPTION(
                CalcFailure,
                ::importedText(*cell, CellValue::number(std::numeric_limits<double>::infinity())));
            QVERIFY_THROWS_EXCEPTION(CalcFailure, ::importedText(*cell, CellValue::number(std::nan(""))));
            QVERIFY_THROWS_EXCEPTION(CalcFailure, ::importedText(*cell, CellValue::number(std::nan(""), 2)));
        }
    }

    // The note beside the groups' ratios tells the steps the printed ratios have, whatever step was typed.
    void groupSteps_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("note");
        QTest::newRow("worked example") << "0.59"
                                        << "0.54"
                                        << "0.49"
                                        << "A、C 组 = B 组 ±0.05";
        QTest::newRow("step 0.03") << "0.58"
                                   << "0.55"
                                   << "0.52"
                                   << "A、C 组 = B 组 ±0.03";
        QTest::newRow("step 0.10") << "0.60"
                                   << "0.50"
                                   << "0.40"
                                   << "A、C 组 = B 组 ±0.10";
        QTest::newRow("no step") << "0.55"
                                 << "0.55"
                                 << "0.55"
                                 << "A、C 组 = B 组 ±0.00";
        QTest::newRow("uneven") << "0.60"
                                << "0.54"
                                << "0.49"
                                << "A 组 = B 组 +0.06，C 组 = B 组 -0.05";
        QTest::newRow("negative step") << "0.49"
                                       << "0.54"
                                       << "0.59"
                                       << "A 组 = B 组 -0.05，C 组 = B 组 +0.05";
        QTest::newRow("percent typed as step") << "5.54"
                                               << "0.54"
                                               << "-4.46"
                                               << "A、C 组 = B 组 ±5.00";
        QTest::newRow("imported numbers") << "0.6"
                                          << "0.55"
                                          << "0.5"
                                          << "A、C 组 = B 组 ±0.05";
        QTest::newRow("empty group") << "0.59"
                                     << ""
                                     << "0.49"
                                     << "";
        QTest::newRow("not a number") << "0.59"
                                      << "0.54"
                                      << "约0.49"
                                      << "";
        QTest::newRow("nothing yet") << ""
                                     << ""
                                     << ""
                                     << "";
    }
    void groupSteps() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QString, note);
        QCOMPARE(groupStepsText(a, b, c), note);
        MapFields fields({Tiaozheng::ratioA, Tiaozheng::ratioB, Tiaozheng::ratioC});
        fields.setText(Tiaozheng::ratioA, a);
        fields.setText(Tiaozheng::ratioB, b);
        fields.setText(Tiaozheng::ratioC, c);
        QCOMPARE(adjustRecordText(AdjustRecord::GroupSteps, fields, QDate()), note);
    }

    // The record's cells: the date and the target strength as the window knows them, nothing where it knows
    // nothing.
    void recordTexts_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << int(AdjustRecord::Date) << "" << QDate(2026, 12, 7) << "2026-12-7";
        QTest::newRow("date, two digits")
            << int(AdjustRecord::Date) << "" << QDate(2027, 10, 31) << "2027-10-31";
        QTest::newRow("target") << int(AdjustRecord::TargetStrength) << "38.2" << QDate()
                                << "配制强度 38.2 MPa";
        QTest::newRow("target blanks")
            << int(AdjustRecord::TargetStrength) << " 38.2 " << QDate() << "配制强度 38.2 MPa";
        QTest::newRow("no target") << int(AdjustRecord::TargetStrength) << "" << QDate(2026, 12, 7) << "";
    }
    void recordTexts() {
        QFETCH(int, item);
        QFETCH(QString, target);
        QFETCH(QDate, today);
        QFETCH(QString, text);
        MapFields fields({Tiaozheng::targetStrength});
        fields.setText(Tiaozheng::targetStrength, target);
        QCOMPARE(adjustRecordText(AdjustRecord(item), fields, today), text);
    }

    // The record's cells are cells of no mapped field, each once; the import never reads them.
    void recordCellsApartFromTheMap() {
        QSet<QPair<int, int>> mapped;
        for (const AdjustCell& cell : adjustCells())
            mapped.insert({cell.row, cell.column});
        QSet<QPair<int, int>> record;
        for (const AdjustRecordCell& cell : adjustRecordCells()) {
            QVERIFY(!mapped.contains({cell.row, cell.column}));
            record.insert({cell.row, cell.column});
        }
        QCOMPARE(record.size(), int(adjustRecordCells().size()));
        QCOMPARE(record, (QSet<QPair<int, int>>{{4, 6}, {19, 5}, {22, 5}}));
    }
};

QTEST_GUILESS_MAIN(WorkbookCellsTest)
#include "test_workbook_cells.moc"
