#include "adjust/mixadjustment.h"

#include "adjust/regression.h"
#include "adjust/tiaozheng.h"
#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"

#include <optional>

namespace {

const QString kIncrease = QStringLiteral("增加");
const QString kDecrease = QStringLiteral("减少");
const QString kUnchanged = QStringLiteral("不变");

// Factor of a paste change of p percent named by the list text; nothing for "不变" or an unknown text.
std::optional<double> pasteFactor(const QString& change, double p) {
    if (change == kIncrease)
        return checked(p / 100 + 1);
    if (change == kDecrease)
        return checked(1 - p / 100);
    return std::nullopt;
}

} // namespace

MixAdjustment::MixAdjustment(Fields& fields, Prompter& prompter)
    : m_fields(fields), m_protocol(fields, prompter) {}

QStringList MixAdjustment::stepFields() {
    // In the window's order; the paste percentages and the chosen data file keep their texts.
    return {Tiaozheng::mixCement,
            Tiaozheng::mixWater,
            Tiaozheng::mixSand,
            Tiaozheng::mixStone,
            Tiaozheng::trialVolume,
            Tiaozheng::trialCement,
            Tiaozheng::trialWater,
            Tiaozheng::trialSand,
            Tiaozheng::trialStone,
            Tiaozheng::adjustedCement,
            Tiaozheng::adjustedWater,
            Tiaozheng::adjustedSand,
            Tiaozheng::adjustedStone,
            Tiaozheng::baseCementRatio,
            Tiaozheng::baseSandRatio,
            Tiaozheng::baseStoneRatio,
            Tiaozheng::baseWaterRatio,
            Tiaozheng::groupRatio,
            Tiaozheng::ratioSpread,
            Tiaozheng::ratioA,
            Tiaozheng::ratioB,
            Tiaozheng::ratioC,
            Tiaozheng::cementWaterA,
            Tiaozheng::cementWaterB,
            Tiaozheng::cementWaterC,
            Tiaozheng::cementA,
            Tiaozheng::cementB,
            Tiaozheng::cementC,
            Tiaozheng::groupWater,
            Tiaozheng::strengthA,
            Tiaozheng::strengthB,
            Tiaozheng::strengthC,
            Tiaozheng::targetStrength,
            Tiaozheng::correctedWater,
            Tiaozheng::correctedCement,
            Tiaozheng::cementDensity,
            Tiaozheng::sandDensity,
            Tiaozheng::stoneDensity,
            Tiaozheng::airContent,
            Tiaozheng::sandRatio,
            Tiaozheng::volumeSand,
            Tiaozheng::volumeStone,
            Tiaozheng::computedDensity,
            Tiaozheng::measuredDensity,
            Tiaozheng::densityFactor,
            Tiaozheng::labCement,
            Tiaozheng::labWater,
            Tiaozheng::labSand,
            Tiaozheng::labStone,
            Tiaozheng::labCementRatio,
            Tiaozheng::labSandRatio,
            Tiaozheng::labStoneRatio,
            Tiaozheng::labWaterRatio,
            Tiaozheng::sandMoisture,
            Tiaozheng::stoneMoisture,
            Tiaozheng::siteCement,
            Tiaozheng::siteWater,
            Tiaozheng::siteSand,
            Tiaozheng::siteStone,
            Tiaozheng::siteCementRatio,
            Tiaozheng::siteWaterRatio,
            Tiaozheng::siteSandRatio,
            Tiaozheng::siteStoneRatio,
            Tiaozheng::referenceCementWater,
            Tiaozheng::referenceWaterCement,
            Tiaozheng::parameterWater,
            Tiaozheng::parameterWaterCement,
            Tiaozheng::parameterCementWater};
}

QStringList MixAdjustment::controlNames() {
    return stepFields() +
           QStringList{
               Tiaozheng::pasteChange,           Tiaozheng::pastePercent, Tiaozheng::parameterPasteChange,
               Tiaozheng::parameterPastePercent, Tiaozheng::fileName,     Tiaozheng::dateTag};
}

double MixAdjustment::value(const QString& name) const { return readLenient(m_fields.text(name)); }

void MixAdjustment::write(const QString& name, double v, const char16_t* pattern) {
    m_fields.setText(name, formatNumber(v, QStringView(pattern)));
}

void MixAdjustment::writeGeneral(const QString& name, double v) { m_fields.setText(name, generalForm(v)); }

void MixAdjustment::copy(const QString& from, const QString& to) {
    m_fields.setText(to, m_fields.text(from));
}

void MixAdjustment::emptyStepFields() {
    for (const QString& name : stepFields())
        m_fields.setText(name, QString());
}

void MixAdjustment::writeRatios(const QString& cementField, const QString& cementRatioField,
                                const QList<QPair<QString, QString>>& quantityToRatio) {
    const double c = value(cementField);
    write(cementRatioField, divide(c, c), u"###0.00");
    for (const auto& [quantity, ratio] : quantityToRatio)
        write(ratio, divide(value(quantity), c), u"###0.00");
}

void MixAdjustment::load(const QDate& today) {
    const QString date = dateText(today);
    m_fields.setText(Tiaozheng::fileName, QStringLiteral("---TZ(") + date + u')');
    m_fields.setText(Tiaozheng::dateTag, QStringLiteral("TZ(") + date + u')');
    emptyStepFields();
}

void MixAdjustment::trialBatch() {
    m_protocol.run({Tiaozheng::mixCement, Tiaozheng::mixWater, Tiaozheng::mixSand, Tiaozheng::mixStone,
                    Tiaozheng::trialVolume},
                   [this] {
                       const double volume = value(Tiaozheng::trialVolume);
                       for (int i = 0; i < 4; ++i)
                           writeGeneral(Tiaozheng::trialMasses()[i],
                                        divide(checked(value(Tiaozheng::mixMasses()[i]) * volume), 1000));
                   });
}

void MixAdjustment::workability() {
    m_protocol.run({Tiaozheng::pastePercent, Tiaozheng::pasteChange}, [this] {
        const QString change = m_fields.text(Tiaozheng::pasteChange);
        const auto factor = pasteFactor(change, value(Tiaozheng::pastePercent));
        if (factor) {
            write(Tiaozheng::adjustedCement, checked(*factor * value(Tiaozheng::trialCement)), u"###0.000");
            write(Tiaozheng::adjustedWater, checked(*factor * value(Tiaozheng::trialWater)), u"###0.000");
        } else if (change == kUnchanged) {
            writeGeneral(Tiaozheng::adjustedCement, value(Tiaozheng::trialCement));
            writeGeneral(Tiaozheng::adjustedWater, value(Tiaozheng::trialWater));
        }
        if (factor || change == kUnchanged) {
            copy(Tiaozheng::trialSand, Tiaozheng::adjustedSand);
            copy(Tiaozheng::trialStone, Tiaozheng::adjustedStone);
        }
        writeRatios(Tiaozheng::adjustedCement, Tiaozheng::baseCementRatio,
                    {{Tiaozheng::adjustedSand, Tiaozheng::baseSandRatio},
                     {Tiaozheng::adjustedStone, Tiaozheng::baseStoneRatio},
                     {Tiaozheng::adjustedWater, Tiaozheng::baseWaterRatio}});
    });
}

void MixAdjustment::strengthGroups() {
    m_protocol.run({Tiaozheng::groupRatio, Tiaozheng::ratioSpread, Tiaozheng::groupWater}, [this] {
        write(Tiaozheng::ratioB, value(Tiaozheng::groupRatio), u"###0.00");
        write(Tiaozheng::ratioA, checked(value(Tiaozheng::ratioSpread) + value(Tiaozheng::ratioB)),
              u"###0.00");
        write(Tiaozheng::ratioC, checked(value(Tiaozheng::ratioB) - value(Tiaozheng::ratioSpread)),
              u"###0.00");
        for (int group = 0; group < 3; ++group)
            write(Tiaozheng::groupCementWaters()[group], divide(1, value(Tiaozheng::groupRatios()[group])),
                  u"###0.00");
        for (int group = 0; group < 3; ++group)
            write(Tiaozheng::groupCements()[group],
                  divide(value(Tiaozheng::groupWater), value(Tiaozheng::groupRatios()[group])), u"###0.00");
    });
}

void MixAdjustment::regression() {
    m_protocol.run(
        {Tiaozheng::targetStrength, Tiaozheng::strengthA, Tiaozheng::strengthB, Tiaozheng::strengthC},
        [this] {
            const RegressionLine line = fitRegressionLine(
                {value(Tiaozheng::cementWaterA), value(Tiaozheng::cementWaterB),
                 value(Tiaozheng::cementWaterC)},
                {value(Tiaozheng::strengthA), value(Tiaozheng::strengthB), value(Tiaozheng::strengthC)});
            const double c = regressionCrossing(line, value(Tiaozheng::targetStrength));
            write(Tiaozheng::referenceCementWater, c, u"##,##0.00");
            write(Tiaozheng::referenceWaterCement, divide(1, c), u"##,##0.00");
        });
}

void MixAdjustment::takeParameters() {
    m_protocol.run({Tiaozheng::mixWater, Tiaozheng::pasteChange, Tiaozheng::pastePercent,
                    Tiaozheng::referenceWaterCement, Tiaozheng::referenceCementWater},
                   [this] {
                       copy(Tiaozheng::mixWater, Tiaozheng::parameterWater);
                       copy(Tiaozheng::pasteChange, Tiaozheng::parameterPasteChange);
                       copy(Tiaozheng::pastePercent, Tiaozheng::parameterPastePercent);
                       copy(Tiaozheng::referenceWaterCement, Tiaozheng::parameterWaterCement);
                       copy(Tiaozheng::referenceCementWater, Tiaozheng::parameterCementWater);
                   });
}

void MixAdjustment::correctWaterCement() {
    m_protocol.run({Tiaozheng::parameterWater, Tiaozheng::parameterPastePercent,
                    Tiaozheng::parameterWaterCement, Tiaozheng::parameterPasteChange},
                   [this] {
                       const QString change = m_fields.text(Tiaozheng::parameterPasteChange);
                       const double water = value(Tiaozheng::parameterWater);
                       if (const auto factor = pasteFactor(change, value(Tiaozheng::parameterPastePercent)))
                           write(Tiaozheng::correctedWater, checked(*factor * water), u"###0");
                       else if (change == kUnchanged)
                           writeGeneral(Tiaozheng::correctedWater, water);
                       write(Tiaozheng::correctedCement,
                             divide(value(Tiaozheng::correctedWater), value(Tiaozheng::parameterWaterCement)),
                             u"###0");
                       write(Tiaozheng::parameterCementWater,
                             divide(1, value(Tiaozheng::parameterWaterCement)), u"###0.00");
                   });
}

void MixAdjustment::absoluteVolume() {
    m_protocol.run(
        {Tiaozheng::correctedWater, Tiaozheng::correctedCement, Tiaozheng::cementDensity,
         Tiaozheng::sandDensity, Tiaozheng::stoneDensity, Tiaozheng::airContent, Tiaozheng::sandRatio},
        [this] {
            const auto strict = [this](const QString& name) { return readStrict(m_fields.text(name)); };
            const double water = strict(Tiaozheng::correctedWater);
            const double cement = strict(Tiaozheng::correctedCement);
            const double cementDensity = strict(Tiaozheng::cementDensity);
            const double sandDensity = strict(Tiaozheng::sandDensity);
            const double stoneDensity = strict(Tiaozheng::stoneDensity);
            const double air = strict(Tiaozheng::airContent);
            const double sandRatio = strict(Tiaozheng::sandRatio);
            // Litres left for sand and stone in one cubic metre after cement, water and air.
            double volume = checked(1000 - divide(cement, cementDensity));
            volume = checked(volume - water);
            volume = checked(volume - checked(10 * air));
            const double d =
                checked((1 - sandRatio) + checked(sandRatio * divide(stoneDensity, sandDensity)));
            const double sand = divide(checked(checked(sandRatio * volume) * stoneDensity), d);
            write(Tiaozheng::volumeSand, sand, u"###0");
            const double stone =
                checked(checked(volume * stoneDensity) -
                        divide(checked(value(Tiaozheng::volumeSand) * stoneDensity), sandDensity));
            write(Tiaozheng::volumeStone, stone, u"###0");
        });
}

void MixAdjustment::densityCorrection() {
    m_protocol.run({Tiaozheng::measuredDensity}, [this] {
        writeGeneral(Tiaozheng::computedDensity,
                     checked(value(Tiaozheng::correctedWater) + value(Tiaozheng::correctedCement) +
                             value(Tiaozheng::volumeSand) + value(Tiaozheng::volumeStone)));
        write(Tiaozheng::densityFactor,
              divide(value(Tiaozheng::measuredDensity), value(Tiaozheng::computedDensity)), u"###0.000");
        const double factor = value(Tiaozheng::densityFactor);
        write(Tiaozheng::labCement, checked(factor * value(Tiaozheng::correctedCement)), u"###0");
        write(Tiaozheng::labWater, checked(factor * value(Tiaozheng::correctedWater)), u"###0");
        write(Tiaozheng::labSand, checked(factor * value(Tiaozheng::volumeSand)), u"###0");
        write(Tiaozheng::labStone, checked(factor * value(Tiaozheng::volumeStone)), u"###0");
        writeRatios(Tiaozheng::labCement, Tiaozheng::labCementRatio,
                    {{Tiaozheng::labWater, Tiaozheng::labWaterRatio},
                     {Tiaozheng::labSand, Tiaozheng::labSandRatio},
                     {Tiaozheng::labStone, Tiaozheng::labStoneRatio}});
    });
}

void MixAdjustment::keepUncorrected() {
    m_protocol.run(
        {Tiaozheng::correctedCement, Tiaozheng::correctedWater, Tiaozheng::volumeSand,
         Tiaozheng::volumeStone},
        [this] {
            copy(Tiaozheng::correctedCement, Tiaozheng::labCement);
            copy(Tiaozheng::correctedWater, Tiaozheng::labWater);
            copy(Tiaozheng::volumeSand, Tiaozheng::labSand);
            copy(Tiaozheng::volumeStone, Tiaozheng::labStone);
        },
        QStringLiteral("以前的步骤没有计算完成！或模版文件不存在了！"));
}

void MixAdjustment::siteMix() {
    m_protocol.run({Tiaozheng::sandMoisture, Tiaozheng::stoneMoisture}, [this] {
        const double sandMoisture = value(Tiaozheng::sandMoisture);
        const double stoneMoisture = value(Tiaozheng::stoneMoisture);
        const double water = value(Tiaozheng::labWater);
        const double sand = value(Tiaozheng::labSand);
        const double stone = value(Tiaozheng::labStone);
        write(Tiaozheng::siteCement, value(Tiaozheng::labCement), u"###0");
        write(Tiaozheng::siteSand, checked(checked(sandMoisture / 100 + 1) * sand), u"###0");
        write(Tiaozheng::siteStone, checked(checked(stoneMoisture / 100 + 1) * stone), u"###0");
        // The water the wet aggregates bring in, sand first, from the dry laboratory quantities.
        const double siteWater = checked(checked(water - checked(sandMoisture * sand) / 100) -
                                         checked(stoneMoisture * stone) / 100);
        write(Tiaozheng::siteWater, siteWater, u"###0");
        writeRatios(Tiaozheng::siteCement, Tiaozheng::siteCementRatio,
                    {{Tiaozheng::siteWater, Tiaozheng::siteWaterRatio},
                     {Tiaozheng::siteSand, Tiaozheng::siteSandRatio},
                     {Tiaozheng::siteStone, Tiaozheng::siteStoneRatio}});
    });
}

void MixAdjustment::workedExample() {
    emptyStepFields();
    const QList<QPair<QString, QString>> example = {{Tiaozheng::mixCement, QStringLiteral("343")},
                                                    {Tiaozheng::mixWater, QStringLiteral("185")},
                                                    {Tiaozheng::mixSand, QStringLiteral("613")},
                                                    {Tiaozheng::mixStone, QStringLiteral("1251")},
                                                    {Tiaozheng::trialVolume, QStringLiteral("15")},
                                                    {Tiaozheng::pasteChange, kIncrease},
                                                    {Tiaozheng::pastePercent, QStringLiteral("5")},
                                                    {Tiaozheng::groupRatio, QStringLiteral("0.54")},
                                                    {Tiaozheng::ratioSpread, QStringLiteral("0.05")},
                                                    {Tiaozheng::groupWater, QStringLiteral("2.92")},
                                                    {Tiaozheng::strengthA, QStringLiteral("34.2")},
                                                    {Tiaozheng::strengthB, QStringLiteral("39.2")},
                                                    {Tiaozheng::strengthC, QStringLiteral("45.3")},
                                                    {Tiaozheng::targetStrength, QStringLiteral("38.2")},
                                                    {Tiaozheng::correctedWater, QStringLiteral("194")},
                                                    {Tiaozheng::correctedCement, QStringLiteral("353")},
                                                    {Tiaozheng::cementDensity, QStringLiteral("3.1")},
                                                    {Tiaozheng::sandDensity, QStringLiteral("2.65")},
                                                    {Tiaozheng::stoneDensity, QStringLiteral("2.7")},
                                                    {Tiaozheng::airContent, QStringLiteral("1")},
                                                    {Tiaozheng::sandRatio, QStringLiteral("0.33")},
                                                    {Tiaozheng::sandMoisture, QStringLiteral("5")},
                                                    {Tiaozheng::stoneMoisture, QStringLiteral("1")}};
    for (const auto& [name, text] : example)
        m_fields.setText(name, text);
    m_fields.setText(Tiaozheng::parameterWater, QString());
    m_fields.setText(Tiaozheng::parameterWaterCement, QString());
}
