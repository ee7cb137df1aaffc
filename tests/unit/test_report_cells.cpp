#include "common/failure.h"
#include "common/mapfields.h"
#include "design/form1.h"
#include "report/cellvalue.h"
#include "report/reportcells.h"
#include "support/form1fields.h"

#include <QtTest>

namespace {

const ReportCell& cellAt(int row, int column) {
    for (const ReportCell& cell : reportCells())
        if (cell.row == row && cell.column == column)
            return cell;
    throw std::logic_error("no such report cell");
}

} // namespace

class ReportCellsTest : public QObject {
    Q_OBJECT

private slots:
    void typedEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("decimals"); // 0: the cell keeps its format
        QTest::newRow("integer") << "30" << true << 30.0 << 0;
        QTest::newRow("whole with two decimals") << "1.00" << true << 1.0 << 2;
        QTest::newRow("trailing zero") << "0.340" << true << 0.34 << 3;
        QTest::newRow("decimal keeps value") << "0.350" << true << 0.35 << 3;
        QTest::newRow("cement 185") << "185" << true << 185.0 << 0;
        QTest::newRow("negative") << "-36" << true << -36.0 << 0;
        QTest::newRow("negative with decimals") << "-0.50" << true << -0.5 << 2;
        QTest::newRow("exponent") << "1e3" << true << 1000.0 << 0;
        QTest::newRow("exponent with decimals") << "1.50e2" << true << 150.0 << 0;
        QTest::newRow("blanks around") << " 185 " << true << 185.0 << 0;
        QTest::newRow("blanks around decimals") << " 2.5 " << true << 2.5 << 1;
        QTest::newRow("bare point") << "1." << true << 1.0 << 0;
        QTest::newRow("no integer digit") << ".5" << true << 0.5 << 1;
        QTest::newRow("plus sign") << "+1.0" << true << 1.0 << 1;
        QTest::newRow("slump range, not a date") << "10-30" << false << 0.0 << 0;
        QTest::newRow("range") << "35-50" << false << 0.0 << 0;
        QTest::newRow("date-like") << "2026-1-5" << false << 0.0 << 0;
        QTest::newRow("with unit") << "35-50mm" << false << 0.0 << 0;
        QTest::newRow("decimals with unit") << "1.00kg" << false << 0.0 << 0;
        QTest::newRow("percent") << "12%" << false << 0.0 << 0;
        QTest::newRow("grouped") << "1,215" << false << 0.0 << 0;
        QTest::newRow("formula verbatim") << "=1+1" << false << 0.0 << 0;
        QTest::newRow("overflow stays text") << "1e999" << false << 0.0 << 0;
        QTest::newRow("inf stays text") << "inf" << false << 0.0 << 0;
        QTest::newRow("empty") << "" << false << 0.0 << 0;
        QTest::newRow("chinese sentence") << "水灰比符合规定！" << false << 0.0 << 0;
    }
    void typedEntry() {
        QFETCH(QString, typed);
        QFETCH(bool, isNumber);
        QFETCH(double, number);
        QFETCH(int, decimals);
        const CellValue value = CellValue::typedEntry(typed);
        if (isNumber) {
            QCOMPARE(value, CellValue::number(number, decimals));
            QCOMPARE(value.decimals(), decimals);
        } else {
            QCOMPARE(value.kind(), CellValue::Kind::Text);
            QCOMPARE(value.toText(), typed);
            QCOMPARE(value.decimals(), 0);
        }
    }

    // The same number shown with other decimals is another cell value.
    void decimalsTellValuesApart() {
        QVERIFY(CellValue::number(1, 2) != CellValue::number(1));
        QVERIFY(CellValue::number(1, 2) != CellValue::number(1, 3));
        QCOMPARE(CellValue::number(1, -2), CellValue::number(1));
    }

    // Only plain fixed-decimals formats tell decimals; everything else reads in the general form.
    void fixedFormatDecimals_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("decimals");
        QTest::newRow("two") << "0.00" << 2;
        QTest::newRow("three") << "0.000" << 3;
        QTest::newRow("one") << "0.0" << 1;
        QTest::newRow("grouped") << "#,##0.00" << 2;
        QTest::newRow("pattern style") << "###0.00" << 2;
        QTest::newRow("pattern style grouped") << "##,##0.00000" << 5;
        QTest::newRow("two integer digits") << "00.00" << 2;
        QTest::newRow("language tag") << "[$-409]0.000" << 3;
        QTest::newRow("language tag grouped") << "[$-804]#,##0.00" << 2;
        QTest::newRow("general") << "General" << 0;
        QTest::newRow("integer") << "0" << 0;
        QTest::newRow("grouped integer") << "#,##0" << 0;
        QTest::newRow("percent") << "0.00%" << 0;
        QTest::newRow("scientific") << "0.00E+00" << 0;
        QTest::newRow("optional decimals") << "0.0#" << 0;
        QTest::newRow("colour") << "[RED]0.00" << 0;
        QTest::newRow("sections") << "0.00;-0.00" << 0;
        QTest::newRow("currency") << "[$$-409]#,##0.00" << 0;
        QTest::newRow("unit") << "0.00\" kg\"" << 0;
        QTest::newRow("text") << "@" << 0;
        QTest::newRow("date") << "YYYY-MM-DD" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void fixedFormatDecimals() {
        QFETCH(QString, code);
        QFETCH(int, decimals);
        QCOMPARE(::fixedFormatDecimals(code), decimals);
    }

    // The code written for n decimals reads back as n decimals.
    void fixedFormatCodeReadsBack() {
        QCOMPARE(fixedFormatCode(2), QStringLiteral("0.00"));
        QCOMPARE(fixedFormatCode(0), QStringLiteral("0"));
        for (int decimals = 1; decimals <= 12; ++decimals)
            QCOMPARE(::fixedFormatDecimals(fixedFormatCode(decimals)), decimals);
    }

    void exactNumberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 35.0 << "35";
        QTest::newRow("unrounded percentage") << 0.333 * 100.0 << "33.300000000000004";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("fraction") << 0.53 << "0.53";
    }
    void exactNumberText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(::exactNumberText(value), text);
    }

    // The computed forms: percentage unrounded, ratios with two decimals as text.
    void computedValues_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("sandRatio");
        QTest::addColumn<QString>("cement");
        QTest::addColumn<QString>("expected"); // "n:<number>" or "t:<text>"
        const QString p = QStringLiteral("0.350"), c = QStringLiteral("350");
        QTest::newRow("G23 percentage") << 23 << 7 << p << c << "n:35";
        QTest::newRow("I18 percentage") << 18 << 9 << p << c << "n:35";
        QTest::newRow("percentage not rounded") << 23 << 7 << "0.333" << c << "n:33.300000000000004";
        QTest::newRow("percentage of empty") << 23 << 7 << "" << c << "n:0";
        QTest::newRow("percentage lenient") << 18 << 9 << "0.36abc" << c << "n:36";
        QTest::newRow("I28 one") << 28 << 9 << p << c << "n:1";
        QTest::newRow("I29 sand per cement") << 29 << 9 << p << c << "t:1.86";
        QTest::newRow("I30 stone per cement") << 30 << 9 << p << c << "t:3.47";
        QTest::newRow("I31 water per cement") << 31 << 9 << p << c << "t:0.53";
        QTest::newRow("I31 lenient cement") << 31 << 9 << p << "350kg"
                                            << "t:0.53";
        QTest::newRow("H2 slump with unit") << 2 << 8 << p << c << "t:35-50mm";
        QTest::newRow("G14 slump verbatim") << 14 << 7 << p << c << "t:35-50";
    }
    void computedValues() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, sandRatio);
        QFETCH(QString, cement);
        QFETCH(QString, expected);
        MapFields fields(form1FieldNames());
        fields.setText(Form1::automaticSandRatio, sandRatio);
        fields.setText(Form1::automaticCement, cement);
        fields.setText(Form1::automaticWater, QStringLiteral("185"));
        fields.setText(Form1::automaticSand, QStringLiteral("650"));
        fields.setText(Form1::automaticStone, QStringLiteral("1215"));
        fields.setText(Form1::slump, QStringLiteral("35-50"));
        const CellValue value = reportCellValue(cellAt(row, column), fields, ResultColumn::Automatic);
        if (expected.startsWith(u'n')) {
            QCOMPARE(value.kind(), CellValue::Kind::Number);
            QCOMPARE(::exactNumberText(value.toNumber()), expected.mid(2));
        } else {
            QCOMPARE(value, CellValue::text(expected.mid(2)));
        }
    }

    void ratioWithoutCementFails_data() {
        QTest::addColumn<QString>("cement");
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("no leading number") << "水泥";
        QTest::newRow("negative zero") << "-0.0";
    }
    void ratioWithoutCementFails() {
        QFETCH(QString, cement);
        MapFields fields(form1FieldNames());
        fields.setText(Form1::stepwiseSand, QStringLiteral("650"));
        fields.setText(Form1::stepwiseCement, cement);
        for (int row : {29, 30, 31})
            QVERIFY_THROWS_EXCEPTION(CalcFailure,
                                     reportCellValue(cellAt(row, 9), fields, ResultColumn::Stepwise));
    }

    void resultLettersFollowTheColumn_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("automatic");
        QTest::addColumn<QString>("stepwise");
        const QString letters = QStringLiteral("TDFRWCPSK");
        for (int i = 0; i < letters.size(); ++i)
            QTest::newRow(qPrintable(letters.mid(i, 1)))
                << letters.mid(i, 1) << Form1::automaticColumn()[i] << Form1::stepwiseColumn()[i];
        QTest::newRow("shared field") << Form1::coefficientA << Form1::coefficientA << Form1::coefficientA;
        QTest::newRow("shared text field")
            << Form1::gradeStrength << Form1::gradeStrength << Form1::gradeStrength;
    }
    void resultLettersFollowTheColumn() {
        QFETCH(QString, letter);
        QFETCH(QString, automatic);
        QFETCH(QString, stepwise);
        QCOMPARE(reportSourceField(letter, ResultColumn::Automatic), automatic);
        QCOMPARE(reportSourceField(letter, ResultColumn::Stepwise), stepwise);
    }

    // Every cell is written exactly once, and H2..H4 come last.
    void cellsAreUnique() {
        const auto& cells = reportCells();
        QCOMPARE(int(cells.size()), 38);
        QSet<QPair<int, int>> seen;
        for (const ReportCell& cell : cells) {
            QVERIFY2(!seen.contains({cell.row, cell.column}), qPrintable(QString::number(cell.row)));
            seen.insert({cell.row, cell.column});
        }
        QCOMPARE(cells.back().row, 4);
        QCOMPARE(cells.back().column, 8);
    }

    // The record beyond the map: where each item goes, in A1 notation.
    void recordCellPlaces() {
        QStringList places;
        for (const ReportCell& cell : reportRecordCells())
            places << QChar(u'A' + cell.column - 1) + QString::number(cell.row);
        QCOMPARE(places, (QStringList{"H5", "G32", "G33", "G34", "G35", "G36", "G37", "G38", "G39"}));
        QSet<QPair<int, int>> mapped;
        for (const ReportCell& cell : reportCells())
            mapped.insert({cell.row, cell.column});
        for (const ReportCell& cell : reportRecordCells())
            QVERIFY2(!mapped.contains({cell.row, cell.column}), qPrintable(places.join(u' ')));
    }

    // What the record says for the inputs of a design; the limits are those the checks compared with.
    void recordValues_data() {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QString>("reinforcement");
        QTest::addColumn<QString>("maxRatio");
        QTest::addColumn<QString>("minCement");
        // The standard sets no maximum there; the check compares with 1 all the same.
        QTest::newRow("dry plain") << "干燥环境"
                                   << "素混凝土"
                                   << "不作规定"
                                   << "200";
        QTest::newRow("dry reinforced") << "干燥环境"
                                        << "钢筋混凝土"
                                        << "0.65"
                                        << "260";
        QTest::newRow("dry prestressed") << "干燥环境"
                                         << "预应力混凝土"
                                         << "0.60"
                                         << "300";
        QTest::newRow("wet without frost") << "潮湿环境无冻害"
                                           << "素混凝土"
                                           << "0.70"
                                           << "225";
        QTest::newRow("wet with frost") << "潮湿环境有冻害"
                                        << "钢筋混凝土"
                                        << "0.55"
                                        << "280";
        QTest::newRow("de-icing") << "有冻害和除冰剂的潮湿环境"
                                  << "预应力混凝土"
                                  << "0.50"
                                  << "300";
        QTest::newRow("typed environment") << "室内"
                                           << "素混凝土"
                                           << "表中无此组合（按0校核）"
                                           << "表中无此组合（按0校核）";
        QTest::newRow("typed reinforcement") << "干燥环境"
                                             << "钢筋"
                                             << "表中无此组合（按0校核）"
                                             << "表中无此组合（按0校核）";
    }
    void recordValues() {
        QFETCH(QString, environment);
        QFETCH(QString, reinforcement);
        QFETCH(QString, maxRatio);
        QFETCH(QString, minCement);
        MapFields fields(form1FieldNames());
        fields.setText(Form1::environment, environment);
        fields.setText(Form1::reinforcement, reinforcement);
        fields.setText(Form1::cementGrade, QStringLiteral("42.5"));
        fields.setText(Form1::cementFactor, QStringLiteral("1.13"));
        fields.setText(Form1::sigmaCheck, QStringLiteral("混凝土强度标准差符合规定！"));
        QMap<QString, CellValue> got;
        for (const ReportCell& cell : reportRecordCells())
            got[QChar(u'A' + cell.column - 1) + QString::number(cell.row)] =
                reportCellValue(cell, fields, ResultColumn::Automatic, QDate(2026, 12, 7));
        QCOMPARE(got["H5"], CellValue::text("2026-12-7"));
        QCOMPARE(got["G32"], CellValue::text("42.5"));
        QCOMPARE(got["G33"], CellValue::text("1.13"));
        QCOMPARE(got["G34"], CellValue::text(environment));
        QCOMPARE(got["G35"], CellValue::text(reinforcement));
        QCOMPARE(got["G36"], CellValue::text(maxRatio));
        QCOMPARE(got["G37"], CellValue::text(minCement));
        QCOMPARE(got["G38"], CellValue::text("混凝土强度标准差符合规定！"));
        QCOMPARE(got["G39"], CellValue::text(otherWaterText()));
    }

    // Only water that the admixture window sent, still standing in the stepwise column, is admixture water.
    void waterSource_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("water");
        QTest::addColumn<bool>("fromAdmixture");
        const int automatic = int(ResultColumn::Automatic), stepwise = int(ResultColumn::Stepwise);
        QTest::newRow("sent and kept") << stepwise << "157.25"
                                       << "157.25" << true;
        QTest::newRow("typed over") << stepwise << "157.25"
                                    << "160" << false;
        QTest::newRow("never sent") << stepwise << ""
                                    << "185" << false;
        QTest::newRow("empty sent, empty water") << stepwise << ""
                                                 << "" << false;
        QTest::newRow("automatic column") << automatic << "157.25"
                                          << "157.25" << false;
    }
    void waterSource() {
        QFETCH(int, column);
        QFETCH(QString, sent);
        QFETCH(QString, water);
        QFETCH(bool, fromAdmixture);
        MapFields fields(form1FieldNames());
        fields.setText(Form1::sentAdmixtureWater, sent);
        fields.setText(Form1::stepwiseWater, water);
        fields.setText(Form1::automaticWater, water);
        const ReportCell& cell = reportRecordCells().back();
        QCOMPARE(cell.form, ReportForm::WaterSource);
        QCOMPARE(reportCellValue(cell, fields, ResultColumn(column), QDate()),
                 CellValue::text(fromAdmixture ? admixtureWaterText() : otherWaterText()));
    }

    // Without a date the date cell stays empty rather than inventing one.
    void dateNeedsToday() {
        MapFields fields(form1FieldNames());
        QCOMPARE(reportCellValue(reportRecordCells().front(), fields, ResultColumn::Automatic),
                 CellValue::text(QString()));
    }
};

QTEST_GUILESS_MAIN(ReportCellsTest)
#include "test_report_cells.moc"
