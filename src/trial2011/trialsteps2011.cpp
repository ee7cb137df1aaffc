#include "trial2011/trialsteps2011.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kFalling = QStringLiteral("强度没有随胶水比增大而提高，无法确定胶水比，请检查强度试验结果。");
const QString kRatioOutside = QStringLiteral("由回归得到的胶水比不在 0.8～5 之间，请检查强度试验结果。");
const QString kTooMuchWater = QStringLiteral("骨料和外加剂带入的水多于用水量，请检查含水率。");

double whole(double v) { return roundHalfAway(v, 0); }

// A mix of a binder, water and sand ratio by the common rule, with the dosage given.
std::optional<MixMasses> makeMix(double binder, double water, double sandRatio, const MixRule& design,
                                 double dosage) {
    MixRule rule = design;
    rule.admixtureDosage = dosage;
    MixMasses mix;
    mix.binder = binder;
    mix.water = water;
    mix.sandRatio = sandRatio;
    mix.wb = roundHalfAway(divide(water, binder), 2);
    if (binder <= 0.0 || !completeMix(mix, rule))
        return std::nullopt;
    return mix;
}

QString strengthText(double v) { return formatFixed(v, 1); }

} // namespace

std::variant<TrialMix2011, Refusal2011> trialMix2011(const TrialInputs2011& in) {
    if (significant15(in.rule.flyAshPercent + in.rule.slagPercent) > 80.0)
        return Refusal2011{QStringLiteral("粉煤灰与矿渣粉掺量之和不应大于80%。")};
    TrialMix2011 r;
    r.volume = in.trialVolume;
    const double water = whole(in.water);
    const double binder = whole(in.binder);
    const double sandRatio = whole(in.sandRatio);
    const auto preliminary = makeMix(binder, water, sandRatio, in.rule, in.rule.admixtureDosage);
    if (!preliminary)
        return Refusal2011{kTooMuchBinder2011};
    r.preliminary = *preliminary;

    // Section 6.1: the paste changed at the same W/B, the sand ratio and the dosage adjusted.
    const double paste = 1.0 + in.pasteChange / 100.0;
    const double trialWater = whole(water * paste);
    const double trialBinder = whole(binder * paste);
    const double trialSandRatio = sandRatio + whole(in.sandRatioChange);
    const auto trial = makeMix(trialBinder, trialWater, trialSandRatio, in.rule, in.trialAdmixtureDosage);
    if (!trial)
        return Refusal2011{kTooMuchBinder2011};
    r.trial = *trial;

    // Clause 6.1.5: the same water at W/B -+ 0.05 and the sand ratio -+ 1 point; high-strength concrete
    // W/B -+ 0.02 at the same sand ratio (clause 7.3.3).
    const bool high = isHighStrength(in.grade);
    const double step = high ? kHighStrengthTrialStep : 0.05;
    r.mixes[1] = r.trial;
    for (int side : {-1, 1}) {
        const double wb = roundHalfAway(r.trial.wb + side * step, 2);
        if (wb <= 0.0)
            return Refusal2011{kTooMuchBinder2011};
        const double sandRatio = high ? trialSandRatio : trialSandRatio + side;
        const auto mix =
            makeMix(whole(divide(trialWater, wb)), trialWater, sandRatio, in.rule, in.trialAdmixtureDosage);
        if (!mix)
            return Refusal2011{kTooMuchBinder2011};
        r.mixes[side < 0 ? 0 : 2] = *mix;
        r.mixes[side < 0 ? 0 : 2].wb = wb;
    }
    return r;
}

std::variant<Regression2011, Refusal2011> regress2011(const TrialInputs2011& in, const TrialMix2011& mix,
                                                      const std::array<double, 3>& strengths) {
    Regression2011 r;
    r.strength = strengths;
    double meanX = 0.0;
    double meanY = 0.0;
    for (std::size_t i = 0; i < 3; ++i) {
        r.bw[i] = divide(1.0, mix.mixes[i].wb);
        meanX += r.bw[i] / 3.0;
        meanY += strengths[i] / 3.0;
    }
    double lxx = 0.0;
    double lxy = 0.0;
    double lyy = 0.0;
    for (std::size_t i = 0; i < 3; ++i) {
        const double dx = r.bw[i] - meanX;
        const double dy = strengths[i] - meanY;
        lxx += dx * dx;
        lxy += dx * dy;
        lyy += dy * dy;
    }
    r.slope = divide(lxy, lxx);
    if (significant15(r.slope) <= 0.0)
        return Refusal2011{kFalling};
    r.intercept = checked(meanY - r.slope * meanX);
    r.correlation = divide(lxy, std::sqrt(lxx * lyy));
    r.bwForTarget = divide(in.targetStrength - r.intercept, r.slope);
    if (significant15(r.bwForTarget) < 0.8 || significant15(r.bwForTarget) > 5.0)
        return Refusal2011{kRatioOutside};
    r.bwProposed = roundUpToHundredth(r.bwForTarget);

    const double lowest = *std::min_element(strengths.begin(), strengths.end());
    const double highest = *std::max_element(strengths.begin(), strengths.end());
    const double target = significant15(in.targetStrength);
    const bool within = target >= significant15(lowest) && target <= significant15(highest);
    r.range.holds = within;
    r.range.text =
        within ? QStringLiteral("配制强度 %1 MPa 在三组强度 %2～%3 MPa 之间（第6.2.1条）")
                     .arg(strengthText(in.targetStrength), strengthText(lowest), strengthText(highest))
               : QStringLiteral("配制强度 %1 MPa 不在三组强度 %2～%3 MPa "
                                "之间，胶水比由外推得出，宜调整后重新试配（第6.2.1条）")
                     .arg(strengthText(in.targetStrength), strengthText(lowest), strengthText(highest));
    return r;
}

double roundUpToHundredth(double v) {
    const double value = significant15(v);
    const double nearest = std::round(value * 100.0);
    if (significant15(nearest / 100.0) >= value)
        return significant15(nearest / 100.0);
    return significant15((nearest + 1.0) / 100.0);
}

std::variant<DesignMix2011, Refusal2011> adjustMix2011(const TrialInputs2011& in, const TrialMix2011& mix,
                                                       const Regression2011& regression, double bwChosen,
                                                       double measuredDensity) {
    DesignMix2011 r;
    r.bwChosen = bwChosen;
    r.wbChosen = divide(1.0, bwChosen);
    r.strengthAtChosen = checked(regression.intercept + regression.slope * bwChosen);

    // 6.2.1: the trial mix's water and dosage, the binder of the chosen ratio, the sand ratio on the line
    // through the three mixes (one point per 0.05 of W/B).
    const MixMasses& trial = mix.trial;
    const double binder = whole(trial.water * bwChosen);
    // High-strength mixes share one sand ratio.
    const double sandRatio =
        isHighStrength(in.grade) ? trial.sandRatio : whole(trial.sandRatio + 20.0 * (r.wbChosen - trial.wb));
    const auto adjusted = makeMix(binder, trial.water, sandRatio, in.rule, in.trialAdmixtureDosage);
    if (!adjusted)
        return Refusal2011{kTooMuchBinder2011};
    r.adjusted = *adjusted;

    // 6.2.2: corrected by the measured density only where it differs by more than 2 %.
    r.measuredDensity = measuredDensity;
    r.calculatedDensity = r.adjusted.density();
    r.correctionFactor = roundHalfAway(divide(measuredDensity, r.calculatedDensity), 3);
    r.deviation = divide(std::abs(measuredDensity - r.calculatedDensity), r.calculatedDensity) * 100.0;
    r.corrected = significant15(r.deviation) > 2.0;
    r.final = r.adjusted;
    if (r.corrected) {
        MixMasses& f = r.final;
        const double k = r.correctionFactor;
        f.cement = whole(f.cement * k);
        f.flyAsh = whole(f.flyAsh * k);
        f.slag = whole(f.slag * k);
        f.sand = whole(f.sand * k);
        f.stone = whole(f.stone * k);
        f.water = whole(f.water * k);
        f.admixture = checked(f.admixture * k);
        f.binder = f.cement + f.flyAsh + f.slag;
    }
    r.final.wb = roundHalfAway(divide(r.final.water, r.final.binder), 2);

    const bool reached = significant15(r.strengthAtChosen) >= significant15(in.targetStrength);
    r.chosen = {QStringLiteral("采用胶水比 %1 的回归强度 %2 MPa %3配制强度 %4 MPa（第6.2.1条）")
                    .arg(formatFixed(bwChosen, 2), strengthText(r.strengthAtChosen),
                         reached ? QStringLiteral("不低于") : QStringLiteral("低于"),
                         strengthText(in.targetStrength)),
                reached};
    r.wb = checkWb2011(r.final.wb, combinedMaxWb(in.special, in.grade, in.environment, in.airEntrained));
    r.binder = checkMinimumBinder2011(
        combinedMinimumBinder(in.special, in.grade, in.structure, in.airEntrained, r.final.wb),
        r.final.binder);
    r.mineral =
        checkMineral2011(in.structure, in.cementKind, r.final.wb, in.rule.flyAshPercent, in.rule.slagPercent);
    r.pump = checkPump2011(in.pumped, r.final.binder, r.adjusted.sandRatio);
    const SpecialConditions conditions{
        in.grade,
        in.special,
        in.airEntrained,
        in.cementKind,
        in.maxSize,
        in.rule.flyAshPercent,
        in.rule.slagPercent,
        in.rule.method == DensityMethod::Volume ? std::optional(in.rule.airContent) : std::nullopt};
    const SpecialMix2011 special = specialMix2011(conditions, r.final, r.final.wb, r.adjusted.sandRatio);
    r.special = checkSpecial2011(special);
    return r;
}

std::variant<SiteMix2011, Refusal2011> siteMix2011(const DesignMix2011& design, double sandMoisture,
                                                   double stoneMoisture, double admixtureWater) {
    const MixMasses& f = design.final;
    const double sandWater = f.sand * sandMoisture / 100.0;
    const double stoneWater = f.stone * stoneMoisture / 100.0;
    const double liquidWater = f.admixture * admixtureWater / 100.0;
    const double water = checked(f.water - sandWater - stoneWater - liquidWater);
    if (significant15(water) < 0.0)
        return Refusal2011{kTooMuchWater};
    SiteMix2011 r = f;
    r.sand = whole(f.sand + sandWater);
    r.stone = whole(f.stone + stoneWater);
    r.water = whole(water);
    return r;
}
