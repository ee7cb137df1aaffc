#pragma once

#include "office/officeinstance.h"
#include "report/spreadsheet.h"

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/XCell.hpp>

#include <map>
#include <memory>

// The spreadsheet operations on one private LibreOffice Calc instance that a command took from the pool.
// When it quits or goes, it gives the office back to the pool, which keeps or retires it; a handed-over
// office is the user's.
class LibreOfficeSpreadsheet : public Spreadsheet {
public:
    // kept: the office was kept ready ahead of the command.
    LibreOfficeSpreadsheet(std::shared_ptr<OfficeInstance> instance, OfficePool& pool, bool visible,
                           bool kept = false);
    ~LibreOfficeSpreadsheet() override;

    void open(const QString& path, OpenMode mode) override;
    void openTemplate(const QString& path, const std::vector<FixedText>& form) override;
    void openReadOnly(const QString& path, const std::vector<FixedText>& form) override;
    void activate() override;
    void saveAs(const QString& path) override;
    QString fullName() const override;
    void setAuthor(const QString& author) override;
    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void renameSheet(const QString& name) override;
    void writeText(int row, int column, const QString& text) override;
    void writeNumber(int row, int column, double value) override;
    CellValue read(int row, int column) override;
    void save() override;
    void quit() override;
    void handOver() override;
    void placePicture(int row, int column, const QByteArray& png, double widthMm, double heightMm) override;
    void exportPdf(const QString& path) override;
    bool keptReady() const override { return m_kept; }

private:
    // Throws WorkbookRefused unless the active sheet holds every text of the form.
    void requireForm(const QString& path, const std::vector<FixedText>& form);
    // Runs one call into the office under the call limit; every failure becomes a SpreadsheetError.
    template <typename Call> auto guarded(const char* operation, Call call) const -> decltype(call());
    void requireOffice() const;
    // Loads a spreadsheet file (anything else is closed again and refused).
    css::uno::Reference<css::lang::XComponent> load(const QString& path, OpenMode mode, bool hidden);
    static void close(const css::uno::Reference<css::lang::XComponent>& component);
    // Gives the office back to the pool; once.
    void finish();
    void requireWorkbook() const;
    void requireWritable() const;
    css::uno::Reference<css::table::XCell> cell(int row, int column) const;
    void setSheetProperties(const char16_t* const names[3], const css::uno::Any& value);
    // The workbook's key of the format that shows `decimals` decimals, added once where it is missing.
    sal_Int32 fixedFormatKey(int decimals);
    // The decimals a cell's number format shows when it is a plain fixed-decimals one, else 0.
    int shownDecimals(const css::uno::Reference<css::table::XCell>& cell);

    // Null once quit, handed over or given back: the office is no longer this command's.
    std::shared_ptr<OfficeInstance> m_instance;
    OfficePool& m_pool;
    bool m_visible;
    bool m_kept;
    css::uno::Reference<css::sheet::XSpreadsheet> m_sheet;
    bool m_readOnly = false;
    // The file the workbook was last saved as, whose lock the office held.
    QString m_savedAs;
    // Per workbook: format keys by decimals (written) and decimals by format key (read).
    std::map<int, sal_Int32> m_fixedKeys;
    std::map<sal_Int32, int> m_keyDecimals;
};
