#include "design2011/mixdesign2011.h"

#include "common/numbers.h"

#include <algorithm>

namespace {

const QString kSandRatioByTrial = QStringLiteral("水胶比小于0.40，砂率应经试验确定，请输入采用砂率。");

double whole(double v) { return roundHalfAway(v, 0); }

} // namespace

const QString kHighStrengthNeedsWb2011 =
    QStringLiteral("C60及以上强度等级的水胶比应按表7.3.2选取并经试配确定，请输入采用水胶比。");
const QString kTooMuchBinder2011 = QStringLiteral("胶凝材料和水的用量过大，无法计算砂石用量，请检查输入。");

MixRule mixRule(const MixInputs2011& in) {
    return {in.flyAshPercent,  in.slagPercent,   in.admixtureDosage, in.method,
            in.assumedDensity, in.densityCement, in.densityFlyAsh,   in.densitySlag,
            in.densitySand,    in.densityStone,  in.airContent};
}

bool completeMix(MixMasses& mix, const MixRule& rule) {
    MixMasses made = mix;
    made.flyAsh = whole(made.binder * rule.flyAshPercent / 100.0);
    made.slag = whole(made.binder * rule.slagPercent / 100.0);
    made.cement = made.binder - made.flyAsh - made.slag;
    made.admixture = checked(made.binder * rule.admixtureDosage / 100.0);
    const double share = made.sandRatio / 100.0;
    if (rule.method == DensityMethod::Mass) {
        const double rest = rule.assumedDensity - made.binder - made.water;
        if (significant15(rest) <= 0.0)
            return false;
        made.sand = whole(rest * share);
        made.stone = rest - made.sand;
    } else {
        const double volume = 1.0 - divide(made.cement, rule.densityCement) -
                              divide(made.flyAsh, rule.densityFlyAsh) - divide(made.slag, rule.densitySlag) -
                              made.water / 1000.0 - 0.01 * rule.airContent;
        if (significant15(volume) <= 0.0)
            return false;
        const double aggregate =
            divide(volume, divide(share, rule.densitySand) + divide(1.0 - share, rule.densityStone));
        made.sand = whole(aggregate * share);
        made.stone = whole(aggregate * (1.0 - share));
    }
    mix = made;
    return true;
}

double roundHalfAway(double v, int decimals) { return formatFixed(v, decimals).toDouble(); }

double significant15(double v) { return generalForm(checked(v)).toDouble(); }

std::variant<MixResult2011, Refusal2011> designMix2011(const MixInputs2011& in) {
    MixResult2011 r;
    // Strength: σ, fcu,0, fce, fb and the calculated W/B (4.0.1, 4.0.2, 5.1.1-5.1.4).
    r.highStrength = isHighStrength(in.grade);
    if (r.highStrength && !in.wbOverride)
        return Refusal2011{kHighStrengthNeedsWb2011};
    if (r.highStrength) {
        r.targetStrength = checked(kHighStrengthFactor * in.grade);
    } else {
        r.sigma = in.sigmaFromStatistics ? std::max(in.sigma, sigmaFloor(in.grade)) : tableSigma(in.grade);
        r.targetStrength = checked(in.grade + 1.645 * r.sigma);
    }
    r.fce = in.fceMeasured ? *in.fceMeasured : checked(in.gammaC * in.cementClass);
    r.gammaF = in.flyAshPercent > 0.0 ? in.gammaF : 1.0;
    r.gammaS = in.slagPercent > 0.0 ? in.gammaS : 1.0;
    r.fb = checked(r.gammaF * r.gammaS * r.fce);
    r.wbCalculated = divide(kAlphaA * r.fb, r.targetStrength + kAlphaA * kAlphaB * r.fb);
    r.limit = environmentLimit(in.environment, in.airEntrained);
    r.maxWb = combinedMaxWb(in.special, in.grade, in.environment, in.airEntrained);

    MixMasses& mix = r.mix;
    mix.wb = in.wbOverride ? roundHalfAway(*in.wbOverride, 2)
                           : std::min(roundHalfAway(r.wbCalculated, 2), r.maxWb.value);

    // Water (5.2.1, 5.2.2), binder with the least of table 3.0.4 (5.3.1), its parts (5.3.2, 5.3.3).
    r.waterTable = whole(waterBeforeReduction(in.slump, in.maxSize));
    mix.water = whole(r.waterTable * (1.0 - in.waterReduction / 100.0));
    mix.binder = whole(divide(mix.water, mix.wb));
    r.minimumBinder = combinedMinimumBinder(in.special, in.grade, in.structure, in.airEntrained, mix.wb);
    if (r.minimumBinder && mix.binder < r.minimumBinder->value) {
        mix.binder = r.minimumBinder->value;
        r.binderRaised = true;
    }
    r.mineralLimits = mineralLimits(in.structure, in.cementKind, mix.wb);

    // Sand ratio (5.4.1, 5.4.2): the middle of the table's range plus the slump correction, or as typed.
    if (const std::optional<Range> table = sandRatioRange(mix.wb, in.maxSize)) {
        const double correction = sandRatioSlumpCorrection(in.slump);
        r.sandRatioRange = Range{table->lower + correction, table->upper + correction};
    }
    if (in.sandRatioOverride)
        mix.sandRatio = whole(*in.sandRatioOverride);
    else if (r.sandRatioRange)
        mix.sandRatio = whole((r.sandRatioRange->lower + r.sandRatioRange->upper) / 2.0);
    else
        return Refusal2011{kSandRatioByTrial};

    const MixRule rule = mixRule(in);
    if (!completeMix(mix, rule))
        return Refusal2011{kTooMuchBinder2011};

    // The trial mixes: the same water and dosages at W/B -+ 0.05 and sand ratio -+ 1, binder not raised. A
    // side mix without room for aggregate does not refuse the design it brackets.
    // High-strength concrete: W/B -+ 0.02 at the same sand ratio (clause 7.3.3).
    const double step = r.highStrength ? kHighStrengthTrialStep : 0.05;
    for (int side : {-1, 1}) {
        MixMasses trial;
        trial.water = mix.water;
        trial.wb = roundHalfAway(mix.wb + side * step, 2);
        trial.sandRatio = r.highStrength ? mix.sandRatio : mix.sandRatio + side;
        trial.complete = trial.wb > 0.0;
        if (trial.complete) {
            trial.binder = whole(divide(trial.water, trial.wb));
            trial.complete = completeMix(trial, rule);
        }
        r.trials[side < 0 ? 0 : 2] = trial;
    }
    r.trials[1] = mix;
    return r;
}
