#pragma once

#include "common/installpaths.h"
#include "report/adjustcells.h"
#include "report/spreadsheet.h"

#include <QByteArray>
#include <QDate>
#include <functional>
#include <vector>

class Fields;
class Prompter;

// The workbook commands of the adjustment window's frame "文件导出、导入（EXCEL文件）" over its fields.
// The exports make a new workbook from a template, fill it, save it as root/<Text75>.xls and leave it open in
// a visible instance for the user; the import reads the same cells of a chosen workbook, opened read-only in
// a hidden instance that it always ends, so the source file never changes (SpreadsheetSession states what
// happens on each failure).
class AdjustWorkbook {
public:
    // The strength chart of the fields as PNG, empty when the fields allow no line (drawn by the windows).
    using ChartPicture = std::function<QByteArray()>;

    // today: the date the exported record bears.
    AdjustWorkbook(
        Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets, InstallPaths paths,
        ChartPicture chartPicture = {}, std::function<QDate()> today = [] { return QDate::currentDate(); });

    void exportConstruction(); // "施工配比": steps 1 to 6 into a workbook from phtzm.xls
    void exportLaboratory();   // "试验配比": steps 1 to 5 into a workbook from phtzsm.xls
    void chooseFile();         // "打开数据文件": the chosen workbook's path into Text72
    void takeChosenStem();     // Text74: Text72 less its last four characters
    void importWorkbook(); // "从EXCEL文件中导入数据": the cells of the chosen workbook into the fields
    void appendDateTag();  // a click on Label76 or Label77: "---" and the date tag appended to Text75

    // How an exported workbook's sheet is named.
    static QString sheetName();
    // The template each export copies, and the texts that tell its form from the other's.
    static QString templateName(AdjustExport kind);
    static std::vector<FixedText> templateForm(AdjustExport kind);
    // What a workbook must hold to be imported: the headings that the forms of both exports share.
    static std::vector<FixedText> importForm();
    // The row of the chart's caption in the template's column A; the chart's corner is the cell below it.
    static int chartCaptionRow(AdjustExport kind);
    static QString chartCaption();
    // The messages of a failed export and a failed import.
    static QString exportFailure();
    static QString importFailure();

private:
    void exportTo(AdjustExport kind);
    bool confirm(const QString& question);
    void fill(Spreadsheet& sheet, AdjustExport kind);
    // The chart with its caption below the signatures, on the record's second page, so that the table prints
    // at full size; none when the fields allow no line.
    void placeChart(Spreadsheet& sheet, AdjustExport kind);

    Fields& m_fields;
    Prompter& m_prompter;
    SpreadsheetFactory& m_spreadsheets;
    InstallPaths m_paths;
    ChartPicture m_chartPicture;
    std::function<QDate()> m_today;
};
