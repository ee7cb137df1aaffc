#pragma once

#include <QString>
#include <optional>

// The sheet an Excel 97 (BIFF8) workbook file marks as its active one: the current tab of its window record,
// counted from 0 in the order of its sheets, whether that sheet is shown or hidden. Read from the file
// itself, since the office shows another sheet where the marked one is hidden. None for anything that is not
// such a workbook (another format, a damaged file).
std::optional<int> markedActiveSheet(const QString& path);
