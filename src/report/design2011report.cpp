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
#include "report/storedfields.h"

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

void Design2011Report::fill(Spreadsheet& sheet, const Design2011Calculation& calculation,
                            const QString& name) {
    const QString date = dateText(m_date.isNull() ? QDate::currentDate() : m_date);
    for (const Design2011Cell& cell : design2011Cells()) {
        const bool isName = cell.form == SheetForm::Field && cell.field == Design2011::reportName;
        sheet.writeText(cell.row, cell.column,
                        isName ? name : design2011CellText(cell, m_fields, calculation, date));
    }
    const QStringList boxes = {Design2011::sigmaFromStatistics, Design2011::airEntrained, Design2011::pumped,
                               Design2011::massConcrete};
    StoredFields::Texts inputs;
    for (const QString& input : design2011StoredInputs()) {
        const bool box = boxes.contains(input);
        inputs.append({input, box ? (m_fields.isChecked(input) ? QStringLiteral("on") : QStringLiteral("off"))
                                  : m_fields.text(input)});
    }
    StoredFields::write(sheet, design2011StoredForm(), inputs);
}

std::optional<QList<QPair<QString, QString>>> Design2011Report::load(const QString& path) {
    const QString notASheet = QStringLiteral("所选文件不是本窗口保存的计算书。");
    std::optional<StoredFields::Texts> texts;
    Prompter& prompter = m_prompter;
    // A file that is no workbook of the sheet's form (the session checks its headings) is refused alike.
    const bool read = SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, [&prompter, &notASheet] {
                          showStop(prompter, notASheet);
                      }).importWorkbook(path, templateForm(), [&](Spreadsheet& sheet) {
        texts = StoredFields::read(sheet, design2011StoredForm());
    });
    if (!read)
        return std::nullopt;
    // Every input once, in the window's order, lists and boxes with texts of their own.
    const QStringList names = design2011StoredInputs();
    bool complete = texts && texts->size() == names.size();
    for (int i = 0; complete && i < names.size(); ++i)
        complete = texts->at(i).first == names.at(i);
    if (!complete) {
        showStop(m_prompter, notASheet);
        return std::nullopt;
    }
    const QList<QPair<QString, QStringList>> lists = {
        {Design2011::grade, Design2011::grades},
        {Design2011::cementKind, Design2011::cementKinds},
        {Design2011::cementClass, Design2011::cementClasses},
        {Design2011::maxSize, Design2011::maxSizes},
        {Design2011::flyAshGrade, Design2011::flyAshGrades},
        {Design2011::slagGrade, Design2011::slagGrades},
        {Design2011::environment, Design2011::environments},
        {Design2011::structure, Design2011::structures},
        {Design2011::densityMethod, Design2011::densityMethods},
        {Design2011::impermeability, Design2011::impermeabilities},
        {Design2011::frostResistance, Design2011::frostResistances},
        {Design2011::frostExposure, Design2011::frostExposures}};
    for (const auto& [name, text] : *texts) {
        for (const auto& [list, items] : lists)
            complete = complete && (name != list || items.contains(text));
        for (const QString& box : {Design2011::sigmaFromStatistics, Design2011::airEntrained,
                                   Design2011::pumped, Design2011::massConcrete})
            complete =
                complete && (name != box || text == QStringLiteral("on") || text == QStringLiteral("off"));
    }
    if (!complete) {
        showStop(m_prompter, notASheet);
        return std::nullopt;
    }
    return *texts;
}

QString Design2011Report::save(const Design2011Calculation* calculation) {
    if (!calculation) {
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
    request.fill = [this, calculation, &request](Spreadsheet& sheet) {
        fill(sheet, *calculation, request.name);
    };
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
