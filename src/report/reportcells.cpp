#include "report/reportcells.h"

#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "design/form1.h"
#include "design/tables.h"

namespace {

ReportCell text(int row, int column, const QString& source, const QString& suffix = QString()) {
    return {row, column, ReportForm::FieldText, source, QString(), suffix};
}

ReportCell percentage(int row, int column, const QString& source) {
    return {row, column, ReportForm::Percentage, source, QString(), QString()};
}

ReportCell ratio(int row, int column, const QString& source, const QString& divisor) {
    return {row, column, ReportForm::Ratio, source, divisor, QString()};
}

ReportCell one(int row, int column) {
    return {row, column, ReportForm::One, QString(), QString(), QString()};
}

ReportCell computed(int row, int column, ReportForm form) {
    return {row, column, form, QString(), QString(), QString()};
}

// An environment and reinforcement pair that the table lacks: the checks compared with 0.
const QString kNoTableValue = QStringLiteral("表中无此组合（按0校核）");
// What the standard's table says where it sets no maximum ratio.
const QString kUnregulated = QStringLiteral("不作规定");

DurabilityLimits limitsOf(const Fields& fields) {
    return durabilityLimits(fields.text(Form1::environment), fields.text(Form1::reinforcement));
}

// Only the stepwise column's water can come from the admixture window; it did while Text21 still holds what
// the window sent.
bool waterFromAdmixture(const Fields& fields, ResultColumn column) {
    const QString sent = fields.text(Form1::sentAdmixtureWater);
    return column == ResultColumn::Stepwise && !sent.isEmpty() && fields.text(Form1::stepwiseWater) == sent;
}

// Result rows in the order of the window's columns.
const QString kResultLetters = QStringLiteral("TDFRWCPSK");

} // namespace

const std::vector<ReportCell>& reportCells() {
    static const std::vector<ReportCell> cells = {
        text(8, 7, Form1::gradeStrength),
        text(9, 7, QStringLiteral("D")),
        text(10, 7, QStringLiteral("T")),
        text(11, 7, QStringLiteral("F")),
        text(12, 7, Form1::coefficientA),
        text(13, 7, Form1::coefficientB),
        text(14, 7, Form1::slump),
        text(15, 7, Form1::stoneSize),
        text(16, 7, QStringLiteral("W")),
        text(17, 7, QStringLiteral("R")),
        text(18, 7, QStringLiteral("R")),
        text(19, 7, Form1::stoneSize),
        text(20, 7, Form1::density),
        text(21, 7, QStringLiteral("C")),
        text(22, 7, QStringLiteral("W")),
        percentage(23, 7, QStringLiteral("P")),
        text(24, 7, QStringLiteral("S")),
        text(25, 7, Form1::density),
        text(26, 7, QStringLiteral("W")),
        text(27, 7, QStringLiteral("C")),
        text(28, 7, QStringLiteral("C")),
        text(29, 7, QStringLiteral("W")),
        text(30, 7, QStringLiteral("S")),
        text(31, 7, QStringLiteral("K")),
        text(8, 9, QStringLiteral("T")),
        text(10, 9, QStringLiteral("R")),
        text(14, 9, QStringLiteral("W")),
        text(16, 9, QStringLiteral("C")),
        percentage(18, 9, QStringLiteral("P")),
        text(20, 9, QStringLiteral("S")),
        text(24, 9, QStringLiteral("K")),
        one(28, 9),
        ratio(29, 9, QStringLiteral("S"), QStringLiteral("C")),
        ratio(30, 9, QStringLiteral("K"), QStringLiteral("C")),
        ratio(31, 9, QStringLiteral("W"), QStringLiteral("C")),
        text(2, 8, Form1::slump, QStringLiteral("mm")),
        text(3, 8, Form1::ratioCheck),
        text(4, 8, Form1::cementCheck),
    };
    return cells;
}

const std::vector<ReportCell>& reportRecordCells() {
    static const std::vector<ReportCell> cells = {
        computed(5, 8, ReportForm::Date),         text(32, 7, Form1::cementGrade),
        text(33, 7, Form1::cementFactor),         text(34, 7, Form1::environment),
        text(35, 7, Form1::reinforcement),        computed(36, 7, ReportForm::MaxWaterCement),
        computed(37, 7, ReportForm::MinCement),   text(38, 7, Form1::sigmaCheck),
        computed(39, 7, ReportForm::WaterSource),
    };
    return cells;
}

QString admixtureWaterText() { return QStringLiteral("用水量取自掺外加剂用水量计算"); }

QString otherWaterText() { return QStringLiteral("用水量未取自掺外加剂用水量计算"); }

QString reportSourceField(const QString& source, ResultColumn column) {
    if (source.size() != 1)
        return source;
    const qsizetype index = kResultLetters.indexOf(source[0]);
    if (index < 0)
        return source;
    return (column == ResultColumn::Automatic ? Form1::automaticColumn() : Form1::stepwiseColumn())[index];
}

CellValue reportCellValue(const ReportCell& cell, const Fields& fields, ResultColumn column,
                          const QDate& today) {
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
    case ReportForm::Date:
        return CellValue::text(today.isValid() ? dateText(today) : QString());
    case ReportForm::MaxWaterCement: {
        const DurabilityLimits limits = limitsOf(fields);
        if (limits.waterCementUnregulated)
            return CellValue::text(kUnregulated);
        return CellValue::text(limits.maxWaterCement ? formatNumber(*limits.maxWaterCement, u"###0.00")
                                                     : kNoTableValue);
    }
    case ReportForm::MinCement: {
        const DurabilityLimits limits = limitsOf(fields);
        return CellValue::text(limits.maxWaterCement ? formatNumber(limits.minCement, u"###0")
                                                     : kNoTableValue);
    }
    case ReportForm::WaterSource:
        return CellValue::text(waterFromAdmixture(fields, column) ? admixtureWaterText() : otherWaterText());
    }
    throw CalcFailure("unknown report form");
}
