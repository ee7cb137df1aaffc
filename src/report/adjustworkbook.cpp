#include "report/adjustworkbook.h"

#include "adjust/tiaozheng.h"
#include "common/fields.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "report/spreadsheet.h"
#include "report/spreadsheetsession.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The adjustment window's message boxes name this help topic; no Help button is shown.

const QString kFileName = Tiaozheng::fileName;
const QString kChosenPath = Tiaozheng::chosenPath;
const QString kChosenStem = Tiaozheng::chosenStem;
const QString kDateTag = Tiaozheng::dateTag;

// The chart below the signatures, in column A, 150 x 105 mm: the templates begin a new page after step 5.
constexpr int kChartColumn = 1;
constexpr double kChartWidthMm = 150;
constexpr double kChartHeightMm = 105;

// The extension that the hidden stem field drops from the chosen path.
constexpr int kExtensionLength = 4;

} // namespace

AdjustWorkbook::AdjustWorkbook(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                               InstallPaths paths, ChartPicture chartPicture, std::function<QDate()> today)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_paths(std::move(paths)),
      m_chartPicture(std::move(chartPicture)), m_today(std::move(today)) {}

QString AdjustWorkbook::sheetName() { return QStringLiteral("配合比调整"); }

QString AdjustWorkbook::templateName(AdjustExport kind) {
    return kind == AdjustExport::Construction ? QStringLiteral("phtzm.xls") : QStringLiteral("phtzsm.xls");
}

// The table headings both share: a workbook of either export is read back, no other.
std::vector<FixedText> AdjustWorkbook::importForm() {
    return {{9, 1, QStringLiteral("材料")}, {18, 1, QStringLiteral("项目")}};
}

// The shared headings, and the row after step 5 where they part: step 6 or the signatures.
std::vector<FixedText> AdjustWorkbook::templateForm(AdjustExport kind) {
    std::vector<FixedText> form = importForm();
    if (kind == AdjustExport::Construction)
        form.push_back({43, 1, QStringLiteral("四、施工配合比（按砂、石含水率换算）")});
    else
        form.push_back({45, 1, QStringLiteral("试验：")});
    return form;
}

// The first free row after each template's signatures, one blank row between.
int AdjustWorkbook::chartCaptionRow(AdjustExport kind) {
    return kind == AdjustExport::Construction ? 55 : 49;
}

QString AdjustWorkbook::chartCaption() { return QStringLiteral("附图：28d 抗压强度与灰水比关系"); }

QString AdjustWorkbook::exportFailure() {
    return QStringLiteral("请关闭您以前打开的EXCEL文档！或您输入的参数可能有错误！");
}

QString AdjustWorkbook::importFailure() {
    return QStringLiteral("请您先打开的EXCEL数据文件！或您输入的参数可能有错误！");
}

bool AdjustWorkbook::confirm(const QString& question) {
    return m_prompter.message(adjustmentBox(question, QString(), MessageIcon::Question,
                                            MessageButtons::YesNo)) == MessageButton::Yes;
}

void AdjustWorkbook::exportConstruction() { exportTo(AdjustExport::Construction); }

void AdjustWorkbook::exportLaboratory() { exportTo(AdjustExport::Laboratory); }

void AdjustWorkbook::fill(Spreadsheet& sheet, AdjustExport kind) {
    sheet.setFontName(QStringLiteral("system"));
    sheet.renameSheet(sheetName());
    for (const AdjustCell& cell : adjustCells()) {
        if (!writtenBy(cell, kind))
            continue;
        // As typed: a number text is stored as that number, any other text verbatim.
        sheet.writeText(cell.row, cell.column, m_fields.text(cell.field));
    }
    const QDate today = m_today();
    for (const AdjustRecordCell& cell : adjustRecordCells())
        sheet.writeText(cell.row, cell.column, adjustRecordText(cell.item, m_fields, today));
    placeChart(sheet, kind);
}

void AdjustWorkbook::placeChart(Spreadsheet& sheet, AdjustExport kind) {
    const QByteArray png = m_chartPicture ? m_chartPicture() : QByteArray();
    if (png.isEmpty())
        return;
    const int caption = chartCaptionRow(kind);
    sheet.writeText(caption, kChartColumn, chartCaption());
    sheet.placePicture(caption + 1, kChartColumn, png, kChartWidthMm, kChartHeightMm);
}

void AdjustWorkbook::exportTo(AdjustExport kind) {
    if (!confirm(QStringLiteral("您确定要把数据导出到EXCEL文件吗？")))
        return;
    SpreadsheetSession::Export request;
    request.templateName = templateName(kind);
    request.form = templateForm(kind);
    request.name = m_fields.text(kFileName);
    request.ending = SpreadsheetSession::Ending::HandOver;
    // Its failure message asks to close the workbook opened before.
    request.namesFileInUse = false;
    request.fill = [this, kind](Spreadsheet& sheet) { fill(sheet, kind); };
    Prompter& prompter = m_prompter;
    SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, [&prompter] {
        showImportantNotice(prompter, exportFailure());
    }).exportWorkbook(request);
}

void AdjustWorkbook::chooseFile() {
    FileDialogRequest request;
    request.filter = QStringLiteral("excel file(*.xls)|*.xls|");
    request.flags = 4; // no read-only check box
    request.startFolder = m_paths.root();
    const std::optional<QString> path = m_prompter.openFile(request);
    if (path)
        m_fields.setText(kChosenPath, *path);
}

void AdjustWorkbook::takeChosenStem() {
    const QString path = m_fields.text(kChosenPath);
    m_fields.setText(kChosenStem, path.left(std::max<qsizetype>(0, path.size() - kExtensionLength)));
}

// Reads the chosen file itself, read-only: nothing is saved. Fields read before a failure keep their new
// texts.
void AdjustWorkbook::importWorkbook() {
    if (!confirm(QStringLiteral("您确定要把选择的EXCEL文件数据导入到本程序吗？")))
        return;
    Prompter& prompter = m_prompter;
    SpreadsheetSession(m_spreadsheets, m_prompter, m_paths, [&prompter] {
        showImportantNotice(prompter, importFailure());
    }).importWorkbook(m_fields.text(kChosenPath), importForm(), [this](Spreadsheet& sheet) {
        for (const AdjustCell& cell : adjustCells())
            m_fields.setText(cell.field, importedText(cell, sheet.read(cell.row, cell.column)));
    });
}

void AdjustWorkbook::appendDateTag() {
    m_fields.setText(kFileName, m_fields.text(kFileName) + QStringLiteral("---") + m_fields.text(kDateTag));
}
