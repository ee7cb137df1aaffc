#include "design2011/design2011form.h"

#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/mapfields.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "design2011/checks2011.h"
#include "design2011/design2011controls.h"
#include "design2011/fieldreading2011.h"
#include "design2011/mixdesign2011.h"
#include "design2011/mixtext2011.h"

#include <stdexcept>

namespace D = Design2011;

namespace {

const NumberField kSigma{D::sigma, QStringLiteral("强度标准差σ (MPa)"), 1, 10};
const NumberField kGammaC{D::gammaC, QStringLiteral("富余系数γc"), 0.8, 1.3};
const NumberField kFceMeasured{D::fceMeasured, QStringLiteral("水泥28d实测强度 (MPa)"), 20, 80};
const NumberField kSlump{D::slump, QStringLiteral("坍落度 (mm)"), 10, 250};
const NumberField kWaterReduction{D::waterReduction, QStringLiteral("外加剂减水率β (%)"), 0, 40};
const NumberField kAdmixtureDosage{D::admixtureDosage, QStringLiteral("外加剂掺量βa (%)"), 0, 5};
const NumberField kFlyAshPercent{D::flyAshPercent, QStringLiteral("粉煤灰掺量βf (%)"), 0, 60};
const NumberField kGammaF{D::gammaF, QStringLiteral("粉煤灰影响系数γf"), 0.3, 1.2};
const NumberField kSlagPercent{D::slagPercent, QStringLiteral("粒化高炉矿渣粉掺量βk (%)"), 0, 70};
const NumberField kGammaS{D::gammaS, QStringLiteral("矿渣粉影响系数γs"), 0.3, 1.2};
const NumberField kAssumedDensity{D::assumedDensity, QStringLiteral("假定表观密度 (kg/m³)"), 2200, 2600};
const NumberField kDensityCement{D::densityCement, QStringLiteral("水泥密度 (kg/m³)"), 2500, 3500};
const NumberField kDensityFlyAsh{D::densityFlyAsh, QStringLiteral("粉煤灰密度 (kg/m³)"), 1800, 3000};
const NumberField kDensitySlag{D::densitySlag, QStringLiteral("矿渣粉密度 (kg/m³)"), 2500, 3200};
const NumberField kDensitySand{D::densitySand, QStringLiteral("砂表观密度 (kg/m³)"), 2400, 2900};
const NumberField kDensityStone{D::densityStone, QStringLiteral("碎石表观密度 (kg/m³)"), 2400, 3000};
const NumberField kAirContent{D::airContent, QStringLiteral("含气量α (%)"), 0, 10};
const NumberField kWbOverride{D::wbOverride, QStringLiteral("采用水胶比（可选）"), 0.20, 1.00};
const NumberField kSandRatioOverride{D::sandRatioOverride, QStringLiteral("采用砂率 %（可选）"), 20, 50};
const NumberField kTrialVolume{D::trialVolume, QStringLiteral("试配体积 (L)"), 5, 100};

const QString kSumTooLarge = QStringLiteral("粉煤灰与矿渣粉掺量之和不应大于80%。");
const QString kByTrial = QStringLiteral("表5.1.3：应经试验确定");

// Every input in the order of the window, the first refused one named.
MixInputs2011 readInputs(const Fields& fields) {
    MixInputs2011 in;
    in.grade = D::grades.at(listIndex(fields, D::grade, D::grades)).mid(1).toInt();
    // High-strength grades use no σ: neither the box nor the field is read.
    in.sigmaFromStatistics = !isHighStrength(in.grade) && fields.isChecked(D::sigmaFromStatistics);
    if (in.sigmaFromStatistics)
        in.sigma = readNumber(fields, kSigma);
    in.cementKind = static_cast<CementKind>(listIndex(fields, D::cementKind, D::cementKinds));
    in.cementClass = D::cementClasses.at(listIndex(fields, D::cementClass, D::cementClasses)).toDouble();
    const bool measured = !isEmptyText(fields, D::fceMeasured);
    if (!measured)
        in.gammaC = readNumber(fields, kGammaC);
    in.fceMeasured = readOptional(fields, kFceMeasured);
    in.maxSize = D::maxSizes.at(listIndex(fields, D::maxSize, D::maxSizes)).toDouble();
    in.slump = readNumber(fields, kSlump);
    in.waterReduction = readNumber(fields, kWaterReduction);
    in.admixtureDosage = readNumber(fields, kAdmixtureDosage);
    in.flyAshPercent = readNumber(fields, kFlyAshPercent);
    in.flyAshGrade = static_cast<FlyAshGrade>(listIndex(fields, D::flyAshGrade, D::flyAshGrades));
    if (in.flyAshPercent != 0.0)
        in.gammaF = readNumber(fields, kGammaF);
    in.slagPercent = readNumber(fields, kSlagPercent);
    in.slagGrade = static_cast<SlagGrade>(listIndex(fields, D::slagGrade, D::slagGrades));
    if (in.slagPercent != 0.0)
        in.gammaS = readNumber(fields, kGammaS);
    in.environment = static_cast<Environment>(listIndex(fields, D::environment, D::environments));
    in.airEntrained = fields.isChecked(D::airEntrained);
    in.structure = static_cast<Structure>(listIndex(fields, D::structure, D::structures));
    in.pumped = fields.isChecked(D::pumped);
    in.special.impermeability =
        static_cast<Impermeability>(listIndex(fields, D::impermeability, D::impermeabilities));
    in.special.frost =
        static_cast<FrostResistance>(listIndex(fields, D::frostResistance, D::frostResistances));
    in.special.exposure = static_cast<FrostExposure>(listIndex(fields, D::frostExposure, D::frostExposures));
    in.special.massConcrete = fields.isChecked(D::massConcrete);
    in.method = static_cast<DensityMethod>(listIndex(fields, D::densityMethod, D::densityMethods));
    if (in.method == DensityMethod::Mass) {
        in.assumedDensity = readNumber(fields, kAssumedDensity);
    } else {
        in.densityCement = readNumber(fields, kDensityCement);
        in.densityFlyAsh = readNumber(fields, kDensityFlyAsh);
        in.densitySlag = readNumber(fields, kDensitySlag);
        in.densitySand = readNumber(fields, kDensitySand);
        in.densityStone = readNumber(fields, kDensityStone);
        in.airContent = readNumber(fields, kAirContent);
    }
    in.wbOverride = readOptional(fields, kWbOverride);
    in.sandRatioOverride = readOptional(fields, kSandRatioOverride);
    in.trialVolume = readNumber(fields, kTrialVolume);
    if (in.flyAshPercent + in.slagPercent > 80.0)
        throw FieldRefused{kSumTooLarge};
    return in;
}

QString rangeText(const Range& range, int decimals) {
    return formatFixed(range.lower, decimals) + QStringLiteral("～") + formatFixed(range.upper, decimals);
}

// The mix per cubic metre in the window's forms, then the same per trial batch.
// A side mix without room for aggregate shows "—" below its W/B and sand ratio.
void writeTrialColumn(Fields& fields, int column, const MixMasses& mix, double volume) {
    const double perBatch = volume / 1000.0;
    const double masses[] = {mix.cement, mix.flyAsh, mix.slag, mix.sand, mix.stone, mix.water};
    fields.setText(D::trialCell(1, column), formatFixed(mix.wb, 2));
    fields.setText(D::trialCell(2, column), formatFixed(mix.sandRatio, 0));
    if (!mix.complete) {
        for (int row = 3; row <= D::trialRows; ++row)
            fields.setText(D::trialCell(row, column), QStringLiteral("—"));
        return;
    }
    for (int i = 0; i < 6; ++i) {
        fields.setText(D::trialCell(3 + i, column), formatFixed(masses[i], 0));
        fields.setText(D::trialCell(10 + i, column), formatFixed(masses[i] * perBatch, 2));
    }
    fields.setText(D::trialCell(9, column), formatFixed(mix.admixture, 2));
    fields.setText(D::trialCell(16, column), formatFixed(mix.admixture * perBatch, 3));
}

void writeCheck(Fields& fields, const QString& name, const Check2011& check) {
    fields.setText(name, check.text);
    fields.setCheckColour(name, check.holds ? CheckColour::Normal : CheckColour::Red);
}

void writeResults(Fields& fields, const MixInputs2011& in, const MixResult2011& r) {
    const MixMasses& m = r.mix;
    fields.setText(D::sigmaUsed, r.highStrength ? QString() : formatFixed(r.sigma, 1));
    fields.setText(D::targetStrength, formatFixed(r.targetStrength, 1));
    fields.setText(D::fce, formatFixed(r.fce, 1));
    fields.setText(D::fb, formatFixed(r.fb, 1));
    fields.setText(D::wbCalculated, r.highStrength ? QString() : formatFixed(r.wbCalculated, 3));
    fields.setText(D::wbMax, formatFixed(r.maxWb.value, 2));
    fields.setText(D::wb, formatFixed(m.wb, 2));
    fields.setText(D::waterTable, formatFixed(r.waterTable, 0));
    fields.setText(D::water, formatFixed(m.water, 0));
    fields.setText(D::binder, formatFixed(m.binder, 0));
    fields.setText(D::flyAsh, formatFixed(m.flyAsh, 0));
    fields.setText(D::slag, formatFixed(m.slag, 0));
    fields.setText(D::cement, formatFixed(m.cement, 0));
    fields.setText(D::admixture, formatFixed(m.admixture, 2));
    fields.setText(D::sandRatioTable, r.sandRatioRange ? rangeText(*r.sandRatioRange, 1) : QString());
    fields.setText(D::sandRatio, formatFixed(m.sandRatio, 0));
    fields.setText(D::sand, formatFixed(m.sand, 0));
    fields.setText(D::stone, formatFixed(m.stone, 0));
    fields.setText(D::density, formatFixed(m.density(), 0));
    fields.setText(D::mixLine, mixLineText(m));
    fields.setText(D::proportion, proportionText(m));
    const Checks2011 checks = checkMix2011(in, r);
    writeCheck(fields, D::checkWb, checks.wb);
    writeCheck(fields, D::checkGrade, checks.grade);
    writeCheck(fields, D::checkBinder, checks.binder);
    writeCheck(fields, D::checkMineral, checks.mineral);
    writeCheck(fields, D::checkPump, checks.pump);
    writeCheck(fields, D::checkSpecial, checks.special);
    for (int column = 0; column < D::trialColumns; ++column)
        writeTrialColumn(fields, column + 1, r.trials[column], in.trialVolume);
}

const QStringList kEnvironmentTexts = {
    QStringLiteral("室内干燥环境；无侵蚀性静水浸没环境"),
    QStringLiteral("室内潮湿环境；非严寒和非寒冷地区的露天环境；与无侵蚀性的水或土壤直接接触的环境"),
    QStringLiteral("干湿交替环境；水位频繁变动环境；严寒和寒冷地区的露天环境"),
    QStringLiteral("严寒和寒冷地区冬季水位变动区环境；受除冰盐影响环境；海风环境"),
    QStringLiteral("盐渍土环境；受除冰盐作用环境；海岸环境"),
};

// A dosage typed so far, when it reads strictly as a number that is not negative.
std::optional<double> typedDosage(const Fields& fields, const QString& name) {
    try {
        const double v = readStrictWide(fields.text(name));
        if (v >= 0.0)
            return v;
    } catch (const CalcFailure&) {
    }
    return std::nullopt;
}

} // namespace

Design2011Form::Design2011Form(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}

void Design2011Form::load(const QDate& today) {
    const MixInputs2011 in;
    const auto item = [](const QStringList& items, auto value) { return items.at(static_cast<int>(value)); };
    m_fields.setText(D::grade, QStringLiteral("C") + QString::number(in.grade));
    m_fields.setChecked(D::sigmaFromStatistics, in.sigmaFromStatistics);
    m_fields.setText(D::cementKind, item(D::cementKinds, in.cementKind));
    m_fields.setText(D::cementClass, formatFixed(in.cementClass, 1));
    m_fields.setText(D::fceMeasured, in.fceMeasured ? generalForm(*in.fceMeasured) : QString());
    m_fields.setText(D::maxSize, generalForm(in.maxSize));
    m_fields.setText(D::slump, generalForm(in.slump));
    m_fields.setText(D::waterReduction, generalForm(in.waterReduction));
    m_fields.setText(D::admixtureDosage, formatFixed(in.admixtureDosage, 1));
    m_fields.setText(D::flyAshPercent, generalForm(in.flyAshPercent));
    m_fields.setText(D::flyAshGrade, item(D::flyAshGrades, in.flyAshGrade));
    m_fields.setText(D::slagPercent, generalForm(in.slagPercent));
    m_fields.setText(D::slagGrade, item(D::slagGrades, in.slagGrade));
    m_fields.setText(D::environment, item(D::environments, in.environment));
    m_fields.setChecked(D::airEntrained, in.airEntrained);
    m_fields.setText(D::structure, item(D::structures, in.structure));
    m_fields.setChecked(D::pumped, in.pumped);
    m_fields.setText(D::impermeability, item(D::impermeabilities, in.special.impermeability));
    m_fields.setText(D::frostResistance, item(D::frostResistances, in.special.frost));
    m_fields.setText(D::frostExposure, item(D::frostExposures, in.special.exposure));
    m_fields.setChecked(D::massConcrete, in.special.massConcrete);
    m_fields.setText(D::densityMethod, item(D::densityMethods, in.method));
    m_fields.setText(D::assumedDensity, generalForm(in.assumedDensity));
    m_fields.setText(D::densityCement, generalForm(in.densityCement));
    m_fields.setText(D::densityFlyAsh, generalForm(in.densityFlyAsh));
    m_fields.setText(D::densitySlag, generalForm(in.densitySlag));
    m_fields.setText(D::densitySand, generalForm(in.densitySand));
    m_fields.setText(D::densityStone, generalForm(in.densityStone));
    m_fields.setText(D::airContent, generalForm(in.airContent));
    m_fields.setText(D::wbOverride, in.wbOverride ? generalForm(*in.wbOverride) : QString());
    m_fields.setText(D::sandRatioOverride,
                     in.sandRatioOverride ? generalForm(*in.sandRatioOverride) : QString());
    m_fields.setText(D::reportName, QStringLiteral("JGJ55-2011-") + dateText(today));
    // σ, γc, γf, γs and the trial volume follow their sources.
    gradeChanged();
    cementClassChanged();
    flyAshChanged();
    slagChanged();
    maxSizeChanged();
    environmentChanged();
    emptyResults();
}

void Design2011Form::setInputs(const QList<QPair<QString, QString>>& texts) {
    const QStringList boxes = {D::sigmaFromStatistics, D::airEntrained, D::pumped, D::massConcrete};
    for (const auto& [name, text] : texts) {
        if (boxes.contains(name))
            m_fields.setChecked(name, text == QStringLiteral("on"));
        else
            m_fields.setText(name, text);
        if (name == D::grade || name == D::sigmaFromStatistics)
            gradeChanged();
        else if (name == D::cementClass)
            cementClassChanged();
        else if (name == D::flyAshPercent)
            flyAshChanged();
        else if (name == D::slagPercent || name == D::slagGrade)
            slagChanged();
        else if (name == D::maxSize)
            maxSizeChanged();
        else if (name == D::environment)
            environmentChanged();
    }
    emptyResults();
}

void Design2011Form::inputChanged() { emptyResults(); }

void Design2011Form::emptyResults() {
    m_calculation.reset();
    for (const QString& name : D::resultNames())
        m_fields.setText(name, QString());
    m_fields.setText(D::reportStatus, QString());
}

bool Design2011Form::calculate() {
    // A refused calculation counts as none, and changes no field.
    m_calculation.reset();
    // Every text is made on a scratch copy first, so that a failure halfway writes nothing.
    MapFields scratch(D::resultNames());
    Design2011Calculation made;
    try {
        made.inputs = readInputs(m_fields);
        const auto outcome = designMix2011(made.inputs);
        if (const auto* refusal = std::get_if<Refusal2011>(&outcome))
            throw FieldRefused{refusal->message};
        made.result = std::get<MixResult2011>(outcome);
        writeResults(scratch, made.inputs, made.result);
    } catch (const FieldRefused& refused) {
        refuse(refused.message);
        return false;
    } catch (const CalcFailure&) {
        // A value past every range of the inputs (an overflow): refused as a calculation without result.
        refuse(kTooMuchBinder2011);
        return false;
    }
    for (const QString& name : D::resultNames())
        m_fields.setText(name, scratch.text(name));
    for (const QString& check :
         {D::checkWb, D::checkGrade, D::checkBinder, D::checkMineral, D::checkPump, D::checkSpecial})
        m_fields.setCheckColour(check, scratch.colour(check));
    m_calculation = made;
    return true;
}

void Design2011Form::refuse(const QString& message) { showStop(m_prompter, message); }

void Design2011Form::gradeChanged() {
    const int grade = D::grades.at(listIndex(m_fields, D::grade, D::grades)).mid(1).toInt();
    // High strength uses no σ.
    if (isHighStrength(grade)) {
        m_fields.setText(D::sigma, QString());
        return;
    }
    if (m_fields.isChecked(D::sigmaFromStatistics) && !m_fields.text(D::sigma).isEmpty())
        return;
    m_fields.setText(D::sigma, formatFixed(tableSigma(grade), 1));
}

void Design2011Form::sigmaSourceChanged() { gradeChanged(); }

void Design2011Form::cementClassChanged() {
    const double cementClass =
        D::cementClasses.at(listIndex(m_fields, D::cementClass, D::cementClasses)).toDouble();
    m_fields.setText(D::gammaC, formatFixed(cementSurplusFactor(cementClass).value_or(1.0), 2));
}

void Design2011Form::flyAshChanged() {
    const std::optional<double> dosage = typedDosage(m_fields, D::flyAshPercent);
    if (!dosage)
        return;
    if (const std::optional<Range> range = flyAshInfluence(*dosage)) {
        m_fields.setText(D::gammaF, formatFixed(range->upper, 2));
        m_fields.setText(D::gammaFRange, QStringLiteral("表5.1.3：") + rangeText(*range, 2));
    } else {
        m_fields.setText(D::gammaF, QString());
        m_fields.setText(D::gammaFRange, kByTrial);
    }
}

void Design2011Form::slagChanged() {
    const std::optional<double> dosage = typedDosage(m_fields, D::slagPercent);
    if (!dosage)
        return;
    const auto grade = static_cast<SlagGrade>(listIndex(m_fields, D::slagGrade, D::slagGrades));
    const std::optional<Range> range = slagInfluence(*dosage);
    const std::optional<double> proposed = proposedSlagInfluence(*dosage, grade);
    if (range && proposed) {
        m_fields.setText(D::gammaS, formatFixed(*proposed, 2));
        m_fields.setText(D::gammaSRange, QStringLiteral("表5.1.3：") + rangeText(*range, 2));
    } else {
        m_fields.setText(D::gammaS, QString());
        m_fields.setText(D::gammaSRange, kByTrial);
    }
}

void Design2011Form::maxSizeChanged() {
    m_fields.setText(D::trialVolume, m_fields.text(D::maxSize) == QStringLiteral("40")
                                         ? QStringLiteral("25")
                                         : QStringLiteral("20"));
}

void Design2011Form::environmentChanged() {
    m_fields.setText(D::environmentText,
                     kEnvironmentTexts.at(listIndex(m_fields, D::environment, D::environments)));
}

bool Design2011Form::sigmaEditable() const { return m_fields.isChecked(D::sigmaFromStatistics); }

bool Design2011Form::sigmaUsed() const {
    return !isHighStrength(D::grades.at(listIndex(m_fields, D::grade, D::grades)).mid(1).toInt());
}

bool Design2011Form::volumeMethod() const {
    return listIndex(m_fields, D::densityMethod, D::densityMethods) == 1;
}
