#pragma once

#include "report/cellvalue.h"

#include <QDate>
#include <QString>
#include <vector>

class Fields;

// Which export writes a cell of the adjustment workbook.
enum class AdjustExport {
    Construction, // "施工配比": steps 1 to 6 into a copy of phtzm.xls
    Laboratory,   // "试验配比": steps 1 to 5 into a copy of phtzsm.xls
};

// One cell of the adjustment workbook and the adjustment window's field it holds. The exports write, and the
// import reads, the same table.
struct AdjustCell {
    int row;
    int column;
    QString field;
    // The import passes the value through "###0.00".
    bool twoDecimals;
    // Site mix (step 6): written by "施工配比" only.
    bool constructionOnly;
};

// Every cell in the order the exports write and the import reads.
const std::vector<AdjustCell>& adjustCells();

// Whether the given export writes the cell.
bool writtenBy(const AdjustCell& cell, AdjustExport kind);

// The field text an imported cell value gives: a number with the decimals its cell shows, or in the general
// form where the cell has no fixed decimals ("###0.00" for the marked fields whatever the cell shows), an
// empty cell as the empty text, a text unchanged (a marked field's text that is a number is formatted too).
// Throws CalcFailure for a value that has no text (not finite).
QString importedText(const AdjustCell& cell, const CellValue& value);

// What the adjustment workbook records beyond the cell map; written by both exports, never imported.
enum class AdjustRecord {
    Date,           // the day of the export as date text (yyyy-M-d)
    GroupSteps,     // how groups A and C stand to group B, from the ratios printed in row 19
    TargetStrength, // the target strength of the regression (Text35)
};

struct AdjustRecordCell {
    int row;
    int column;
    AdjustRecord item;
};

// The record's cells in the order the exports write them, after the map.
const std::vector<AdjustRecordCell>& adjustRecordCells();

// The text a record cell receives from the fields, or from today for the date.
QString adjustRecordText(AdjustRecord item, const Fields& fields, const QDate& today);

// "A、C 组 = B 组 ±0.05" where A and C lie the same step above and below B, else each group's own step
// ("A 组 = B 组 +0.06，C 组 = B 组 -0.05"); empty where a ratio text is not a number.
QString groupStepsText(const QString& ratioA, const QString& ratioB, const QString& ratioC);
