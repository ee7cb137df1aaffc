#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class Spreadsheet;

// The texts of a window's fields kept in a workbook beside what it prints, in columns outside the printed
// range that the templates hide, so that the program can give the window back exactly as it was saved. The
// first row names the form and the number of fields; each later row holds a field's name and its text, the
// text behind a "|" so that the spreadsheet never takes it for a number.
namespace StoredFields {

constexpr int nameColumn = 40; // AN
constexpr int textColumn = 41; // AO

using Texts = QList<QPair<QString, QString>>;

void write(Spreadsheet& sheet, const QString& form, const Texts& texts);
// The texts of a workbook of that form; nothing for another workbook or one whose rows were damaged.
std::optional<Texts> read(Spreadsheet& sheet, const QString& form);

} // namespace StoredFields
