#pragma once

#include "report/cellvalue.h"

#include <QDate>
#include <QString>
#include <vector>

class Fields;

// The two result columns of the main design window: the fully automatic calculation (Text7 .. Text15) and the
// stepwise calculation (Text17 .. Text25).
enum class ResultColumn { Automatic, Stepwise };

// How a report cell's value is made from the window's fields.
enum class ReportForm {
    FieldText,  // the field's text unchanged (plus a fixed suffix where one is given), as typed
    Percentage, // the field read leniently, times 100, as a number, unrounded
    Ratio,      // source / divisor, both read leniently, as the text of pattern "###0.00"
    One,        // the number 1
    // The record's cells beyond the map:
    Date,           // the day of the export as date text (yyyy-M-d)
    MaxWaterCement, // the maximum ratio the checks compare with, "###0.00", for Combo7 and Combo8
    MinCement,      // the minimum cement content the checks compare with, "###0", for Combo7 and Combo8
    WaterSource,    // whether the column's water came from the admixture window
};

// One cell of the calculation report. A source or divisor of one letter names a row of the chosen result
// column (T D F R W C P S K); a longer one is a control name shared by both columns.
struct ReportCell {
    int row;
    int column;
    ReportForm form;
    QString source;
    QString divisor;
    QString suffix;
};

// The calculation report's cells in the order they are written.
const std::vector<ReportCell>& reportCells();

// The cells that make the report a record an engineer can sign, written after the map: the date, the cement,
// the environment and reinforcement with the limits the checks used, the standard deviation verdict and where
// the water came from.
const std::vector<ReportCell>& reportRecordCells();

// The texts of WaterSource: water sent back by the admixture window, and any other water.
QString admixtureWaterText();
QString otherWaterText();

// The control that holds a source in the given result column.
QString reportSourceField(const QString& source, ResultColumn column);

// The value a cell receives from the fields (and, for the date, from today); throws CalcFailure for a ratio
// whose divisor reads as 0.
CellValue reportCellValue(const ReportCell& cell, const Fields& fields, ResultColumn column,
                          const QDate& today = QDate());
