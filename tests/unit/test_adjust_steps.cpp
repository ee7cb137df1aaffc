#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"
#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "support/adjustcommands.h"

#include <QMap>
#include <QTest>

namespace {

const QString kFailure = QStringLiteral("以前的步骤没有计算完成！或您输入的参数可能有错误！");

// "Name=text" pairs; the text may be empty.
void apply(MapFields& fields, const QStringList& assignments) {
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        fields.setText(a.left(eq), a.mid(eq + 1));
    }
}

} // namespace

class TestAdjustSteps : public QObject {
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void writeOrder_data();
    void writeOrder();
    void workedExampleEndToEnd();
};

// Each row: the command, the field texts before it runs, the texts expected afterwards (fields written before
// a failure included, fields it must not reach with their old text), and whether it fails.
void TestAdjustSteps::steps_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("fails");

    const QStringList demoBatch = {Tiaozheng::mixCement + "=343", Tiaozheng::mixWater + "=185",
                                   Tiaozheng::mixSand + "=613", Tiaozheng::mixStone + "=1251",
                                   Tiaozheng::trialVolume + "=15"};
    QTest::newRow("step2 demo, general form")
        << Tiaozheng::trialBatchButton << demoBatch
        << QStringList{Tiaozheng::trialCement + "=5.145", Tiaozheng::trialWater + "=2.775",
                       Tiaozheng::trialSand + "=9.195", Tiaozheng::trialStone + "=18.765"}
        << false;
    QTest::newRow("step2 empty volume gives 0")
        << Tiaozheng::trialBatchButton
        << QStringList{Tiaozheng::mixCement + "=343", Tiaozheng::trialVolume + "="}
        << QStringList{Tiaozheng::trialCement + "=0", Tiaozheng::trialWater + "=0",
                       Tiaozheng::trialStone + "=0"}
        << false;
    QTest::newRow("step2 units after numbers are ignored")
        << Tiaozheng::trialBatchButton
        << QStringList{Tiaozheng::mixCement + "=200kg", Tiaozheng::trialVolume + "=20L"}
        << QStringList{Tiaozheng::trialCement + "=4"} << false;

    const QStringList trial = {Tiaozheng::trialCement + "=5.145", Tiaozheng::trialWater + "=2.775",
                               Tiaozheng::trialSand + "=9.195", Tiaozheng::trialStone + "=18.765",
                               Tiaozheng::pastePercent + "=5"};
    QTest::newRow("step3 increase")
        << Tiaozheng::workabilityButton << (trial + QStringList{Tiaozheng::pasteChange + "=增加"})
        << QStringList{Tiaozheng::adjustedCement + "=5.402", Tiaozheng::adjustedWater + "=2.914",
                       Tiaozheng::adjustedSand + "=9.195",   Tiaozheng::adjustedStone + "=18.765",
                       Tiaozheng::baseCementRatio + "=1.00", Tiaozheng::baseSandRatio + "=1.70",
                       Tiaozheng::baseStoneRatio + "=3.47",  Tiaozheng::baseWaterRatio + "=0.54"}
        << false;
    QTest::newRow("step3 decrease") << Tiaozheng::workabilityButton
                                    << (trial + QStringList{Tiaozheng::pasteChange + "=减少"})
                                    << QStringList{Tiaozheng::adjustedCement + "=4.888",
                                                   Tiaozheng::adjustedWater + "=2.636",
                                                   Tiaozheng::baseCementRatio + "=1.00"}
                                    << false;
    QTest::newRow("step3 unchanged, general form")
        << Tiaozheng::workabilityButton << (trial + QStringList{Tiaozheng::pasteChange + "=不变"})
        << QStringList{Tiaozheng::adjustedCement + "=5.145", Tiaozheng::adjustedWater + "=2.775",
                       Tiaozheng::baseSandRatio + "=1.79", Tiaozheng::baseWaterRatio + "=0.54"}
        << false;
    QTest::newRow("step3 copies sand and stone as text")
        << Tiaozheng::workabilityButton
        << QStringList{Tiaozheng::pasteChange + "=不变", Tiaozheng::trialCement + "=5",
                       Tiaozheng::trialSand + "=abc", Tiaozheng::trialStone + "=9.1950"}
        << QStringList{Tiaozheng::adjustedSand + "=abc", Tiaozheng::adjustedStone + "=9.1950",
                       Tiaozheng::baseSandRatio + "=0.00", Tiaozheng::baseStoneRatio + "=1.84"}
        << false;
    QTest::newRow("step3 unknown change keeps the batch, recomputes ratios")
        << Tiaozheng::workabilityButton
        << (trial + QStringList{Tiaozheng::pasteChange + "=多加", Tiaozheng::adjustedCement + "=4",
                                Tiaozheng::adjustedWater + "=2", Tiaozheng::adjustedSand + "=8",
                                Tiaozheng::adjustedStone + "=16", Tiaozheng::baseCementRatio + "=x"})
        << QStringList{Tiaozheng::adjustedCement + "=4",     Tiaozheng::adjustedWater + "=2",
                       Tiaozheng::adjustedSand + "=8",       Tiaozheng::adjustedStone + "=16",
                       Tiaozheng::baseCementRatio + "=1.00", Tiaozheng::baseSandRatio + "=2.00",
                       Tiaozheng::baseStoneRatio + "=4.00",  Tiaozheng::baseWaterRatio + "=0.50"}
        << false;
    QTest::newRow("step3 without step 2 fails at the ratios")
        << Tiaozheng::workabilityButton
        << QStringList{Tiaozheng::pasteChange + "=增加", Tiaozheng::pastePercent + "=5",
                       Tiaozheng::trialSand + "=9.195", Tiaozheng::baseCementRatio + "=old",
                       Tiaozheng::baseWaterRatio + "=old"}
        << QStringList{Tiaozheng::adjustedCement + "=0.000", Tiaozheng::adjustedWater + "=0.000",
                       Tiaozheng::adjustedSand + "=9.195", Tiaozheng::baseCementRatio + "=old",
                       Tiaozheng::baseWaterRatio + "=old"}
        << true;
    QTest::newRow("step3 unchanged without step 2 writes 0")
        << Tiaozheng::workabilityButton << QStringList{Tiaozheng::pasteChange + "=不变"}
        << QStringList{Tiaozheng::adjustedCement + "=0", Tiaozheng::adjustedWater + "=0",
                       Tiaozheng::baseCementRatio + "="}
        << true;

    const QStringList groups = {Tiaozheng::groupRatio + "=0.54", Tiaozheng::ratioSpread + "=0.05",
                                Tiaozheng::groupWater + "=2.92"};
    QTest::newRow("step4 groups demo")
        << Tiaozheng::strengthGroupsButton << groups
        << QStringList{Tiaozheng::ratioA + "=0.59",       Tiaozheng::ratioB + "=0.54",
                       Tiaozheng::ratioC + "=0.49",       Tiaozheng::cementWaterA + "=1.69",
                       Tiaozheng::cementWaterB + "=1.85", Tiaozheng::cementWaterC + "=2.04",
                       Tiaozheng::cementA + "=4.95",      Tiaozheng::cementB + "=5.41",
                       Tiaozheng::cementC + "=5.96"}
        << false;
    QTest::newRow("step4 groups from the rounded base ratio")
        << Tiaozheng::strengthGroupsButton
        << QStringList{Tiaozheng::groupRatio + "=0.545", Tiaozheng::ratioSpread + "=0.05",
                       Tiaozheng::groupWater + "=2.92"}
        << QStringList{Tiaozheng::ratioB + "=0.55", Tiaozheng::ratioA + "=0.60", Tiaozheng::ratioC + "=0.50",
                       Tiaozheng::cementWaterC + "=2.00"}
        << false;
    QTest::newRow("step4 a percentage typed as such")
        << Tiaozheng::strengthGroupsButton
        << QStringList{Tiaozheng::groupRatio + "=0.54", Tiaozheng::ratioSpread + "=5",
                       Tiaozheng::groupWater + "=2.92"}
        << QStringList{Tiaozheng::ratioA + "=5.54", Tiaozheng::ratioC + "=-4.46",
                       Tiaozheng::cementWaterC + "=-0.22", Tiaozheng::cementC + "=-0.65"}
        << false;
    QTest::newRow("step4 step of 0 does not fail here")
        << Tiaozheng::strengthGroupsButton
        << QStringList{Tiaozheng::groupRatio + "=0.54", Tiaozheng::ratioSpread + "=0",
                       Tiaozheng::groupWater + "=2.92"}
        << QStringList{Tiaozheng::ratioA + "=0.54", Tiaozheng::ratioC + "=0.54",
                       Tiaozheng::cementWaterA + "=1.85", Tiaozheng::cementWaterC + "=1.85"}
        << false;
    QTest::newRow("step4 group C at ratio 0 fails after A and B")
        << Tiaozheng::strengthGroupsButton
        << QStringList{Tiaozheng::groupRatio + "=0.54", Tiaozheng::ratioSpread + "=0.54",
                       Tiaozheng::groupWater + "=2.92", Tiaozheng::cementWaterC + "=old",
                       Tiaozheng::cementA + "=old"}
        << QStringList{Tiaozheng::ratioA + "=1.08",       Tiaozheng::ratioC + "=0.00",
                       Tiaozheng::cementWaterA + "=0.93", Tiaozheng::cementWaterB + "=1.85",
                       Tiaozheng::cementWaterC + "=old",  Tiaozheng::cementA + "=old"}
        << true;
    QTest::newRow("step4 empty fields fail at the first ratio")
        << Tiaozheng::strengthGroupsButton << QStringList{Tiaozheng::cementWaterA + "=old"}
        << QStringList{Tiaozheng::ratioB + "=0.00", Tiaozheng::ratioC + "=0.00",
                       Tiaozheng::cementWaterA + "=old"}
        << true;

    const QStringList ratios = {Tiaozheng::cementWaterA + "=1.69", Tiaozheng::cementWaterB + "=1.85",
                                Tiaozheng::cementWaterC + "=2.04", Tiaozheng::targetStrength + "=38.2"};
    QTest::newRow("regression demo") << Tiaozheng::regressionButton
                                     << (ratios + QStringList{Tiaozheng::strengthA + "=34.2",
                                                              Tiaozheng::strengthB + "=39.2",
                                                              Tiaozheng::strengthC + "=45.3"})
                                     << QStringList{Tiaozheng::referenceCementWater + "=1.82",
                                                    Tiaozheng::referenceWaterCement + "=0.55"}
                                     << false;
    QTest::newRow("regression other B strength")
        << Tiaozheng::regressionButton
        << (ratios + QStringList{Tiaozheng::strengthA + "=34.2", Tiaozheng::strengthB + "=39.5",
                                 Tiaozheng::strengthC + "=45.3"})
        << QStringList{Tiaozheng::referenceCementWater + "=1.81", Tiaozheng::referenceWaterCement + "=0.55"}
        << false;
    QTest::newRow("regression equal ratios fail before writing")
        << Tiaozheng::regressionButton
        << QStringList{Tiaozheng::cementWaterA + "=1.85",        Tiaozheng::cementWaterB + "=1.85",
                       Tiaozheng::cementWaterC + "=1.85",        Tiaozheng::strengthA + "=34.2",
                       Tiaozheng::strengthB + "=39.2",           Tiaozheng::strengthC + "=45.3",
                       Tiaozheng::referenceCementWater + "=old", Tiaozheng::referenceWaterCement + "=old"}
        << QStringList{Tiaozheng::referenceCementWater + "=old", Tiaozheng::referenceWaterCement + "=old"}
        << true;
    QTest::newRow("regression equal strengths fail when the slope is 0")
        << Tiaozheng::regressionButton
        << QStringList{Tiaozheng::cementWaterA + "=1",    Tiaozheng::cementWaterB + "=2",
                       Tiaozheng::cementWaterC + "=3",    Tiaozheng::strengthA + "=40",
                       Tiaozheng::strengthB + "=40",      Tiaozheng::strengthC + "=40",
                       Tiaozheng::targetStrength + "=38", Tiaozheng::referenceCementWater + "=old"}
        << QStringList{Tiaozheng::referenceCementWater + "=old"} << true;
    QTest::newRow("regression result 0 fails after the cement-water ratio")
        << Tiaozheng::regressionButton
        << QStringList{Tiaozheng::cementWaterA + "=1",  Tiaozheng::cementWaterB + "=2",
                       Tiaozheng::cementWaterC + "=3",  Tiaozheng::strengthA + "=10",
                       Tiaozheng::strengthB + "=20",    Tiaozheng::strengthC + "=30",
                       Tiaozheng::targetStrength + "=", Tiaozheng::referenceWaterCement + "=old"}
        << QStringList{Tiaozheng::referenceCementWater + "=0.00", Tiaozheng::referenceWaterCement + "=old"}
        << true;
    QTest::newRow("regression groups thousands")
        << Tiaozheng::regressionButton
        << QStringList{Tiaozheng::cementWaterA + "=1",      Tiaozheng::cementWaterB + "=2",
                       Tiaozheng::cementWaterC + "=3",      Tiaozheng::strengthA + "=10",
                       Tiaozheng::strengthB + "=20",        Tiaozheng::strengthC + "=30",
                       Tiaozheng::targetStrength + "=12345"}
        << QStringList{Tiaozheng::referenceCementWater + "=1,234.50",
                       Tiaozheng::referenceWaterCement + "=0.00"}
        << false;

    QTest::newRow("take over parameters as typed")
        << Tiaozheng::takeParametersButton
        << QStringList{Tiaozheng::mixWater + "=185kg",
                       Tiaozheng::pasteChange + "=多加",
                       Tiaozheng::pastePercent + "=5",
                       Tiaozheng::referenceWaterCement + "=0.55",
                       Tiaozheng::referenceCementWater + "=1.82",
                       Tiaozheng::parameterCementWater + "=x"}
        << QStringList{Tiaozheng::parameterWater + "=185kg", Tiaozheng::parameterPasteChange + "=多加",
                       Tiaozheng::parameterPastePercent + "=5", Tiaozheng::parameterWaterCement + "=0.55",
                       Tiaozheng::parameterCementWater + "=1.82"}
        << false;

    const QStringList corr = {Tiaozheng::parameterWater + "=185", Tiaozheng::parameterPastePercent + "=5",
                              Tiaozheng::parameterWaterCement + "=0.55"};
    QTest::newRow("correction increase")
        << Tiaozheng::correctWaterCementButton
        << (corr + QStringList{Tiaozheng::parameterPasteChange + "=增加"})
        << QStringList{Tiaozheng::correctedWater + "=194", Tiaozheng::correctedCement + "=353",
                       Tiaozheng::parameterCementWater + "=1.82"}
        << false;
    QTest::newRow("correction decrease")
        << Tiaozheng::correctWaterCementButton
        << (corr + QStringList{Tiaozheng::parameterPasteChange + "=减少"})
        << QStringList{Tiaozheng::correctedWater + "=176", Tiaozheng::correctedCement + "=320"} << false;
    QTest::newRow("correction unchanged keeps decimals")
        << Tiaozheng::correctWaterCementButton
        << QStringList{Tiaozheng::parameterWater + "=185.5", Tiaozheng::parameterPastePercent + "=5",
                       Tiaozheng::parameterWaterCement + "=0.5", Tiaozheng::parameterPasteChange + "=不变"}
        << QStringList{Tiaozheng::correctedWater + "=185.5", Tiaozheng::correctedCement + "=371",
                       Tiaozheng::parameterCementWater + "=2.00"}
        << false;
    QTest::newRow("correction unknown change keeps the water")
        << Tiaozheng::correctWaterCementButton
        << (corr + QStringList{Tiaozheng::parameterPasteChange + "=多加", Tiaozheng::correctedWater + "=200"})
        << QStringList{Tiaozheng::correctedWater + "=200", Tiaozheng::correctedCement + "=364",
                       Tiaozheng::parameterCementWater + "=1.82"}
        << false;
    QTest::newRow("correction without ratio fails after the water")
        << Tiaozheng::correctWaterCementButton
        << QStringList{Tiaozheng::parameterWater + "=185", Tiaozheng::parameterPastePercent + "=5",
                       Tiaozheng::parameterPasteChange + "=增加", Tiaozheng::correctedCement + "=old"}
        << QStringList{Tiaozheng::correctedWater + "=194", Tiaozheng::correctedCement + "=old"} << true;

    const QStringList volume = {Tiaozheng::correctedWater + "=194", Tiaozheng::correctedCement + "=353",
                                Tiaozheng::cementDensity + "=3.1",  Tiaozheng::sandDensity + "=2.65",
                                Tiaozheng::stoneDensity + "=2.7",   Tiaozheng::airContent + "=1",
                                Tiaozheng::sandRatio + "=0.33"};
    auto with = [&volume](const QString& change) {
        QStringList list = volume;
        const QString name = change.left(change.indexOf(u'=') + 1);
        for (QString& entry : list)
            if (entry.startsWith(name))
                entry = change;
        return list + QStringList{Tiaozheng::volumeSand + "=old", Tiaozheng::volumeStone + "=old"};
    };
    QTest::newRow("absolute volume demo")
        << Tiaozheng::absoluteVolumeButton << volume
        << QStringList{Tiaozheng::volumeSand + "=604", Tiaozheng::volumeStone + "=1226"} << false;
    QTest::newRow("absolute volume blanks around numbers")
        << Tiaozheng::absoluteVolumeButton << with(Tiaozheng::cementDensity + "= 3.1 ")
        << QStringList{Tiaozheng::volumeSand + "=604"} << false;
    for (const QString& bad : QStringList{
             Tiaozheng::correctedWater + "=", Tiaozheng::correctedCement + "=353kg",
             Tiaozheng::cementDensity + "=abc", Tiaozheng::airContent + "=", Tiaozheng::sandRatio + "=0.33%"})
        QTest::newRow(qPrintable(QStringLiteral("absolute volume strict ") + bad))
            << Tiaozheng::absoluteVolumeButton << with(bad)
            << QStringList{Tiaozheng::volumeSand + "=old", Tiaozheng::volumeStone + "=old"} << true;
    QTest::newRow("absolute volume cement density 0")
        << Tiaozheng::absoluteVolumeButton << with(Tiaozheng::cementDensity + "=0")
        << QStringList{Tiaozheng::volumeSand + "=old", Tiaozheng::volumeStone + "=old"} << true;
    QTest::newRow("absolute volume sand density 0")
        << Tiaozheng::absoluteVolumeButton << with(Tiaozheng::sandDensity + "=0")
        << QStringList{Tiaozheng::volumeSand + "=old"} << true;
    QTest::newRow("absolute volume sand ratio as percent")
        << Tiaozheng::absoluteVolumeButton << with(Tiaozheng::sandRatio + "=33")
        << QStringList{Tiaozheng::volumeSand + "=37456", Tiaozheng::volumeStone + "=-36321"} << false;

    const QStringList base = {Tiaozheng::correctedWater + "=194", Tiaozheng::correctedCement + "=353",
                              Tiaozheng::volumeSand + "=604", Tiaozheng::volumeStone + "=1226"};
    QTest::newRow("density correction demo")
        << Tiaozheng::densityCorrectionButton << (base + QStringList{Tiaozheng::measuredDensity + "=2400"})
        << QStringList{Tiaozheng::computedDensity + "=2377", Tiaozheng::densityFactor + "=1.010",
                       Tiaozheng::labCement + "=357",        Tiaozheng::labWater + "=196",
                       Tiaozheng::labSand + "=610",          Tiaozheng::labStone + "=1238",
                       Tiaozheng::labCementRatio + "=1.00",  Tiaozheng::labWaterRatio + "=0.55",
                       Tiaozheng::labSandRatio + "=1.71",    Tiaozheng::labStoneRatio + "=3.47"}
        << false;
    QTest::newRow("density correction nothing computed")
        << Tiaozheng::densityCorrectionButton
        << QStringList{Tiaozheng::measuredDensity + "=2400", Tiaozheng::densityFactor + "=old"}
        << QStringList{Tiaozheng::computedDensity + "=0", Tiaozheng::densityFactor + "=old"} << true;
    QTest::newRow("density correction without measured density")
        << Tiaozheng::densityCorrectionButton << (base + QStringList{Tiaozheng::labCementRatio + "=old"})
        << QStringList{Tiaozheng::computedDensity + "=2377", Tiaozheng::densityFactor + "=0.000",
                       Tiaozheng::labCement + "=0", Tiaozheng::labStone + "=0",
                       Tiaozheng::labCementRatio + "=old"}
        << true;

    QTest::newRow("no correction copies and keeps the ratios")
        << Tiaozheng::keepUncorrectedButton
        << (base + QStringList{Tiaozheng::labCementRatio + "=1.00", Tiaozheng::labSandRatio + "=1.71",
                               Tiaozheng::correctedWater + "=194.0"})
        << QStringList{Tiaozheng::labCement + "=353",       Tiaozheng::labWater + "=194.0",
                       Tiaozheng::labSand + "=604",         Tiaozheng::labStone + "=1226",
                       Tiaozheng::labCementRatio + "=1.00", Tiaozheng::labSandRatio + "=1.71"}
        << false;

    const QStringList lab = {Tiaozheng::labCement + "=357", Tiaozheng::labWater + "=196",
                             Tiaozheng::labSand + "=610", Tiaozheng::labStone + "=1238"};
    QTest::newRow("site mix demo")
        << Tiaozheng::siteMixButton
        << (lab + QStringList{Tiaozheng::sandMoisture + "=5", Tiaozheng::stoneMoisture + "=1"})
        << QStringList{Tiaozheng::siteCement + "=357",       Tiaozheng::siteSand + "=641",
                       Tiaozheng::siteStone + "=1250",       Tiaozheng::siteWater + "=153",
                       Tiaozheng::siteCementRatio + "=1.00", Tiaozheng::siteWaterRatio + "=0.43",
                       Tiaozheng::siteSandRatio + "=1.80",   Tiaozheng::siteStoneRatio + "=3.50"}
        << false;
    QTest::newRow("site mix dry aggregates")
        << Tiaozheng::siteMixButton
        << QStringList{Tiaozheng::labCement + "=356.6", Tiaozheng::labWater + "=196.4",
                       Tiaozheng::labSand + "=610", Tiaozheng::labStone + "=1238"}
        << QStringList{Tiaozheng::siteCement + "=357",      Tiaozheng::siteWater + "=196",
                       Tiaozheng::siteSand + "=610",        Tiaozheng::siteStone + "=1238",
                       Tiaozheng::siteWaterRatio + "=0.55", Tiaozheng::siteStoneRatio + "=3.47"}
        << false;
    QTest::newRow("site mix very wet aggregates give negative water")
        << Tiaozheng::siteMixButton
        << (lab + QStringList{Tiaozheng::sandMoisture + "=30", Tiaozheng::stoneMoisture + "=2"})
        << QStringList{Tiaozheng::siteWater + "=-12", Tiaozheng::siteWaterRatio + "=-0.03"} << false;
    QTest::newRow("site mix without cement fails at the ratios")
        << Tiaozheng::siteMixButton
        << QStringList{Tiaozheng::labWater + "=196", Tiaozheng::labSand + "=610",
                       Tiaozheng::labStone + "=1238", Tiaozheng::sandMoisture + "=5",
                       Tiaozheng::siteCementRatio + "=old"}
        << QStringList{Tiaozheng::siteCement + "=0", Tiaozheng::siteSand + "=641",
                       Tiaozheng::siteStone + "=1238", Tiaozheng::siteWater + "=166",
                       Tiaozheng::siteCementRatio + "=old"}
        << true;
    QTest::newRow("overflow fails instead of writing inf")
        << Tiaozheng::siteMixButton
        << QStringList{Tiaozheng::labCement + "=1", Tiaozheng::labSand + "=1e308",
                       Tiaozheng::sandMoisture + "=1e10", Tiaozheng::siteSand + "=old"}
        << QStringList{Tiaozheng::siteCement + "=1", Tiaozheng::siteSand + "=old"} << true;
}

void TestAdjustSteps::steps() {
    QFETCH(QString, command);
    QFETCH(QStringList, given);
    QFETCH(QStringList, expected);
    QFETCH(bool, fails);

    MapFields fields(MixAdjustment::controlNames());
    apply(fields, given);
    ScriptedPrompter prompter;
    prompter.queueAnswer(MessageButton::Yes);
    if (fails)
        prompter.queueAnswer(MessageButton::Ok);
    MixAdjustment adjustment(fields, prompter);
    (adjustment.*adjustCommands().value(command))();

    for (const QString& e : expected) {
        const qsizetype eq = e.indexOf(u'=');
        QCOMPARE(fields.text(e.left(eq)), e.mid(eq + 1));
    }
    QCOMPARE(prompter.messages().size(), fails ? 2 : 1);
    if (fails)
        QCOMPARE(prompter.messages().last().text, kFailure);
    for (const QString& name : MixAdjustment::controlNames())
        QVERIFY2(!fields.highlighted(name), qPrintable(name));
}

void TestAdjustSteps::writeOrder_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("step 3") << Tiaozheng::workabilityButton
                            << QStringList{Tiaozheng::pasteChange + "=增加", Tiaozheng::trialCement + "=5",
                                           Tiaozheng::trialWater + "=2"}
                            << QStringList{Tiaozheng::adjustedCement,  Tiaozheng::adjustedWater,
                                           Tiaozheng::adjustedSand,    Tiaozheng::adjustedStone,
                                           Tiaozheng::baseCementRatio, Tiaozheng::baseSandRatio,
                                           Tiaozheng::baseStoneRatio,  Tiaozheng::baseWaterRatio};
    QTest::newRow("groups") << Tiaozheng::strengthGroupsButton
                            << QStringList{Tiaozheng::groupRatio + "=0.5", Tiaozheng::ratioSpread + "=0.05",
                                           Tiaozheng::groupWater + "=3"}
                            << QStringList{
                                   Tiaozheng::ratioB,       Tiaozheng::ratioA,       Tiaozheng::ratioC,
                                   Tiaozheng::cementWaterA, Tiaozheng::cementWaterB, Tiaozheng::cementWaterC,
                                   Tiaozheng::cementA,      Tiaozheng::cementB,      Tiaozheng::cementC};
    QTest::newRow("density correction")
        << Tiaozheng::densityCorrectionButton
        << QStringList{Tiaozheng::correctedWater + "=1", Tiaozheng::correctedCement + "=1",
                       Tiaozheng::volumeSand + "=1", Tiaozheng::volumeStone + "=1",
                       Tiaozheng::measuredDensity + "=4"}
        << QStringList{Tiaozheng::computedDensity, Tiaozheng::densityFactor, Tiaozheng::labCement,
                       Tiaozheng::labWater,        Tiaozheng::labSand,       Tiaozheng::labStone,
                       Tiaozheng::labCementRatio,  Tiaozheng::labWaterRatio, Tiaozheng::labSandRatio,
                       Tiaozheng::labStoneRatio};
    QTest::newRow("site mix") << Tiaozheng::siteMixButton << QStringList{Tiaozheng::labCement + "=1"}
                              << QStringList{Tiaozheng::siteCement,      Tiaozheng::siteSand,
                                             Tiaozheng::siteStone,       Tiaozheng::siteWater,
                                             Tiaozheng::siteCementRatio, Tiaozheng::siteWaterRatio,
                                             Tiaozheng::siteSandRatio,   Tiaozheng::siteStoneRatio};
}

void TestAdjustSteps::writeOrder() {
    QFETCH(QString, command);
    QFETCH(QStringList, given);
    QFETCH(QStringList, order);

    MapFields fields(MixAdjustment::controlNames());
    apply(fields, given);
    fields.clearWrites();
    ScriptedPrompter prompter;
    prompter.queueAnswer(MessageButton::Yes);
    MixAdjustment adjustment(fields, prompter);
    (adjustment.*adjustCommands().value(command))();
    QCOMPARE(fields.writes(), order);
}

// The worked example run through every step, in order, as the user would.
void TestAdjustSteps::workedExampleEndToEnd() {
    MapFields fields(MixAdjustment::controlNames());
    ScriptedPrompter prompter;
    MixAdjustment adjustment(fields, prompter);
    adjustment.load(QDate(2026, 12, 7));
    adjustment.workedExample();
    QCOMPARE(prompter.messages().size(), 0);

    const QList<QPair<AdjustCommand, QStringList>> run = {
        {&MixAdjustment::trialBatch,
         {Tiaozheng::trialCement + "=5.145", Tiaozheng::trialWater + "=2.775",
          Tiaozheng::trialSand + "=9.195", Tiaozheng::trialStone + "=18.765"}},
        {&MixAdjustment::workability,
         {Tiaozheng::adjustedCement + "=5.402", Tiaozheng::adjustedWater + "=2.914",
          Tiaozheng::adjustedSand + "=9.195", Tiaozheng::adjustedStone + "=18.765",
          Tiaozheng::baseCementRatio + "=1.00", Tiaozheng::baseSandRatio + "=1.70",
          Tiaozheng::baseStoneRatio + "=3.47", Tiaozheng::baseWaterRatio + "=0.54"}},
        {&MixAdjustment::strengthGroups,
         {Tiaozheng::ratioA + "=0.59", Tiaozheng::ratioB + "=0.54", Tiaozheng::ratioC + "=0.49",
          Tiaozheng::cementWaterA + "=1.69", Tiaozheng::cementWaterB + "=1.85",
          Tiaozheng::cementWaterC + "=2.04", Tiaozheng::cementA + "=4.95", Tiaozheng::cementB + "=5.41",
          Tiaozheng::cementC + "=5.96"}},
        {&MixAdjustment::regression,
         {Tiaozheng::referenceCementWater + "=1.82", Tiaozheng::referenceWaterCement + "=0.55"}},
        {&MixAdjustment::takeParameters,
         {Tiaozheng::parameterWater + "=185", Tiaozheng::parameterPasteChange + "=增加",
          Tiaozheng::parameterPastePercent + "=5", Tiaozheng::parameterWaterCement + "=0.55",
          Tiaozheng::parameterCementWater + "=1.82"}},
        {&MixAdjustment::correctWaterCement,
         {Tiaozheng::correctedWater + "=194", Tiaozheng::correctedCement + "=353",
          Tiaozheng::parameterCementWater + "=1.82"}},
        {&MixAdjustment::absoluteVolume, {Tiaozheng::volumeSand + "=604", Tiaozheng::volumeStone + "=1226"}},
        {&MixAdjustment::densityCorrection,
         {Tiaozheng::computedDensity + "=2377", Tiaozheng::densityFactor + "=1.010",
          Tiaozheng::labCement + "=357", Tiaozheng::labWater + "=196", Tiaozheng::labSand + "=610",
          Tiaozheng::labStone + "=1238", Tiaozheng::labCementRatio + "=1.00",
          Tiaozheng::labSandRatio + "=1.71", Tiaozheng::labStoneRatio + "=3.47",
          Tiaozheng::labWaterRatio + "=0.55"}},
        {&MixAdjustment::siteMix,
         {Tiaozheng::siteCement + "=357", Tiaozheng::siteWater + "=153", Tiaozheng::siteSand + "=641",
          Tiaozheng::siteStone + "=1250", Tiaozheng::siteCementRatio + "=1.00",
          Tiaozheng::siteWaterRatio + "=0.43", Tiaozheng::siteSandRatio + "=1.80",
          Tiaozheng::siteStoneRatio + "=3.50"}},
    };
    for (const auto& [command, expected] : run) {
        if (command == &MixAdjustment::densityCorrection)
            fields.setText(Tiaozheng::measuredDensity, "2400");
        prompter.queueAnswer(MessageButton::Yes);
        (adjustment.*command)();
        for (const QString& e : expected) {
            const qsizetype eq = e.indexOf(u'=');
            QCOMPARE(fields.text(e.left(eq)), e.mid(eq + 1));
        }
    }
    QCOMPARE(prompter.messages().size(), run.size());
}

QTEST_GUILESS_MAIN(TestAdjustSteps)
#include "test_adjust_steps.moc"
