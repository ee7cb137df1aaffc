#pragma once

#include "common/installpaths.h"
#include "report/spreadsheet.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>
#include <vector>

class Fields;
class Launcher;
class Prompter;
struct Design2011Calculation;

// The calculation sheet of the JGJ 55-2011 window: root/<reportName>.xls from the template phm2011.xls,
// with its PDF root/<reportName>.pdf, written with every safety of the main window's "文件保存为" (name
// checks, whole-file replacement, links refused, the office kept ready).
class Design2011Report {
public:
    // date: the date the sheet bears; a null date stands for the day of each save.
    Design2011Report(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets, Launcher& launcher,
                     InstallPaths paths, QDate date = QDate());

    // 保存计算书 of the calculation the window's fields show (nullptr: none, refused with
    // "请先点击“计算”。"). The name is reportName trimmed (ReportName); every failure names its cause
    // (SaveFailure). The sheet also keeps every input's text beside its printed page. On success writes the
    // label reportStatus and returns the name saved; an empty name when nothing was saved.
    QString save(const Design2011Calculation* calculation);
    // 打开计算书: the inputs a sheet written by save() keeps, in the window's reading order, read from the
    // workbook at path without changing it; nothing (after the refusal's message) for another workbook or a
    // failure of the office.
    std::optional<QList<QPair<QString, QString>>> load(const QString& path);
    // 查看计算书: opens root/<savedName>.pdf with the desktop's viewer (ReportPdf); "请先保存计算书。" when
    // savedName is empty.
    void open(const QString& savedName);

    // The template in root/mb/, and the section headings of its form.
    static QString templateName();
    static std::vector<FixedText> templateForm();

private:
    // name: the name the sheet is saved under.
    void fill(Spreadsheet& sheet, const Design2011Calculation& calculation, const QString& name);

    Fields& m_fields;
    Prompter& m_prompter;
    SpreadsheetFactory& m_spreadsheets;
    Launcher& m_launcher;
    InstallPaths m_paths;
    QDate m_date;
};
