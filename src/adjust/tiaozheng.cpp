#include "adjust/tiaozheng.h"

const QList<Control>& Tiaozheng::controls() {
    static const QList<Control> all = {
        {mixCement, ControlKind::Field},
        {mixWater, ControlKind::Field},
        {mixSand, ControlKind::Field},
        {mixStone, ControlKind::Field},
        {trialVolume, ControlKind::Field},
        {trialCement, ControlKind::Field},
        {trialWater, ControlKind::Field},
        {trialSand, ControlKind::Field},
        {trialStone, ControlKind::Field},
        {pasteChange, ControlKind::List},
        {pastePercent, ControlKind::Field},
        {adjustedCement, ControlKind::Field},
        {adjustedWater, ControlKind::Field},
        {adjustedSand, ControlKind::Field},
        {adjustedStone, ControlKind::Field},
        {baseCementRatio, ControlKind::Field},
        {baseSandRatio, ControlKind::Field},
        {baseStoneRatio, ControlKind::Field},
        {baseWaterRatio, ControlKind::Field},
        {groupRatio, ControlKind::Field},
        {ratioSpread, ControlKind::Field},
        {groupWater, ControlKind::Field},
        {ratioA, ControlKind::Field},
        {ratioB, ControlKind::Field},
        {ratioC, ControlKind::Field},
        {cementWaterA, ControlKind::Field},
        {cementWaterB, ControlKind::Field},
        {cementWaterC, ControlKind::Field},
        {cementA, ControlKind::Field},
        {cementB, ControlKind::Field},
        {cementC, ControlKind::Field},
        {strengthA, ControlKind::Field},
        {strengthB, ControlKind::Field},
        {strengthC, ControlKind::Field},
        {targetStrength, ControlKind::Field},
        {referenceCementWater, ControlKind::Field},
        {referenceWaterCement, ControlKind::Field},
        {correctedWater, ControlKind::Field},
        {correctedCement, ControlKind::Field},
        {cementDensity, ControlKind::Field},
        {sandDensity, ControlKind::Field},
        {stoneDensity, ControlKind::Field},
        {airContent, ControlKind::Field},
        {sandRatio, ControlKind::Field},
        {volumeSand, ControlKind::Field},
        {volumeStone, ControlKind::Field},
        {parameterWater, ControlKind::Field},
        {parameterPasteChange, ControlKind::List},
        {parameterPastePercent, ControlKind::Field},
        {parameterWaterCement, ControlKind::Field},
        {parameterCementWater, ControlKind::Field},
        {measuredDensity, ControlKind::Field},
        {computedDensity, ControlKind::Field},
        {densityFactor, ControlKind::Field},
        {labCement, ControlKind::Field},
        {labWater, ControlKind::Field},
        {labSand, ControlKind::Field},
        {labStone, ControlKind::Field},
        {labCementRatio, ControlKind::Field},
        {labSandRatio, ControlKind::Field},
        {labStoneRatio, ControlKind::Field},
        {labWaterRatio, ControlKind::Field},
        {sandMoisture, ControlKind::Field},
        {stoneMoisture, ControlKind::Field},
        {siteCement, ControlKind::Field},
        {siteWater, ControlKind::Field},
        {siteSand, ControlKind::Field},
        {siteStone, ControlKind::Field},
        {siteCementRatio, ControlKind::Field},
        {siteWaterRatio, ControlKind::Field},
        {siteSandRatio, ControlKind::Field},
        {siteStoneRatio, ControlKind::Field},
        {fileName, ControlKind::Field},
        {chosenPath, ControlKind::Field},
        {chosenStem, ControlKind::Field},
        {dateTag, ControlKind::Label},
        {dateTagLabel, ControlKind::Label},
        {fileNameLabel, ControlKind::Label},
        {saveHintLabel, ControlKind::Label},
        {workedExampleButton, ControlKind::Button},
        {trialBatchButton, ControlKind::Button},
        {workabilityButton, ControlKind::Button},
        {strengthGroupsButton, ControlKind::Button},
        {regressionButton, ControlKind::Button},
        {chartButton, ControlKind::Button},
        {takeParametersButton, ControlKind::Button},
        {correctWaterCementButton, ControlKind::Button},
        {absoluteVolumeButton, ControlKind::Button},
        {densityCorrectionButton, ControlKind::Button},
        {keepUncorrectedButton, ControlKind::Button},
        {siteMixButton, ControlKind::Button},
        {exportConstructionButton, ControlKind::Button},
        {exportLaboratoryButton, ControlKind::Button},
        {chooseFileButton, ControlKind::Button},
        {importWorkbookButton, ControlKind::Button},
        {step1Frame, ControlKind::Frame},
        {step2Frame, ControlKind::Frame},
        {step3Frame, ControlKind::Frame},
        {baseMixFrame, ControlKind::Frame},
        {step4Frame, ControlKind::Frame},
        {regressionFrame, ControlKind::Frame},
        {step5Frame, ControlKind::Frame},
        {parameterFrame, ControlKind::Frame},
        {correctionFrame, ControlKind::Frame},
        {labMixFrame, ControlKind::Frame},
        {step6Frame, ControlKind::Frame},
        {siteMixFrame, ControlKind::Frame},
        {fileFrame, ControlKind::Frame},
    };
    return all;
}

QStringList Tiaozheng::mixMasses() { return {mixCement, mixWater, mixSand, mixStone}; }
QStringList Tiaozheng::trialMasses() { return {trialCement, trialWater, trialSand, trialStone}; }
QStringList Tiaozheng::adjustedMasses() {
    return {adjustedCement, adjustedWater, adjustedSand, adjustedStone};
}
QStringList Tiaozheng::baseRatios() {
    return {baseCementRatio, baseSandRatio, baseStoneRatio, baseWaterRatio};
}
QStringList Tiaozheng::groupRatios() { return {ratioA, ratioB, ratioC}; }
QStringList Tiaozheng::groupCementWaters() { return {cementWaterA, cementWaterB, cementWaterC}; }
QStringList Tiaozheng::groupCements() { return {cementA, cementB, cementC}; }
QStringList Tiaozheng::groupStrengths() { return {strengthA, strengthB, strengthC}; }
QStringList Tiaozheng::volumeInputs() {
    return {correctedWater, correctedCement, cementDensity, sandDensity, stoneDensity, airContent, sandRatio};
}
QStringList Tiaozheng::labMasses() { return {labCement, labWater, labSand, labStone}; }
QStringList Tiaozheng::labRatios() { return {labCementRatio, labSandRatio, labStoneRatio, labWaterRatio}; }
QStringList Tiaozheng::siteMasses() { return {siteCement, siteWater, siteSand, siteStone}; }
QStringList Tiaozheng::siteRatios() {
    return {siteCementRatio, siteSandRatio, siteStoneRatio, siteWaterRatio};
}
