#include "report/reportexport.h"

#include "common/fields.h"
#include "common/prompts.h"
#include "design/form1.h"
#include "report/spreadsheet.h"
#include "report/spreadsheetsession.h"

#include <utility>

ReportExport::ReportExport(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                           InstallPaths paths, std::function<QDate()> today)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_paths(std::move(paths)),
      m_today(std::move(today)) {}

bool ReportExport::saveAutomaticReport() { return run(ResultColumn::Automatic, Ending::SaveAndQuit); }
bool ReportExport::saveStepwiseReport() { return run(ResultColumn::Stepwise, Ending::SaveAndQuit); }
bool ReportExport::showAutomaticReport() { return run(ResultColumn::Automatic, Ending::LeaveOpen); }
bool ReportExport::showStepwiseReport() { return run(ResultColumn::Stepwise, Ending::LeaveOpen); }

QString ReportExport::savedStatus(const QString& name) {
    return QStringLiteral("已保存 ") + InstallPaths::displayRoot() + name + QStringLiteral(".xls 和 ") +
           name + QStringLiteral(".pdf");
}

QString ReportExport::sheetName() { return QStringLiteral("普通混凝土配合比设计"); }

std::vector<FixedText> ReportExport::templateForm() {
    return {
        {7, 2, QStringLiteral("计算项目")}, {7, 7, QStringLiteral("计算值")}, {7, 9, QStringLiteral("数值")}};
}

void ReportExport::fill(Spreadsheet& sheet, ResultColumn column) {
    sheet.setFontName(QStringLiteral("system"));
    sheet.renameSheet(sheetName());
    const QDate today = m_today();
    for (const auto* cells : {&reportCells(), &reportRecordCells()}) {
        for (const ReportCell& cell : *cells) {
            const CellValue value = reportCellValue(cell, m_fields, column, today);
            if (value.kind() == CellValue::Kind::Number)
                sheet.writeNumber(cell.row, cell.column, value.toNumber());
            else
                sheet.writeText(cell.row, cell.column, value.toText());
        }
    }
}

bool ReportExport::run(ResultColumn column, Ending ending) {
    SpreadsheetSession::Export request;
    request.templateName = QStringLiteral("phm.xls");
    request.form = templateForm();
    request.name = m_fields.text(Form1::fileName);
    request.ending = ending == Ending::LeaveOpen ? SpreadsheetSession::Ending::HandOver
                                                 : SpreadsheetSession::Ending::SaveAndQuit;
    // The finished report on paper too, next to its workbook, whichever command wrote the workbook.
    request.pdf = true;
    request.fill = [this, column](Spreadsheet& sheet) { fill(sheet, column); };
    Prompter& prompter = m_prompter;
    return SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, [&prompter] { showFailure(prompter); })
        .exportWorkbook(request);
}
