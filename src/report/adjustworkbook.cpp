#include "report/adjustworkbook.h"

#include "adjust/tiaozheng.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "report/spreadsheet.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace {

// The adjustment window's message boxes name this help topic; no Help button is shown.

const QString kFileName = Tiaozheng::fileName;
const QString kChosenPath = Tiaozheng::chosenPath;
const QString kChosenStem = Tiaozheng::chosenStem;
const QString kDateTag = Tiaozheng::dateTag;

// The chart's corner H19: right of the last mapped column G, level with step 4's groups; 150 x 105 mm.
constexpr int kChartRow = 19;
constexpr int kChartColumn = 8;
constexpr double kChartWidthMm = 150;
constexpr double kChartHeightMm = 105;

// The extension that the hidden stem field drops from the chosen path.
constexpr int kExtensionLength = 4;

} // namespace

AdjustWorkbook::AdjustWorkbook(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets,
                               InstallPaths paths, ChartPicture chartPicture)
    : m_fields(fields), m_prompter(prompter), m_spreadsheets(spreadsheets), m_paths(std::move(paths)),
      m_chartPicture(std::move(chartPicture)) {}

QString AdjustWorkbook::sheetName() { return QStringLiteral("配合比调整"); }

QString AdjustWorkbook::templateName(AdjustExport kind) {
    return kind == AdjustExport::Construction ? QStringLiteral("phtzm.xls") : QStringLiteral("phtzsm.xls");
}

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

void AdjustWorkbook::command13() { exportTo(AdjustExport::Construction); }

void AdjustWorkbook::command14() { exportTo(AdjustExport::Laboratory); }

void AdjustWorkbook::fill(Spreadsheet& sheet, AdjustExport kind) {
    sheet.setFontName(QStringLiteral("system"));
    sheet.renameSheet(sheetName());
    for (const AdjustCell& cell : adjustCells()) {
        if (!writtenBy(cell, kind))
            continue;
        // As typed: a number text is stored as that number, any other text verbatim.
        sheet.writeText(cell.row, cell.column, m_fields.text(cell.field));
    }
    placeChart(sheet);
}

void AdjustWorkbook::placeChart(Spreadsheet& sheet) {
    const QByteArray png = m_chartPicture ? m_chartPicture() : QByteArray();
    if (!png.isEmpty())
        sheet.placePicture(kChartRow, kChartColumn, png, kChartWidthMm, kChartHeightMm);
}

// Once the copy is saved under its own name the instance stays with the user, after a failure too, so the
// cells written so far can be seen. Before that it shows the template itself, which the user must not be
// led to overwrite: it is ended.
void AdjustWorkbook::exportTo(AdjustExport kind) {
    if (!confirm(QStringLiteral("您确定要把数据导出到EXCEL文件吗？")))
        return;
    const QString name = m_fields.text(kFileName);
    if (!isSafeWorkbookName(name)) {
        showImportantNotice(m_prompter, exportFailure());
        return;
    }
    std::unique_ptr<Spreadsheet> sheet;
    bool saved = false;
    try {
        sheet = m_spreadsheets.start(true);
        if (!sheet)
            throw SpreadsheetError("no spreadsheet application");
        sheet->open(m_paths.templatePath(templateName(kind)));
        sheet->activate();
        sheet->saveAs(m_paths.workbookPath(name));
        saved = true;
        sheet->setAuthor(sheet->fullName());
        fill(*sheet, kind);
        sheet->handOver();
        return;
    } catch (const SpreadsheetError&) {
    }
    showImportantNotice(m_prompter, exportFailure());
    if (!sheet)
        return;
    try {
        if (saved)
            sheet->handOver();
        else
            sheet->quit();
    } catch (const SpreadsheetError&) {
        // The instance is ended when `sheet` goes out of scope.
    }
}

void AdjustWorkbook::command11() {
    FileDialogRequest request;
    request.filter = QStringLiteral("excel file(*.xls)|*.xls|");
    request.flags = 4; // no read-only check box
    request.startFolder = m_paths.root();
    const std::optional<QString> path = m_prompter.openFile(request);
    if (path)
        m_fields.setText(kChosenPath, *path);
}

void AdjustWorkbook::command11LostFocus() {
    const QString path = m_fields.text(kChosenPath);
    m_fields.setText(kChosenStem, path.left(std::max<qsizetype>(0, path.size() - kExtensionLength)));
}

// Reads the chosen file itself, read-only: nothing is saved, and the hidden instance is ended on every way
// out. Fields read before a failure keep their new texts.
void AdjustWorkbook::command12() {
    if (!confirm(QStringLiteral("您确定要把选择的EXCEL文件数据导入到本程序吗？")))
        return;
    const QString path = m_fields.text(kChosenPath);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        showImportantNotice(m_prompter, importFailure());
        return;
    }
    std::unique_ptr<Spreadsheet> sheet;
    bool done = false;
    try {
        sheet = m_spreadsheets.start(false);
        if (!sheet)
            throw SpreadsheetError("no spreadsheet application");
        sheet->open(path, OpenMode::ReadOnly);
        sheet->activate();
        for (const AdjustCell& cell : adjustCells())
            m_fields.setText(cell.field, importedText(cell, sheet->read(cell.row, cell.column)));
        done = true;
    } catch (const SpreadsheetError&) {
    } catch (const CalcFailure&) {
    }
    if (sheet) {
        try {
            sheet->quit();
        } catch (const SpreadsheetError&) {
            // The instance is ended when `sheet` goes out of scope.
        }
    }
    if (!done)
        showImportantNotice(m_prompter, importFailure());
}

void AdjustWorkbook::dateTag() {
    m_fields.setText(kFileName, m_fields.text(kFileName) + QStringLiteral("---") + m_fields.text(kDateTag));
}
