#include "report/reportexport.h"

#include "common/failure.h"
#include "common/fields.h"
#include "common/prompts.h"
#include "design/form1.h"
#include "report/spreadsheet.h"

#include <memory>
#include <utility>

ReportExport::ReportExport(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                           InstallPaths paths)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_paths(std::move(paths)) {}

void ReportExport::command10() { run(ResultColumn::Automatic, Ending::SaveAndQuit); }
void ReportExport::command11() { run(ResultColumn::Stepwise, Ending::SaveAndQuit); }
void ReportExport::command12() { run(ResultColumn::Automatic, Ending::LeaveOpen); }
void ReportExport::command13() { run(ResultColumn::Stepwise, Ending::LeaveOpen); }

QString ReportExport::sheetName() { return QStringLiteral("普通混凝土配合比设计"); }

void ReportExport::fill(Spreadsheet& sheet, ResultColumn column) {
    sheet.setFontName(QStringLiteral("system"));
    sheet.renameSheet(sheetName());
    for (const ReportCell& cell : reportCells()) {
        const CellValue value = reportCellValue(cell, m_fields, column);
        if (value.kind() == CellValue::Kind::Number)
            sheet.writeNumber(cell.row, cell.column, value.toNumber());
        else
            sheet.writeText(cell.row, cell.column, value.toText());
    }
}

// A hidden instance is ended whatever happens; a visible one stays with the user once it shows a workbook,
// after a failure too, so the cells written so far can be seen.
void ReportExport::run(ResultColumn column, Ending ending) {
    const QString name = m_fields.text(Form1::fileName);
    if (!isSafeWorkbookName(name)) {
        showFailure(m_prompter);
        return;
    }
    const bool visible = ending == Ending::LeaveOpen;
    std::unique_ptr<Spreadsheet> sheet;
    bool opened = false;
    try {
        sheet = m_spreadsheets.start(visible);
        if (!sheet)
            throw SpreadsheetError("no spreadsheet application");
        sheet->open(m_paths.templatePath(QStringLiteral("phm.xls")));
        opened = true;
        sheet->activate();
        sheet->saveAs(m_paths.workbookPath(name));
        sheet->setAuthor(sheet->fullName());
        fill(*sheet, column);
        if (visible) {
            sheet->handOver();
        } else {
            sheet->save();
            // The finished report on paper too, next to its workbook.
            sheet->exportPdf(m_paths.root() + name + QStringLiteral(".pdf"));
            sheet->quit();
        }
        return;
    } catch (const SpreadsheetError&) {
    } catch (const CalcFailure&) {
    }
    showFailure(m_prompter);
    if (!sheet)
        return;
    try {
        if (visible && opened)
            sheet->handOver();
        else
            sheet->quit();
    } catch (const SpreadsheetError&) {
        // The instance is ended when `sheet` goes out of scope.
    }
}
