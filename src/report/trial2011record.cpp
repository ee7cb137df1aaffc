#include "report/trial2011record.h"

#include "common/datetext.h"
#include "common/fields.h"
#include "common/launcher.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "report/reportname.h"
#include "report/reportpdf.h"
#include "report/savefailure.h"
#include "report/spreadsheetsession.h"
#include "report/storedfields.h"
#include "report/trial2011cells.h"
#include "trial2011/trial2011controls.h"
#include "trial2011/trial2011form.h"

#include <utility>

Trial2011Record::Trial2011Record(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                                 Launcher& launcher, InstallPaths paths, ChartPicture chart, QDate date)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_launcher(launcher),
      m_paths(std::move(paths)), m_chart(std::move(chart)), m_date(date) {}

QString Trial2011Record::templateName() { return QStringLiteral("phsp2011.xls"); }

std::vector<FixedText> Trial2011Record::templateForm() {
    return {{1, 1, QStringLiteral("混凝土配合比试配记录（JGJ 55-2011）")},
            {4, 1, QStringLiteral("一、原材料")},
            {11, 1, QStringLiteral("二、计算配合比（第5章）")},
            {50, 1, QStringLiteral("五、确定胶水比（第6.2.1条）")}};
}

QString Trial2011Record::storedForm() { return QStringLiteral("mixdesign JGJ55-2011 试配记录 1"); }

QString Trial2011Record::notARecordMessage() { return QStringLiteral("所选文件不是本窗口保存的试配记录。"); }

void Trial2011Record::fill(Spreadsheet& sheet, const Trial2011Form& form) {
    const QString date = dateText(m_date.isNull() ? QDate::currentDate() : m_date);
    for (const Trial2011Cell& cell : trial2011Cells()) {
        QString text = date;
        if (cell.field == Trial2011::airEntrained || cell.field == Trial2011::pumped ||
            cell.field == Trial2011::massConcrete)
            text = m_fields.isChecked(cell.field) ? QStringLiteral("是") : QStringLiteral("否");
        else if (cell.field == Trial2011::recordName)
            text = m_fields.text(cell.field).trimmed();
        else if (!cell.field.isEmpty())
            text = m_fields.text(cell.field);
        if (!text.isEmpty())
            sheet.writeText(cell.row, cell.column, text);
    }
    const QByteArray png = form.regression() && m_chart ? m_chart() : QByteArray();
    if (!png.isEmpty())
        sheet.placePicture(kTrialChartRow, 1, png, kTrialChartWidthMm, kTrialChartHeightMm);
    StoredFields::write(sheet, storedForm(), form.storedTexts());
}

QString Trial2011Record::save(const Trial2011Form& form) {
    if (!form.mix()) {
        showStop(m_prompter, QStringLiteral("请先计算试拌配合比。"));
        return {};
    }
    SpreadsheetSession::Export request;
    request.templateName = templateName();
    request.form = templateForm();
    const std::optional<QString> name = ReportName::take(m_fields.text(Trial2011::recordName));
    if (!name) {
        showStop(m_prompter, SaveFailure::nameRuleMessage());
        return {};
    }
    request.name = *name;
    request.ending = SpreadsheetSession::Ending::SaveAndQuit;
    request.pdf = true;
    request.fill = [this, &form](Spreadsheet& sheet) { fill(sheet, form); };
    if (!SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, SaveFailure::reporter(m_prompter))
             .exportWorkbook(request))
        return {};
    m_fields.setText(Trial2011::recordStatus, QStringLiteral("已保存：") + request.name +
                                                  QStringLiteral(".xls、") + request.name +
                                                  QStringLiteral(".pdf"));
    return request.name;
}

std::optional<QList<QPair<QString, QString>>> Trial2011Record::load() {
    FileDialogRequest dialog;
    dialog.filter = QStringLiteral("试配记录 (*.xls)|*.xls|");
    dialog.startFolder = m_paths.root();
    const std::optional<QString> path = m_prompter.openFile(dialog);
    if (!path)
        return std::nullopt;
    std::optional<StoredFields::Texts> texts;
    Prompter& prompter = m_prompter;
    const bool read = SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, [&prompter] {
                          showStop(prompter, notARecordMessage());
                      }).importWorkbook(*path, templateForm(), [&](Spreadsheet& sheet) {
        texts = StoredFields::read(sheet, storedForm());
    });
    if (!read)
        return std::nullopt;
    if (!texts) {
        showStop(m_prompter, notARecordMessage());
        return std::nullopt;
    }
    return *texts;
}

void Trial2011Record::view(const QString& savedName) {
    if (savedName.isEmpty()) {
        showStop(m_prompter, QStringLiteral("请先保存试配记录。"));
        return;
    }
    ReportPdf::open(m_launcher, m_prompter, m_paths, savedName);
}
