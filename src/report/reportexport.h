#pragma once

#include "common/installpaths.h"
#include "report/reportcells.h"

class Fields;
class Prompter;
class Spreadsheet;
class SpreadsheetFactory;

// The main design window's four report exports: a copy of the template phm.xls saved as root/<Text28>.xls and
// filled with one result column. "文件保存为" stores the report, writes it as root/<Text28>.pdf too and ends
// its hidden instance; "导入EXCEL"
// leaves the filled report open in a visible instance. A failure shows "您输入的参数值对吗？" and ends the
// command.
class ReportExport {
public:
    ReportExport(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets, InstallPaths paths);

    void command10(); // 文件保存为, fully automatic column
    void command11(); // 文件保存为, stepwise column
    void command12(); // 导入EXCEL, fully automatic column
    void command13(); // 导入EXCEL, stepwise column

    // How the report's sheet is named.
    static QString sheetName();

private:
    enum class Ending { SaveAndQuit, LeaveOpen };
    void run(ResultColumn column, Ending ending);
    void fill(Spreadsheet& sheet, ResultColumn column);

    Fields& m_fields;
    Prompter& m_prompter;
    SpreadsheetFactory& m_spreadsheets;
    InstallPaths m_paths;
};
