#include "report/adjustcells.h"

#include "adjust/tiaozheng.h"
#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"

#include <optional>

namespace {

constexpr bool kPlain = false;
constexpr bool kTwoDecimals = true;

AdjustCell both(int row, int column, const QString& field, bool twoDecimals = kPlain) {
    return {row, column, field, twoDecimals, false};
}

AdjustCell siteMix(int row, int column, const QString& field, bool twoDecimals = kPlain) {
    return {row, column, field, twoDecimals, true};
}

std::optional<double> strictNumber(const QString& text) {
    try {
        return readStrict(text);
    } catch (const CalcFailure&) {
        return std::nullopt;
    }
}

// A step as printed beside the ratios: two decimals with its sign.
QString signedStep(double step) {
    const QString shown = formatNumber(step, u"###0.00");
    return shown.startsWith(u'-') ? shown : QStringLiteral("+") + shown;
}

} // namespace

const std::vector<AdjustCell>& adjustCells() {
    static const std::vector<AdjustCell> cells = {
        // Step 1: the preliminary mix.
        both(12, 2, Tiaozheng::mixCement),
        both(13, 2, Tiaozheng::mixWater),
        both(14, 2, Tiaozheng::mixSand),
        both(15, 2, Tiaozheng::mixStone),
        // Step 2: the trial batch and its volume.
        both(12, 3, Tiaozheng::trialCement),
        both(13, 3, Tiaozheng::trialWater),
        both(14, 3, Tiaozheng::trialSand),
        both(15, 3, Tiaozheng::trialStone),
        both(11, 3, Tiaozheng::trialVolume),
        // Step 3: the adjusted trial batch, the paste change and the adjusted base mix.
        both(12, 4, Tiaozheng::adjustedCement),
        both(13, 4, Tiaozheng::adjustedWater),
        both(14, 4, Tiaozheng::adjustedSand),
        both(15, 4, Tiaozheng::adjustedStone),
        both(11, 4, Tiaozheng::pasteChange),
        both(11, 5, Tiaozheng::pastePercent),
        both(12, 7, Tiaozheng::baseCementRatio),
        both(13, 7, Tiaozheng::baseSandRatio),
        both(14, 7, Tiaozheng::baseStoneRatio),
        both(15, 7, Tiaozheng::baseWaterRatio, kTwoDecimals),
        // Step 4: the three groups A, B, C.
        both(19, 2, Tiaozheng::ratioA, kTwoDecimals),
        both(20, 2, Tiaozheng::cementWaterA),
        both(21, 2, Tiaozheng::strengthA),
        both(19, 3, Tiaozheng::ratioB, kTwoDecimals),
        both(20, 3, Tiaozheng::cementWaterB),
        both(21, 3, Tiaozheng::strengthB),
        both(19, 4, Tiaozheng::ratioC, kTwoDecimals),
        both(20, 4, Tiaozheng::cementWaterC),
        both(21, 4, Tiaozheng::strengthC),
        // Step 5: absolute volumes, the chosen ratio, the density correction and the laboratory mix.
        both(25, 3, Tiaozheng::correctedWater),
        both(26, 3, Tiaozheng::correctedCement),
        both(27, 3, Tiaozheng::cementDensity),
        both(28, 3, Tiaozheng::sandDensity),
        both(29, 3, Tiaozheng::stoneDensity),
        both(30, 3, Tiaozheng::airContent),
        both(31, 3, Tiaozheng::sandRatio, kTwoDecimals),
        both(32, 3, Tiaozheng::volumeSand),
        both(33, 3, Tiaozheng::volumeStone),
        both(22, 2, Tiaozheng::parameterWaterCement, kTwoDecimals),
        both(22, 4, Tiaozheng::parameterCementWater),
        both(36, 2, Tiaozheng::measuredDensity),
        both(36, 5, Tiaozheng::computedDensity),
        both(36, 7, Tiaozheng::densityFactor),
        both(38, 3, Tiaozheng::labCement),
        both(39, 3, Tiaozheng::labWater),
        both(40, 3, Tiaozheng::labSand),
        both(41, 3, Tiaozheng::labStone),
        both(38, 7, Tiaozheng::labCementRatio),
        both(39, 7, Tiaozheng::labSandRatio),
        both(40, 7, Tiaozheng::labStoneRatio),
        both(41, 7, Tiaozheng::labWaterRatio, kTwoDecimals),
        // Step 6: moisture and the site mix.
        siteMix(44, 2, Tiaozheng::sandMoisture),
        siteMix(44, 5, Tiaozheng::stoneMoisture),
        siteMix(46, 3, Tiaozheng::siteCement),
        siteMix(47, 3, Tiaozheng::siteWater),
        siteMix(48, 3, Tiaozheng::siteSand),
        siteMix(49, 3, Tiaozheng::siteStone),
        siteMix(46, 7, Tiaozheng::siteCementRatio),
        siteMix(47, 7, Tiaozheng::siteSandRatio),
        siteMix(48, 7, Tiaozheng::siteStoneRatio),
        siteMix(49, 7, Tiaozheng::siteWaterRatio, kTwoDecimals),
    };
    return cells;
}

bool writtenBy(const AdjustCell& cell, AdjustExport kind) {
    return kind == AdjustExport::Construction || !cell.constructionOnly;
}

QString importedText(const AdjustCell& cell, const CellValue& value) {
    switch (value.kind()) {
    case CellValue::Kind::Empty:
        return QString();
    case CellValue::Kind::Number:
        if (cell.twoDecimals)
            return formatNumber(value.toNumber(), u"###0.00");
        // As the cell shows it: its fixed decimals, else the general form.
        return value.decimals() > 0 ? formatFixed(value.toNumber(), value.decimals())
                                    : generalForm(value.toNumber());
    case CellValue::Kind::Text:
        if (cell.twoDecimals) {
            try {
                return formatNumber(readStrict(value.toText()), u"###0.00");
            } catch (const CalcFailure&) {
                // A text that is no number has no two-decimal form: it stays as it is.
            }
        }
        return value.toText();
    }
    return QString();
}

const std::vector<AdjustRecordCell>& adjustRecordCells() {
    static const std::vector<AdjustRecordCell> cells = {
        {4, 6, AdjustRecord::Date},
        {19, 5, AdjustRecord::GroupSteps},
        {22, 5, AdjustRecord::TargetStrength},
    };
    return cells;
}

QString adjustRecordText(AdjustRecord item, const Fields& fields, const QDate& today) {
    switch (item) {
    case AdjustRecord::Date:
        return today.isValid() ? dateText(today) : QString();
    case AdjustRecord::GroupSteps:
        return groupStepsText(fields.text(Tiaozheng::ratioA), fields.text(Tiaozheng::ratioB),
                              fields.text(Tiaozheng::ratioC));
    case AdjustRecord::TargetStrength: {
        const QString target = fields.text(Tiaozheng::targetStrength).trimmed();
        return target.isEmpty() ? QString() : QStringLiteral("配制强度 %1 MPa").arg(target);
    }
    }
    return QString();
}

QString groupStepsText(const QString& ratioA, const QString& ratioB, const QString& ratioC) {
    const auto a = strictNumber(ratioA);
    const auto b = strictNumber(ratioB);
    const auto c = strictNumber(ratioC);
    if (!a || !b || !c)
        return QString();
    // Compared as printed, so rounding noise of the subtraction does not part equal steps.
    const QString step = formatNumber(*a - *b, u"###0.00");
    if (!step.startsWith(u'-') && step == formatNumber(*b - *c, u"###0.00"))
        return QStringLiteral("A、C 组 = B 组 ±") + step;
    return QStringLiteral("A 组 = B 组 ") + signedStep(*a - *b) + QStringLiteral("，C 组 = B 组 ") +
           signedStep(*c - *b);
}
