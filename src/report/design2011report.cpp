#include "report/design2011report.h"

#include "common/datetext.h"
#include "common/fields.h"
#include "common/prompts.h"
#include "design2011/design2011controls.h"
#include "report/design2011cells.h"
#include "report/reportname.h"
#include "report/reportpdf.h"
#include "report/savefailure.h"
#include "report/spreadsheet.h"
#include "report/spreadsheetsession.h"

#include <optional>
#include <utility>

Design2011Report::Design2011Report(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                                   Launcher& launcher, InstallPaths paths, QDate date)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_launcher(launcher),
      m_paths(std::move(paths)), m_date(date) {}

QString Design2011Report::templateName() { return QStringLiteral("phm2011.xls"); }

std::vector<FixedText> Design2011Report::templateForm() {
    return {{3, 1, QStringLiteral("一、设计条件")},
            {15, 1, QStringLiteral("二、配制强度与水胶比")},
            {15, 18, QStringLiteral("三、每立方米材料用量 (kg/m³)")}};
}

void Design2011Report::fill(Spreadsheet& sheet, const QString& name) {
    const QString date = dateText(m_date.isNull() ? QDate::currentDate() : m_date);
    for (const Design2011Cell& cell : design2011Cells()) {
        const bool isName = cell.form == SheetForm::Field && cell.field == Design2011::reportName;
        sheet.writeText(cell.row, cell.column, isName ? name : design2011CellText(cell, m_fields, date));
    }
}

QString Design2011Report::save(bool calculated) {
    if (!calculated) {
        showStop(m_prompter, QStringLiteral("请先点击“计算”。"));
        return {};
    }
    // Trimmed; an empty name would save the hidden files ".xls" and ".pdf".
    const std::optional<QString> name = ReportName::take(m_fields.text(Design2011::reportName));
    if (!name) {
        showStop(m_prompter, SaveFailure::nameRuleMessage());
        return {};
    }
    SpreadsheetSession::Export request;
    request.templateName = templateName();
    request.form = templateForm();
    request.name = *name;
    request.ending = SpreadsheetSession::Ending::SaveAndQuit;
    request.pdf = true;
    request.fill = [this, &request](Spreadsheet& sheet) { fill(sheet, request.name); };
    if (!SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, SaveFailure::reporter(m_prompter))
             .exportWorkbook(request))
        return {};
    m_fields.setText(Design2011::reportStatus, QStringLiteral("已保存：") + request.name +
                                                   QStringLiteral(".xls、") + request.name +
                                                   QStringLiteral(".pdf"));
    return request.name;
}

void Design2011Report::open(const QString& savedName) {
    if (savedName.isEmpty()) {
        showStop(m_prompter, QStringLiteral("请先保存计算书。"));
        return;
    }
    ReportPdf::open(m_launcher, m_prompter, m_paths, savedName);
}
