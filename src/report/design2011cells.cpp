#include "report/design2011cells.h"

#include "common/fields.h"
#include "common/numbers.h"
#include "design2011/design2011controls.h"
#include "design2011/design2011form.h"
#include "design2011/special2011.h"

#include <stdexcept>

namespace {

using namespace Design2011;

// The template's grid: 36 narrow columns, merged as each part needs. Inputs stand in three groups of label
// and value, the calculation and the quantities in two halves of label, value and basis, the trial mixes in
// three columns.
constexpr int kNameRow = 2;
constexpr int kNameColumn = 6;
constexpr int kDateColumn = 29;
constexpr int kFirstInputRow = 4;
constexpr int kInputColumns[] = {8, 22, 34};
constexpr int kFirstCalculationRow = 16;
constexpr int kLeftValue = 9;
constexpr int kLeftBasis = 12;
constexpr int kRightValue = 26;
constexpr int kRightBasis = 30;
constexpr int kMixLineRow = 28;
constexpr int kProportionRow = 29;
constexpr int kFirstCheckRow = 31;
constexpr int kFirstTrialRow = 39;
constexpr int kTrialHeadingRow = 38;
constexpr int kSpecialRow = 14;
constexpr int kSpecialColumn = 22;
constexpr int kTrialColumns[] = {10, 19, 28};

Design2011Cell field(int row, int column, const QString& name) {
    return {row, column, SheetForm::Field, name, QString()};
}

Design2011Cell box(int row, int column, const QString& name) {
    return {row, column, SheetForm::Box, name, QString()};
}

Design2011Cell coefficient(int row, int column, const QString& name, const QString& dosage) {
    return {row, column, SheetForm::Coefficient, name, dosage};
}

Design2011Cell basis(int row, int column, SheetBasis which) {
    return {row, column, SheetForm::Basis, QString(), QString(), which};
}

std::vector<Design2011Cell> makeCells() {
    std::vector<Design2011Cell> cells = {
        field(kNameRow, kNameColumn, reportName),
        {kNameRow, kDateColumn, SheetForm::Date, QString(), QString()},
    };

    // Inputs: three groups read downwards, in the window's order.
    const std::vector<std::vector<QString>> inputs = {
        {grade, sigmaFromStatistics, sigma, cementKind, cementClass, gammaC, fceMeasured, maxSize, slump,
         waterReduction, admixtureDosage},
        {flyAshPercent, flyAshGrade, gammaF, slagPercent, slagGrade, gammaS, environment, airEntrained,
         structure, pumped},
        {densityMethod, assumedDensity, densityCement, densityFlyAsh, densitySlag, densitySand, densityStone,
         airContent, wbOverride, sandRatioOverride, trialVolume},
    };
    const QStringList boxes = {sigmaFromStatistics, airEntrained, pumped, massConcrete};
    for (std::size_t group = 0; group < inputs.size(); ++group) {
        int row = kFirstInputRow;
        for (const QString& name : inputs[group]) {
            const int column = kInputColumns[group];
            cells.push_back(boxes.contains(name) ? box(row, column, name) : field(row, column, name));
            ++row;
        }
    }

    // Strength and water-binder ratio; αa and αb are the template's.
    int row = kFirstCalculationRow;
    cells.push_back(field(row, kLeftValue, sigmaUsed));
    cells.push_back(basis(row++, kLeftBasis, SheetBasis::Sigma));
    cells.push_back(field(row++, kLeftValue, targetStrength));
    cells.push_back(field(row, kLeftValue, gammaC));
    cells.push_back(basis(row++, kLeftBasis, SheetBasis::CementFactor));
    cells.push_back(field(row, kLeftValue, fce));
    cells.push_back(basis(row++, kLeftBasis, SheetBasis::CementStrength));
    cells.push_back(coefficient(row++, kLeftValue, gammaF, flyAshPercent));
    cells.push_back(coefficient(row++, kLeftValue, gammaS, slagPercent));
    row += 2;
    cells.push_back(field(row++, kLeftValue, fb));
    cells.push_back(field(row++, kLeftValue, wbCalculated));
    cells.push_back(field(row++, kLeftValue, wbMax));
    cells.push_back(field(row, kLeftValue, wb));
    cells.push_back(basis(row, kLeftBasis, SheetBasis::AdoptedWb));

    // Quantities per m³.
    row = kFirstCalculationRow;
    for (const QString& name : {waterTable, water, binder, flyAsh, slag, cement, admixture, sandRatioTable})
        cells.push_back(field(row++, kRightValue, name));
    cells.push_back(field(row, kRightValue, sandRatio));
    cells.push_back(basis(row++, kRightBasis, SheetBasis::SandRatio));
    for (const QString& name : {sand, stone}) {
        cells.push_back(field(row, kRightValue, name));
        cells.push_back(basis(row++, kRightBasis, SheetBasis::Aggregate));
    }
    cells.push_back(field(row, kRightValue, density));
    cells.push_back(basis(row, kRightBasis, SheetBasis::Density));
    cells.push_back(field(kMixLineRow, kLeftValue, mixLine));
    cells.push_back(field(kProportionRow, kLeftValue, proportion));

    row = kFirstCheckRow;
    for (const QString& name : {checkWb, checkGrade, checkBinder, checkMineral, checkPump, checkSpecial})
        cells.push_back(field(row++, 1, name));
    cells.push_back({kSpecialRow, kSpecialColumn, SheetForm::Special, QString(), QString()});
    cells.push_back(
        {kTrialHeadingRow, kTrialColumns[0], SheetForm::TrialStep, QString(), QStringLiteral("-")});
    cells.push_back(
        {kTrialHeadingRow, kTrialColumns[2], SheetForm::TrialStep, QString(), QStringLiteral("+")});

    for (int r = 1; r <= trialRows; ++r)
        for (int c = 1; c <= trialColumns; ++c)
            cells.push_back(field(kFirstTrialRow + r - 1, kTrialColumns[c - 1], trialCell(r, c)));
    return cells;
}

} // namespace

const std::vector<Design2011Cell>& design2011Cells() {
    static const std::vector<Design2011Cell> cells = makeCells();
    return cells;
}

QString design2011BasisText(SheetBasis basis, const Design2011Calculation& calculation) {
    const MixInputs2011& in = calculation.inputs;
    const bool volume = in.method == DensityMethod::Volume;
    switch (basis) {
    case SheetBasis::Sigma:
        if (calculation.result.highStrength)
            return QStringLiteral("C60及以上不用σ：fcu,0 = 1.15 fcu,k（第4.0.1条）");
        return in.sigmaFromStatistics ? QStringLiteral("第4.0.2条（统计资料）") : QStringLiteral("表4.0.2");
    case SheetBasis::CementFactor:
        return in.fceMeasured ? QStringLiteral("未采用（fce实测）") : QStringLiteral("表5.1.4");
    case SheetBasis::CementStrength:
        return in.fceMeasured ? QStringLiteral("实测值") : QStringLiteral("式(5.1.4)");
    case SheetBasis::AdoptedWb:
        return in.wbOverride ? QStringLiteral("输入采用值") : QStringLiteral("式(5.1.1)、第3.0.3条");
    case SheetBasis::SandRatio:
        return in.sandRatioOverride ? QStringLiteral("输入采用值") : QStringLiteral("表值范围中值");
    case SheetBasis::Aggregate:
        return volume ? QStringLiteral("式(5.5.2) 体积法") : QStringLiteral("式(5.5.1) 质量法");
    case SheetBasis::Density:
        return volume ? QStringLiteral("各材料用量之和") : QStringLiteral("假定值（质量法）");
    }
    throw std::logic_error("unknown basis");
}

QString design2011CellText(const Design2011Cell& cell, const Fields& fields,
                           const Design2011Calculation& calculation, const QString& date) {
    switch (cell.form) {
    case SheetForm::Field:
        return fields.text(cell.field);
    case SheetForm::Box:
        return fields.isChecked(cell.field) ? QStringLiteral("是") : QStringLiteral("否");
    case SheetForm::Coefficient: {
        // The calculation takes 1 for an admixture that is not used, whatever the field shows.
        const double used = cell.field == gammaF ? calculation.result.gammaF : calculation.result.gammaS;
        const double dosage =
            cell.field == gammaF ? calculation.inputs.flyAshPercent : calculation.inputs.slagPercent;
        return dosage > 0.0 ? fields.text(cell.field) : formatFixed(used, 2);
    }
    case SheetForm::Basis:
        return design2011BasisText(cell.basis, calculation);
    case SheetForm::Date:
        return date;
    case SheetForm::Special: {
        const SpecialRequirements& special = calculation.inputs.special;
        QStringList parts;
        if (special.impermeability != Impermeability::None)
            parts << QStringLiteral("抗渗") + impermeabilityName(special.impermeability);
        if (special.frost != FrostResistance::None)
            parts << QStringLiteral("抗冻") + frostName(special.frost);
        if (special.exposure != FrostExposure::Ordinary)
            parts << frostExposures.at(static_cast<int>(special.exposure));
        if (special.massConcrete)
            parts << QStringLiteral("大体积混凝土");
        return parts.isEmpty() ? QStringLiteral("无") : parts.join(QStringLiteral("，"));
    }
    case SheetForm::TrialStep:
        return QStringLiteral("水胶比 %1%2")
            .arg(cell.dosage == QStringLiteral("-") ? QStringLiteral("−") : QStringLiteral("+"),
                 calculation.result.highStrength ? QStringLiteral("0.02") : QStringLiteral("0.05"));
    }
    throw std::logic_error("unknown sheet form");
}

QString design2011StoredForm() { return QStringLiteral("mixdesign JGJ55-2011 计算书 1"); }

QStringList design2011StoredInputs() { return inputNames() + QStringList{reportName}; }
