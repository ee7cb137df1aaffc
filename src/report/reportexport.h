#pragma once

#include "common/installpaths.h"
#include "report/reportcells.h"
#include "report/spreadsheet.h"

#include <QDate>
#include <functional>
#include <vector>

class Fields;
class Prompter;

// The main design window's four report exports: a new workbook from the template phm.xls, filled with one
// result column and the record's cells beyond it, and saved as root/<Text28>.xls with its PDF
// root/<Text28>.pdf. "文件保存为" ends its hidden instance; "导入EXCEL" then opens the saved report in a
// visible instance for the user. A failure shows "您输入的参数值对吗？" (SpreadsheetSession states what
// happens to the instance and the files).
class ReportExport {
public:
    // today: the date the report bears.
    ReportExport(
        Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets, InstallPaths paths,
        std::function<QDate()> today = [] { return QDate::currentDate(); });

    // Each true when the report and its PDF were saved.
    bool saveAutomaticReport(); // 文件保存为, fully automatic column
    bool saveStepwiseReport();  // 文件保存为, stepwise column
    bool showAutomaticReport(); // 导入EXCEL, fully automatic column
    bool showStepwiseReport();  // 导入EXCEL, stepwise column

    // The status line after a report and its PDF were saved: "已保存 ~/zeb/A1.xls 和 A1.pdf".
    static QString savedStatus(const QString& name);

    // How the report's sheet is named.
    static QString sheetName();
    // The headings of phm.xls over the columns the report fills.
    static std::vector<FixedText> templateForm();

private:
    enum class Ending { SaveAndQuit, LeaveOpen };
    bool run(ResultColumn column, Ending ending);
    void fill(Spreadsheet& sheet, ResultColumn column);

    Fields& m_fields;
    Prompter& m_prompter;
    SpreadsheetFactory& m_spreadsheets;
    InstallPaths m_paths;
    std::function<QDate()> m_today;
};
