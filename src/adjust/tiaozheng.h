#pragma once

#include "common/controls.h"

#include <QStringList>

// The controls of the adjustment window tiaozheng by their role. Every control name of the window is
// written here and nowhere else.
namespace Tiaozheng {

// The window itself.
inline const QString window = QStringLiteral("tiaozheng");
// Step 1: the preliminary mix.
inline const QString mixCement = QStringLiteral("Text1");
inline const QString mixWater = QStringLiteral("Text2");
inline const QString mixSand = QStringLiteral("Text3");
inline const QString mixStone = QStringLiteral("Text4");
// Step 2: trial batch volume and quantities.
inline const QString trialVolume = QStringLiteral("Text5");
inline const QString trialCement = QStringLiteral("Text6");
inline const QString trialWater = QStringLiteral("Text7");
inline const QString trialSand = QStringLiteral("Text8");
inline const QString trialStone = QStringLiteral("Text9");
// Step 3: paste change and the adjusted trial batch.
inline const QString pasteChange = QStringLiteral("Combo1");
inline const QString pastePercent = QStringLiteral("Text11");
inline const QString adjustedCement = QStringLiteral("Text12");
inline const QString adjustedWater = QStringLiteral("Text13");
inline const QString adjustedSand = QStringLiteral("Text14");
inline const QString adjustedStone = QStringLiteral("Text15");
// The adjusted base mix as ratios to the cement.
inline const QString baseCementRatio = QStringLiteral("Text16");
inline const QString baseSandRatio = QStringLiteral("Text17");
inline const QString baseStoneRatio = QStringLiteral("Text18");
inline const QString baseWaterRatio = QStringLiteral("Text19");
// Step 4: middle ratio, spread and unit water of the three groups.
inline const QString groupRatio = QStringLiteral("Text20");
inline const QString ratioSpread = QStringLiteral("Text21");
inline const QString groupWater = QStringLiteral("Text31");
inline const QString ratioA = QStringLiteral("Text22");
inline const QString ratioB = QStringLiteral("Text23");
inline const QString ratioC = QStringLiteral("Text24");
inline const QString cementWaterA = QStringLiteral("Text25");
inline const QString cementWaterB = QStringLiteral("Text26");
inline const QString cementWaterC = QStringLiteral("Text27");
inline const QString cementA = QStringLiteral("Text28");
inline const QString cementB = QStringLiteral("Text29");
inline const QString cementC = QStringLiteral("Text30");
inline const QString strengthA = QStringLiteral("Text32");
inline const QString strengthB = QStringLiteral("Text33");
inline const QString strengthC = QStringLiteral("Text34");
// Regression: target strength and the reference ratios.
inline const QString targetStrength = QStringLiteral("Text35");
inline const QString referenceCementWater = QStringLiteral("Text67");
inline const QString referenceWaterCement = QStringLiteral("Text68");
// Step 5: inputs of the absolute volume calculation.
inline const QString correctedWater = QStringLiteral("Text36");
inline const QString correctedCement = QStringLiteral("Text37");
inline const QString cementDensity = QStringLiteral("Text38");
inline const QString sandDensity = QStringLiteral("Text39");
inline const QString stoneDensity = QStringLiteral("Text40");
inline const QString airContent = QStringLiteral("Text41");
inline const QString sandRatio = QStringLiteral("Text42");
inline const QString volumeSand = QStringLiteral("Text43");
inline const QString volumeStone = QStringLiteral("Text44");
// Parameters taken from earlier steps.
inline const QString parameterWater = QStringLiteral("Text69");
inline const QString parameterPasteChange = QStringLiteral("Combo2");
inline const QString parameterPastePercent = QStringLiteral("Text70");
inline const QString parameterWaterCement = QStringLiteral("Text71");
inline const QString parameterCementWater = QStringLiteral("Text73");
// Density correction.
inline const QString measuredDensity = QStringLiteral("Text47");
inline const QString computedDensity = QStringLiteral("Text46");
inline const QString densityFactor = QStringLiteral("Text48");
// The laboratory mix.
inline const QString labCement = QStringLiteral("Text49");
inline const QString labWater = QStringLiteral("Text50");
inline const QString labSand = QStringLiteral("Text51");
inline const QString labStone = QStringLiteral("Text52");
inline const QString labCementRatio = QStringLiteral("Text53");
inline const QString labSandRatio = QStringLiteral("Text54");
inline const QString labStoneRatio = QStringLiteral("Text55");
inline const QString labWaterRatio = QStringLiteral("Text56");
// Step 6: moisture and the site mix.
inline const QString sandMoisture = QStringLiteral("Text57");
inline const QString stoneMoisture = QStringLiteral("Text58");
inline const QString siteCement = QStringLiteral("Text59");
inline const QString siteWater = QStringLiteral("Text60");
inline const QString siteSand = QStringLiteral("Text61");
inline const QString siteStone = QStringLiteral("Text62");
inline const QString siteCementRatio = QStringLiteral("Text63");
inline const QString siteWaterRatio = QStringLiteral("Text64");
inline const QString siteSandRatio = QStringLiteral("Text65");
inline const QString siteStoneRatio = QStringLiteral("Text66");
// Workbook file name, chosen data file (hidden) and its stem (hidden).
inline const QString fileName = QStringLiteral("Text75");
inline const QString chosenPath = QStringLiteral("Text72");
inline const QString chosenStem = QStringLiteral("Text74");
// Date tag; click: onto the file name.
inline const QString dateTag = QStringLiteral("Label76");
// Click: date tag onto the file name.
inline const QString dateTagLabel = QStringLiteral("Label77");
inline const QString fileNameLabel = QStringLiteral("Label72");
inline const QString saveHintLabel = QStringLiteral("Label75");
inline const QString workedExampleButton = QStringLiteral("Command16");
inline const QString trialBatchButton = QStringLiteral("Command2");
inline const QString workabilityButton = QStringLiteral("Command1");
inline const QString strengthGroupsButton = QStringLiteral("Command3");
inline const QString regressionButton = QStringLiteral("Command7");
// "作图": the strength chart window.
inline const QString chartButton = QStringLiteral("Command17");
inline const QString takeParametersButton = QStringLiteral("Command8");
inline const QString correctWaterCementButton = QStringLiteral("Command9");
inline const QString absoluteVolumeButton = QStringLiteral("Command4");
inline const QString densityCorrectionButton = QStringLiteral("Command5");
inline const QString keepUncorrectedButton = QStringLiteral("Command15");
inline const QString siteMixButton = QStringLiteral("Command6");
inline const QString exportConstructionButton = QStringLiteral("Command13");
inline const QString exportLaboratoryButton = QStringLiteral("Command14");
inline const QString chooseFileButton = QStringLiteral("Command11");
inline const QString importWorkbookButton = QStringLiteral("Command12");
inline const QString step1Frame = QStringLiteral("Frame1");
inline const QString step2Frame = QStringLiteral("Frame2");
inline const QString step3Frame = QStringLiteral("Frame3");
inline const QString baseMixFrame = QStringLiteral("Frame4");
inline const QString step4Frame = QStringLiteral("Frame5");
inline const QString regressionFrame = QStringLiteral("Frame11");
inline const QString step5Frame = QStringLiteral("Frame6");
inline const QString parameterFrame = QStringLiteral("Frame12");
inline const QString correctionFrame = QStringLiteral("Frame7");
inline const QString labMixFrame = QStringLiteral("Frame8");
inline const QString step6Frame = QStringLiteral("Frame9");
inline const QString siteMixFrame = QStringLiteral("Frame10");
inline const QString fileFrame = QStringLiteral("Frame13");

// Groups of fields as the window shows them: masses are cement, water, sand, stone; ratios to the cement are
// cement, sand, stone, water; the groups' rows are A, B, C.
QStringList mixMasses();
QStringList trialMasses();
QStringList adjustedMasses();
QStringList baseRatios();
QStringList groupRatios();
QStringList groupCementWaters();
QStringList groupCements();
QStringList groupStrengths();
// The inputs of the absolute volume calculation from the water to the sand ratio.
QStringList volumeInputs();
QStringList labMasses();
QStringList labRatios();
QStringList siteMasses();
QStringList siteRatios();

// Every named control of the window with its kind.
const QList<Control>& controls();

} // namespace Tiaozheng
