#include "report/reportcells.h"

#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"

namespace {

ReportCell text(int row, int column, const char16_t* source, const char16_t* suffix = u"") {
    return {row,
            column,
            ReportForm::FieldText,
            QString::fromUtf16(source),
            QString(),
            QString::fromUtf16(suffix)};
}

ReportCell percentage(int row, int column, const char16_t* source) {
    return {row, column, ReportForm::Percentage, QString::fromUtf16(source), QString(), QString()};
}

ReportCell ratio(int row, int column, const char16_t* source, const char16_t* divisor) {
    return {row,      column, ReportForm::Ratio, QString::fromUtf16(source), QString::fromUtf16(divisor),
            QString()};
}

ReportCell one(int row, int column) {
    return {row, column, ReportForm::One, QString(), QString(), QString()};
}

// Result rows in the order of the window's columns.
const QString kResultLetters = QStringLiteral("TDFRWCPSK");

} // namespace

const std::vector<ReportCell>& reportCells() {
    static const std::vector<ReportCell> cells = {
        text(8, 7, u"Text2"),     text(9, 7, u"D"),
        text(10, 7, u"T"),        text(11, 7, u"F"),
        text(12, 7, u"Combo4"),   text(13, 7, u"Combo5"),
        text(14, 7, u"Combo3"),   text(15, 7, u"Combo2"),
        text(16, 7, u"W"),        text(17, 7, u"R"),
        text(18, 7, u"R"),        text(19, 7, u"Combo2"),
        text(20, 7, u"Combo6"),   text(21, 7, u"C"),
        text(22, 7, u"W"),        percentage(23, 7, u"P"),
        text(24, 7, u"S"),        text(25, 7, u"Combo6"),
        text(26, 7, u"W"),        text(27, 7, u"C"),
        text(28, 7, u"C"),        text(29, 7, u"W"),
        text(30, 7, u"S"),        text(31, 7, u"K"),
        text(8, 9, u"T"),         text(10, 9, u"R"),
        text(14, 9, u"W"),        text(16, 9, u"C"),
        percentage(18, 9, u"P"),  text(20, 9, u"S"),
        text(24, 9, u"K"),        one(28, 9),
        ratio(29, 9, u"S", u"C"), ratio(30, 9, u"K", u"C"),
        ratio(31, 9, u"W", u"C"), text(2, 8, u"Combo3", u"mm"),
        text(3, 8, u"Text1"),     text(4, 8, u"Text6"),
    };
    return cells;
}

QString reportSourceField(const QString& source, ResultColumn column) {
    if (source.size() != 1)
        return source;
    const qsizetype index = kResultLetters.indexOf(source[0]);
    if (index < 0)
        return source;
    const int first = column == ResultColumn::Automatic ? 7 : 17;
    return QStringLiteral("Text%1").arg(first + index);
}

CellValue reportCellValue(const ReportCell& cell, const Fields& fields, ResultColumn column) {
    const auto field = [&](const QString& source) { return fields.text(reportSourceField(source, column)); };
    switch (cell.form) {
    case ReportForm::FieldText:
        return CellValue::text(field(cell.source) + cell.suffix);
    case ReportForm::Percentage:
        return CellValue::number(checked(readLenient(field(cell.source)) * 100.0));
    case ReportForm::Ratio:
        return CellValue::text(formatNumber(
            divide(readLenient(field(cell.source)), readLenient(field(cell.divisor))), u"###0.00"));
    case ReportForm::One:
        return CellValue::number(1.0);
    }
    throw CalcFailure("unknown report form");
}
