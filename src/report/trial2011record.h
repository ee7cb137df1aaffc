#pragma once

#include "common/installpaths.h"
#include "report/spreadsheet.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class Fields;
class Launcher;
class Prompter;
class Trial2011Form;

// The record of the JGJ 55-2011 trial window: root/<recordName>.xls from the template phsp2011.xls with its
// PDF, written with every safety of the main window's "文件保存为", on at most two A4 pages; it also keeps
// every field's text beside its pages, so that 打开试配记录 gives the window back as it was saved.
class Trial2011Record {
public:
    // The strength chart as PNG; empty while step 3 has no results (drawn by the window).
    using ChartPicture = std::function<QByteArray()>;

    // date: the date the record bears; a null date stands for the day of each save.
    Trial2011Record(Fields& fields, Prompter& prompter, SpreadsheetFactory& spreadsheets, Launcher& launcher,
                    InstallPaths paths, ChartPicture chart = {}, QDate date = QDate());

    // 保存试配记录: refuses "请先计算试拌配合比。" without step 1's results. On success writes recordStatus
    // and returns the name saved; an empty name when nothing was saved.
    QString save(const Trial2011Form& form);
    // 打开试配记录: asks for a record in root/ and reads its stored texts without changing it; nothing (after
    // the refusal's message) when cancelled, for another workbook or when the office fails.
    std::optional<QList<QPair<QString, QString>>> load();
    // 查看试配记录: the saved PDF through the launcher; "请先保存试配记录。" before a save.
    void view(const QString& savedName);

    static QString templateName();
    static std::vector<FixedText> templateForm();
    static QString storedForm();
    static QString notARecordMessage();

private:
    void fill(Spreadsheet& sheet, const Trial2011Form& form);

    Fields& m_fields;
    Prompter& m_prompter;
    SpreadsheetFactory& m_spreadsheets;
    Launcher& m_launcher;
    InstallPaths m_paths;
    ChartPicture m_chart;
    QDate m_date;
};
