#include "trial2011/trial2011form.h"

#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/mapfields.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "design2011/fieldreading2011.h"
#include "design2011/mixtext2011.h"

#include <QStringList>

namespace T = Trial2011;
namespace D = Design2011;
using T::Step;

namespace {

const NumberField kTargetStrength{T::targetStrength, QStringLiteral("配制强度fcu,0 (MPa)"), 10, 100};
const NumberField kCalcWater{T::calcWater, QStringLiteral("用水量mw0 (kg/m³)"), 100, 300};
const NumberField kCalcBinder{T::calcBinder, QStringLiteral("胶凝材料用量mb0 (kg/m³)"), 150, 800};
const NumberField kFlyAshPercent{T::flyAshPercent, QStringLiteral("粉煤灰掺量βf (%)"), 0, 60};
const NumberField kSlagPercent{T::slagPercent, QStringLiteral("矿渣粉掺量βk (%)"), 0, 70};
const NumberField kAdmixtureDosage{T::admixtureDosage, QStringLiteral("外加剂掺量βa (%)"), 0, 5};
const NumberField kCalcSandRatio{T::calcSandRatio, QStringLiteral("砂率βs (%)"), 20, 50};
const NumberField kAssumedDensity{T::assumedDensity, QStringLiteral("假定表观密度 (kg/m³)"), 2200, 2600};
const NumberField kDensityCement{T::densityCement, QStringLiteral("水泥密度 (kg/m³)"), 2500, 3500};
const NumberField kDensityFlyAsh{T::densityFlyAsh, QStringLiteral("粉煤灰密度 (kg/m³)"), 1800, 3000};
const NumberField kDensitySlag{T::densitySlag, QStringLiteral("矿渣粉密度 (kg/m³)"), 2500, 3200};
const NumberField kDensitySand{T::densitySand, QStringLiteral("砂表观密度 (kg/m³)"), 2400, 2900};
const NumberField kDensityStone{T::densityStone, QStringLiteral("碎石表观密度 (kg/m³)"), 2400, 3000};
const NumberField kAirContent{T::airContent, QStringLiteral("含气量α (%)"), 0, 10};
const NumberField kTrialVolume{T::trialVolume, QStringLiteral("试拌体积 (L)"), 5, 100};
const NumberField kMeasuredSlump{T::measuredSlump, QStringLiteral("实测坍落度 (mm)"), 0, 300};
const NumberField kPasteChange{T::pasteChange, QStringLiteral("浆体用量调整 (%)"), -20, 20};
const NumberField kSandRatioChange{T::sandRatioChange, QStringLiteral("砂率调整（百分点）"), -5, 5};
const NumberField kTrialAdmixtureDosage{T::trialAdmixtureDosage, QStringLiteral("调整后外加剂掺量βa (%)"), 0,
                                        5};
const NumberField kAdjustedSlump{T::adjustedSlump, QStringLiteral("调整后坍落度 (mm)"), 0, 300};
const NumberField kStrengthA{T::strengthA, QStringLiteral("A组强度 (MPa)"), 5, 150};
const NumberField kStrengthB{T::strengthB, QStringLiteral("B组强度 (MPa)"), 5, 150};
const NumberField kStrengthC{T::strengthC, QStringLiteral("C组强度 (MPa)"), 5, 150};
const NumberField kBwChosen{T::bwChosen, QStringLiteral("采用胶水比B/W"), 0.8, 5};
const NumberField kMeasuredDensity{T::measuredDensity, QStringLiteral("实测表观密度ρc,t (kg/m³)"), 1800,
                                   2800};
const NumberField kSandMoisture{T::sandMoisture, QStringLiteral("砂含水率 (%)"), 0, 20};
const NumberField kStoneMoisture{T::stoneMoisture, QStringLiteral("碎石含水率 (%)"), 0, 10};
const NumberField kAdmixtureWater{T::admixtureWater, QStringLiteral("外加剂含水率 (%)"), 0, 90};

const QString kNoTrialMix = QStringLiteral("请先计算试拌配合比。");
const QString kNoRatio = QStringLiteral("请先确定胶水比。");
const QString kNoDesign = QStringLiteral("请先计算设计配合比。");

const QStringList kBoxes = {T::airEntrained, T::pumped, T::massConcrete};

// The inputs of steps 1 and 2 in the window's order, the first refused one named.
TrialInputs2011 readTrialInputs(const Fields& fields) {
    TrialInputs2011 in;
    in.grade = D::grades.at(listIndex(fields, T::grade, D::grades)).mid(1).toInt();
    in.targetStrength = readNumber(fields, kTargetStrength);
    in.cementKind = static_cast<CementKind>(listIndex(fields, T::cementKind, D::cementKinds));
    in.environment = static_cast<Environment>(listIndex(fields, T::environment, D::environments));
    in.airEntrained = fields.isChecked(T::airEntrained);
    in.structure = static_cast<Structure>(listIndex(fields, T::structure, D::structures));
    in.pumped = fields.isChecked(T::pumped);
    in.special.impermeability =
        static_cast<Impermeability>(listIndex(fields, T::impermeability, D::impermeabilities));
    in.special.frost =
        static_cast<FrostResistance>(listIndex(fields, T::frostResistance, D::frostResistances));
    in.special.exposure = static_cast<FrostExposure>(listIndex(fields, T::frostExposure, D::frostExposures));
    in.special.massConcrete = fields.isChecked(T::massConcrete);
    in.maxSize = D::maxSizes.at(listIndex(fields, T::maxSize, D::maxSizes)).toDouble();
    in.water = readNumber(fields, kCalcWater);
    in.binder = readNumber(fields, kCalcBinder);
    MixRule& rule = in.rule;
    rule.flyAshPercent = readNumber(fields, kFlyAshPercent);
    rule.slagPercent = readNumber(fields, kSlagPercent);
    rule.admixtureDosage = readNumber(fields, kAdmixtureDosage);
    in.sandRatio = readNumber(fields, kCalcSandRatio);
    rule.method = static_cast<DensityMethod>(listIndex(fields, T::densityMethod, D::densityMethods));
    if (rule.method == DensityMethod::Mass) {
        rule.assumedDensity = readNumber(fields, kAssumedDensity);
    } else {
        rule.densityCement = readNumber(fields, kDensityCement);
        rule.densityFlyAsh = readNumber(fields, kDensityFlyAsh);
        rule.densitySlag = readNumber(fields, kDensitySlag);
        rule.densitySand = readNumber(fields, kDensitySand);
        rule.densityStone = readNumber(fields, kDensityStone);
        rule.airContent = readNumber(fields, kAirContent);
    }
    in.trialVolume = readNumber(fields, kTrialVolume);
    in.measuredSlump = readOptional(fields, kMeasuredSlump);
    in.pasteChange = readNumber(fields, kPasteChange);
    in.sandRatioChange = readNumber(fields, kSandRatioChange);
    in.trialAdmixtureDosage = readNumber(fields, kTrialAdmixtureDosage);
    in.adjustedSlump = readOptional(fields, kAdjustedSlump);
    return in;
}

void writeCheck(Fields& fields, const QString& name, const Check2011& check) {
    fields.setText(name, check.text);
    fields.setCheckColour(name, check.holds ? CheckColour::Normal : CheckColour::Red);
}

QString kg(double v) { return formatFixed(v, 0); }

void writeTrialMix(Fields& f, const TrialMix2011& r) {
    const MixMasses& m = r.preliminary;
    const double perBatch = r.volume / 1000.0;
    f.setText(T::calcWb, formatFixed(m.wb, 2));
    f.setText(T::calcCement, kg(m.cement));
    f.setText(T::calcFlyAsh, kg(m.flyAsh));
    f.setText(T::calcSlag, kg(m.slag));
    f.setText(T::calcSand, kg(m.sand));
    f.setText(T::calcStone, kg(m.stone));
    f.setText(T::calcDensity, kg(m.density()));
    f.setText(T::calcAdmixture, formatFixed(m.admixture, 2));
    f.setText(T::batchCement, formatFixed(m.cement * perBatch, 2));
    f.setText(T::batchFlyAsh, formatFixed(m.flyAsh * perBatch, 2));
    f.setText(T::batchSlag, formatFixed(m.slag * perBatch, 2));
    f.setText(T::batchSand, formatFixed(m.sand * perBatch, 2));
    f.setText(T::batchStone, formatFixed(m.stone * perBatch, 2));
    f.setText(T::batchWater, formatFixed(m.water * perBatch, 2));
    f.setText(T::batchAdmixture, formatFixed(m.admixture * perBatch, 3));
    for (int column = 1; column <= T::mixColumns; ++column) {
        const MixMasses& mix = r.mixes[column - 1];
        const double masses[] = {mix.cement, mix.flyAsh, mix.slag, mix.sand, mix.stone, mix.water};
        f.setText(T::mixCell(1, column), formatFixed(mix.wb, 2));
        f.setText(T::mixCell(2, column), formatFixed(divide(1.0, mix.wb), 3));
        f.setText(T::mixCell(3, column), kg(mix.sandRatio));
        for (int i = 0; i < 6; ++i) {
            f.setText(T::mixCell(4 + i, column), kg(masses[i]));
            f.setText(T::mixCell(11 + i, column), formatFixed(masses[i] * perBatch, 2));
        }
        f.setText(T::mixCell(10, column), formatFixed(mix.admixture, 2));
        f.setText(T::mixCell(17, column), formatFixed(mix.admixture * perBatch, 3));
        f.setText(T::mixCell(18, column), kg(mix.density()));
    }
}

void writeRegression(Fields& f, const Regression2011& r) {
    f.setText(T::slope, formatFixed(r.slope, 2));
    f.setText(T::intercept, formatFixed(r.intercept, 2));
    f.setText(T::correlation, formatFixed(r.correlation, 3));
    f.setText(T::regressionLine,
              QStringLiteral("fcu = %1 × B/W %2 %3，r = %4")
                  .arg(formatFixed(r.slope, 2), r.intercept < 0.0 ? QStringLiteral("-") : QStringLiteral("+"),
                       formatFixed(std::abs(r.intercept), 2), formatFixed(r.correlation, 3)));
    f.setText(T::bwForTarget, formatFixed(r.bwForTarget, 3));
    f.setText(T::wbForTarget, formatFixed(divide(1.0, r.bwForTarget), 3));
    writeCheck(f, T::checkRange, r.range);
}

void writeDesign(Fields& f, const DesignMix2011& r) {
    const MixMasses& a = r.adjusted;
    f.setText(T::wbChosen, formatFixed(r.wbChosen, 2));
    f.setText(T::strengthAtChosen, formatFixed(r.strengthAtChosen, 1));
    f.setText(T::adjCement, kg(a.cement));
    f.setText(T::adjFlyAsh, kg(a.flyAsh));
    f.setText(T::adjSlag, kg(a.slag));
    f.setText(T::adjSand, kg(a.sand));
    f.setText(T::adjStone, kg(a.stone));
    f.setText(T::adjWater, kg(a.water));
    f.setText(T::adjBinder, kg(a.binder));
    f.setText(T::adjAdmixture, formatFixed(a.admixture, 2));
    f.setText(T::adjSandRatio, kg(a.sandRatio));
    f.setText(T::densityCalculated, kg(r.calculatedDensity));
    f.setText(T::correctionFactor, formatFixed(r.correctionFactor, 3));
    f.setText(T::densityDeviation, formatFixed(r.deviation, 1));
    f.setText(
        T::densityNote,
        QStringLiteral("实测表观密度 %1 kg/m³ 与计算值 %2 kg/m³ 相差 %3%，")
                .arg(generalForm(r.measuredDensity), kg(r.calculatedDensity), formatFixed(r.deviation, 1)) +
            (r.corrected ? QStringLiteral("超过2%，各材料用量乘以校正系数 %1（第6.2节）")
                               .arg(formatFixed(r.correctionFactor, 3))
                         : QStringLiteral("不超过2%，配合比不校正（第6.2节）")));
    const MixMasses& m = r.final;
    f.setText(T::finalCement, kg(m.cement));
    f.setText(T::finalFlyAsh, kg(m.flyAsh));
    f.setText(T::finalSlag, kg(m.slag));
    f.setText(T::finalSand, kg(m.sand));
    f.setText(T::finalStone, kg(m.stone));
    f.setText(T::finalWater, kg(m.water));
    f.setText(T::finalAdmixture, formatFixed(m.admixture, 2));
    f.setText(T::finalWb, formatFixed(m.wb, 2));
    f.setText(T::finalMixLine, mixLineText(m));
    f.setText(T::finalProportion, proportionText(m));
    writeCheck(f, T::checkChosen, r.chosen);
    writeCheck(f, T::checkWb, r.wb);
    writeCheck(f, T::checkBinder, r.binder);
    writeCheck(f, T::checkMineral, r.mineral);
    writeCheck(f, T::checkPump, r.pump);
    writeCheck(f, T::checkSpecial, r.special);
}

void writeSite(Fields& f, const SiteMix2011& r) {
    f.setText(T::siteCement, kg(r.cement));
    f.setText(T::siteFlyAsh, kg(r.flyAsh));
    f.setText(T::siteSlag, kg(r.slag));
    f.setText(T::siteSand, kg(r.sand));
    f.setText(T::siteStone, kg(r.stone));
    f.setText(T::siteWater, kg(r.water));
    f.setText(T::siteAdmixture, formatFixed(r.admixture, 2));
    f.setText(T::siteMixLine, mixLineText(r, true));
}

QStringList resultsOf(Step step) {
    switch (step) {
    case Step::TrialMix:
        return T::trialMixResults();
    case Step::Regress:
        return T::regressResults();
    case Step::Adjust:
        return T::adjustResults();
    case Step::SiteMix:
        return T::siteMixResults();
    }
    return {};
}

constexpr Step kSteps[] = {Step::TrialMix, Step::Regress, Step::Adjust, Step::SiteMix};

// The step whose results a change of the field empties; nothing for the texts no step reads.
std::optional<Step> stepOf(const QString& name) {
    if (T::trialMixInputs().contains(name))
        return Step::TrialMix;
    if (T::regressInputs().contains(name))
        return Step::Regress;
    if (T::adjustInputs().contains(name))
        return Step::Adjust;
    if (T::siteMixInputs().contains(name))
        return Step::SiteMix;
    return std::nullopt;
}

// The fields a record keeps, in order: every input, then every result.
QStringList storedNames() { return T::inputNames() + T::resultNames(); }

// While it lives, the form's own writes change nothing else (no emptying, no refill); the flag is given back
// as it was, so that scopes nest.
class QuietWrites {
public:
    explicit QuietWrites(bool& quiet) : m_quiet(quiet), m_before(quiet) { m_quiet = true; }
    ~QuietWrites() { m_quiet = m_before; }
    QuietWrites(const QuietWrites&) = delete;
    QuietWrites& operator=(const QuietWrites&) = delete;

private:
    bool& m_quiet;
    bool m_before;
};

} // namespace

Trial2011Form::Trial2011Form(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}

void Trial2011Form::load(const QDate& today) {
    const MixInputs2011 design;
    const auto item = [](const QStringList& items, auto value) { return items.at(static_cast<int>(value)); };
    const QuietWrites quiet(m_quiet);
    const QStringList lists = {T::grade,          T::cementKind,      T::environment,   T::structure,
                               T::impermeability, T::frostResistance, T::frostExposure, T::maxSize,
                               T::densityMethod,  T::testAge};
    for (const QString& name : T::inputNames())
        if (!kBoxes.contains(name) && !lists.contains(name))
            m_fields.setText(name, QString());
    m_fields.setText(T::grade, QStringLiteral("C") + QString::number(design.grade));
    m_fields.setText(T::cementKind, item(D::cementKinds, design.cementKind));
    m_fields.setText(T::environment, item(D::environments, design.environment));
    m_fields.setChecked(T::airEntrained, design.airEntrained);
    m_fields.setText(T::structure, item(D::structures, design.structure));
    m_fields.setChecked(T::pumped, design.pumped);
    m_fields.setText(T::impermeability, item(D::impermeabilities, design.special.impermeability));
    m_fields.setText(T::frostResistance, item(D::frostResistances, design.special.frost));
    m_fields.setText(T::frostExposure, item(D::frostExposures, design.special.exposure));
    m_fields.setChecked(T::massConcrete, design.special.massConcrete);
    m_fields.setText(T::maxSize, generalForm(design.maxSize));
    m_fields.setText(T::flyAshPercent, generalForm(design.flyAshPercent));
    m_fields.setText(T::slagPercent, generalForm(design.slagPercent));
    m_fields.setText(T::admixtureDosage, formatFixed(design.admixtureDosage, 1));
    m_fields.setText(T::densityMethod, item(D::densityMethods, design.method));
    m_fields.setText(T::assumedDensity, generalForm(design.assumedDensity));
    m_fields.setText(T::densityCement, generalForm(design.densityCement));
    m_fields.setText(T::densityFlyAsh, generalForm(design.densityFlyAsh));
    m_fields.setText(T::densitySlag, generalForm(design.densitySlag));
    m_fields.setText(T::densitySand, generalForm(design.densitySand));
    m_fields.setText(T::densityStone, generalForm(design.densityStone));
    m_fields.setText(T::airContent, generalForm(design.airContent));
    m_fields.setText(T::trialVolume, generalForm(design.trialVolume));
    m_fields.setText(T::recordName, QStringLiteral("JGJ55-2011-试配-") + dateText(today));
    m_fields.setText(T::pasteChange, QStringLiteral("0"));
    m_fields.setText(T::sandRatioChange, QStringLiteral("0"));
    m_fields.setText(T::trialAdmixtureDosage, m_fields.text(T::admixtureDosage));
    m_fields.setText(T::testAge, T::testAges.first());
    m_fields.setText(T::admixtureWater, QStringLiteral("0"));
    m_fields.setText(T::recordStatus, QString());
    emptyFrom(Step::TrialMix);
    m_modified = false;
}

void Trial2011Form::handOver(const Fields& design, const QDate& today) {
    load(today);
    const QuietWrites quiet(m_quiet);
    // Lists and boxes of the same names; numbers trimmed.
    for (const QString& name : {T::grade, T::cementKind, T::environment, T::structure, T::impermeability,
                                T::frostResistance, T::frostExposure, T::maxSize, T::densityMethod})
        m_fields.setText(name, design.text(name));
    for (const QString& name : kBoxes)
        m_fields.setChecked(name, design.isChecked(name));
    for (const QString& name :
         {T::flyAshPercent, T::slagPercent, T::admixtureDosage, T::assumedDensity, T::densityCement,
          T::densityFlyAsh, T::densitySlag, T::densitySand, T::densityStone, T::airContent, T::trialVolume})
        m_fields.setText(name, design.text(name).trimmed());
    m_fields.setText(T::targetStrength, design.text(D::targetStrength).trimmed());
    m_fields.setText(T::calcWater, design.text(D::water).trimmed());
    m_fields.setText(T::calcBinder, design.text(D::binder).trimmed());
    m_fields.setText(T::calcSandRatio, design.text(D::sandRatio).trimmed());
    m_fields.setText(T::designName, design.text(D::reportName));
    m_fields.setText(T::recordName, design.text(D::reportName) + QStringLiteral("-试配"));
    m_fields.setText(T::trialAdmixtureDosage, m_fields.text(T::admixtureDosage));
    m_modified = false;
}

void Trial2011Form::fieldChanged(const QString& name) {
    if (m_quiet)
        return;
    setModified();
    if (name == T::admixtureDosage)
        m_fields.setText(T::trialAdmixtureDosage, m_fields.text(T::admixtureDosage));
    if (const std::optional<Step> step = stepOf(name))
        emptyFrom(*step);
}

void Trial2011Form::emptyFrom(Step from) {
    {
        const QuietWrites quiet(m_quiet);
        for (Step step : kSteps) {
            if (step < from)
                continue;
            for (const QString& name : resultsOf(step))
                m_fields.setText(name, QString());
        }
    }
    if (from <= Step::TrialMix) {
        m_inputs.reset();
        m_mix.reset();
    }
    if (from <= Step::Regress)
        m_regression.reset();
    if (from <= Step::Adjust)
        m_design.reset();
    m_site.reset();
}

bool Trial2011Form::hasResults(Step step) const {
    switch (step) {
    case Step::TrialMix:
        return m_mix.has_value();
    case Step::Regress:
        return m_regression.has_value();
    case Step::Adjust:
        return m_design.has_value();
    case Step::SiteMix:
        return m_site.has_value();
    }
    return false;
}

bool Trial2011Form::volumeMethod() const {
    return listIndex(m_fields, T::densityMethod, D::densityMethods) == 1;
}

void Trial2011Form::refuse(const QString& message) { showStop(m_prompter, message); }

bool Trial2011Form::runShown(Step step) {
    if (const std::optional<QString> refusal = run(step)) {
        refuse(*refusal);
        return false;
    }
    return true;
}

bool Trial2011Form::trialMix() { return runShown(Step::TrialMix); }

bool Trial2011Form::regress() { return runShown(Step::Regress); }

bool Trial2011Form::adjust() { return runShown(Step::Adjust); }

bool Trial2011Form::siteMix() { return runShown(Step::SiteMix); }

std::optional<QString> Trial2011Form::run(Step step) {
    // Everything is computed and formatted on a scratch copy first, so a refusal writes nothing.
    MapFields scratch(resultsOf(step));
    std::optional<TrialInputs2011> inputs;
    std::optional<TrialMix2011> mix;
    std::optional<Regression2011> regression;
    std::optional<DesignMix2011> design;
    std::optional<SiteMix2011> site;
    try {
        switch (step) {
        case Step::TrialMix: {
            inputs = readTrialInputs(m_fields);
            const auto outcome = trialMix2011(*inputs);
            if (const auto* refusal = std::get_if<Refusal2011>(&outcome))
                return refusal->message;
            mix = std::get<TrialMix2011>(outcome);
            writeTrialMix(scratch, *mix);
            break;
        }
        case Step::Regress: {
            if (!m_mix)
                return kNoTrialMix;
            const std::array<double, 3> strengths = {readNumber(m_fields, kStrengthA),
                                                     readNumber(m_fields, kStrengthB),
                                                     readNumber(m_fields, kStrengthC)};
            const auto outcome = regress2011(*m_inputs, *m_mix, strengths);
            if (const auto* refusal = std::get_if<Refusal2011>(&outcome))
                return refusal->message;
            regression = std::get<Regression2011>(outcome);
            writeRegression(scratch, *regression);
            break;
        }
        case Step::Adjust: {
            if (!m_mix)
                return kNoTrialMix;
            if (!m_regression)
                return kNoRatio;
            const double bw = readNumber(m_fields, kBwChosen);
            const double density = readNumber(m_fields, kMeasuredDensity);
            const auto outcome = adjustMix2011(*m_inputs, *m_mix, *m_regression, bw, density);
            if (const auto* refusal = std::get_if<Refusal2011>(&outcome))
                return refusal->message;
            design = std::get<DesignMix2011>(outcome);
            writeDesign(scratch, *design);
            break;
        }
        case Step::SiteMix: {
            if (!m_design)
                return kNoDesign;
            const double sand = readNumber(m_fields, kSandMoisture);
            const double stone = readNumber(m_fields, kStoneMoisture);
            const double liquid = readNumber(m_fields, kAdmixtureWater);
            const auto outcome = siteMix2011(*m_design, sand, stone, liquid);
            if (const auto* refusal = std::get_if<Refusal2011>(&outcome))
                return refusal->message;
            site = std::get<SiteMix2011>(outcome);
            writeSite(scratch, *site);
            break;
        }
        }
    } catch (const FieldRefused& refused) {
        return refused.message;
    } catch (const CalcFailure&) {
        return kTooMuchBinder2011;
    }

    // A step's own results replace those of its earlier run, and every later step's are emptied.
    emptyFrom(step);
    {
        const QuietWrites quiet(m_quiet);
        for (const QString& name : resultsOf(step))
            m_fields.setText(name, scratch.text(name));
        for (const QString& check : T::checkNames())
            if (resultsOf(step).contains(check))
                m_fields.setCheckColour(check, scratch.colour(check));
    }
    setModified();
    if (inputs) {
        m_inputs = inputs;
        m_mix = mix;
    }
    if (regression) {
        m_regression = regression;
        // Slightly above the ratio of the target strength; this write empties steps 4 and 5 as a typed one.
        m_fields.setText(T::bwChosen, formatFixed(regression->bwProposed, 2));
        emptyFrom(Step::Adjust);
    }
    if (design)
        m_design = design;
    if (site)
        m_site = site;
    return std::nullopt;
}

std::optional<TrialChart2011> Trial2011Form::chart() const {
    if (!m_regression || !m_inputs)
        return std::nullopt;
    TrialChart2011 chart;
    chart.bw = m_regression->bw;
    chart.strength = m_regression->strength;
    chart.slope = m_regression->slope;
    chart.intercept = m_regression->intercept;
    chart.correlation = m_regression->correlation;
    chart.targetStrength = m_inputs->targetStrength;
    try {
        const double bw = readStrict(m_fields.text(T::bwChosen));
        if (bw > 0.0)
            chart.bwChosen = bw;
    } catch (const CalcFailure&) {
    }
    return chart;
}

QList<QPair<QString, QString>> Trial2011Form::storedTexts() const {
    QList<QPair<QString, QString>> texts;
    for (const QString& name : storedNames()) {
        if (kBoxes.contains(name))
            texts.append({name, m_fields.isChecked(name) ? QStringLiteral("on") : QStringLiteral("off")});
        else
            texts.append({name, m_fields.text(name)});
    }
    return texts;
}

bool Trial2011Form::restore(const QList<QPair<QString, QString>>& texts) {
    // Every field once, in order, lists and boxes showing texts of their own.
    const QStringList names = storedNames();
    if (texts.size() != names.size())
        return false;
    QMap<QString, QString> stored;
    const QList<QPair<QString, QStringList>> lists = {{T::grade, D::grades},
                                                      {T::cementKind, D::cementKinds},
                                                      {T::environment, D::environments},
                                                      {T::structure, D::structures},
                                                      {T::densityMethod, D::densityMethods},
                                                      {T::testAge, T::testAges},
                                                      {T::impermeability, D::impermeabilities},
                                                      {T::frostResistance, D::frostResistances},
                                                      {T::frostExposure, D::frostExposures},
                                                      {T::maxSize, D::maxSizes}};
    for (int i = 0; i < names.size(); ++i) {
        const auto& [name, text] = texts.at(i);
        if (name != names.at(i))
            return false;
        for (const auto& [list, items] : lists)
            if (name == list && !items.contains(text))
                return false;
        if (kBoxes.contains(name) && text != QStringLiteral("on") && text != QStringLiteral("off"))
            return false;
        stored.insert(name, text);
    }

    // The steps that ran, run again from the inputs, must give exactly the stored results: first on a scratch
    // copy, so that a record that does not hold changes nothing.
    const auto replay = [&stored](Trial2011Form& form, Fields& fields) {
        {
            const QuietWrites quiet(form.m_quiet);
            for (const QString& name : T::inputNames()) {
                if (kBoxes.contains(name))
                    fields.setChecked(name, stored.value(name) == QStringLiteral("on"));
                else
                    fields.setText(name, stored.value(name));
            }
            form.emptyFrom(Step::TrialMix);
        }
        for (Step step : kSteps) {
            if (stored.value(resultsOf(step).first()).isEmpty())
                break;
            if (form.run(step))
                return false;
            // Step 3 proposes a ratio that the engineer may have changed before step 4.
            if (step == Step::Regress)
                form.setQuietly(T::bwChosen, stored.value(T::bwChosen));
        }
        for (const QString& name : T::resultNames())
            if (fields.text(name) != stored.value(name))
                return false;
        return fields.text(T::bwChosen) == stored.value(T::bwChosen);
    };
    QStringList scratchNames = names;
    scratchNames.append(T::recordStatus);
    MapFields scratch(scratchNames);
    Trial2011Form probe(scratch, m_prompter);
    if (!replay(probe, scratch))
        return false;
    replay(*this, m_fields);
    m_modified = false;
    return true;
}

void Trial2011Form::setModified() {
    m_modified = true;
    // The status tells of a save only while the fields are the ones saved.
    setQuietly(T::recordStatus, QString());
}

void Trial2011Form::setQuietly(const QString& name, const QString& text) {
    const QuietWrites quiet(m_quiet);
    m_fields.setText(name, text);
}
