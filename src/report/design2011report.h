#pragma once

#include "common/installpaths.h"
#include "report/spreadsheet.h"

#include <QDate>
#include <QString>
#include <vector>

class Fields;
class Launcher;
class Prompter;

// The calculation sheet of the JGJ 55-2011 window: root/<reportName>.xls from the template phm2011.xls,
// with its PDF root/<reportName>.pdf, written with every safety of the main window's "文件保存为" (name
// checks, whole-file replacement, links refused, the office kept ready).
class Design2011Report {
public:
    // date: the date the sheet bears; a null date stands for the day of each save.
    Design2011Report(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets, Launcher& launcher,
                     InstallPaths paths, QDate date = QDate());

    // 保存计算书. calculated: the window's fields hold a calculation of its present inputs; without one it
    // refuses with "请先点击“计算”。". The name is reportName trimmed (ReportName); every failure names its
    // cause (SaveFailure). On success writes the label reportStatus and returns the name saved; an empty name
    // when nothing was saved.
    QString save(bool calculated);
    // 查看计算书: opens root/<savedName>.pdf with the desktop's viewer (ReportPdf); "请先保存计算书。" when
    // savedName is empty.
    void open(const QString& savedName);

    // The template in root/mb/, and the section headings of its form.
    static QString templateName();
    static std::vector<FixedText> templateForm();

private:
    // name: the name the sheet is saved under.
    void fill(Spreadsheet& sheet, const QString& name);

    Fields& m_fields;
    Prompter& m_prompter;
    SpreadsheetFactory& m_spreadsheets;
    Launcher& m_launcher;
    InstallPaths m_paths;
    QDate m_date;
};
