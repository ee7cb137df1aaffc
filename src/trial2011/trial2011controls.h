#pragma once

#include "design2011/design2011controls.h"

#include <QString>
#include <QStringList>

// The controls of the JGJ 55-2011 trial mixing and adjustment window by their object names. Every control
// name of the window is written here and nowhere else; the inputs it shares with the design window carry the
// same names and list items.
namespace Trial2011 {

inline const QString window = QStringLiteral("trial2011");
inline const QString menuCommand = QStringLiteral("trial2011");
inline const QString note = QStringLiteral("note");

// Step 1 "1、计算配合比" and step 2 "2、试拌与工作性调整": inputs in reading order.
inline const QString grade = Design2011::grade;
inline const QString targetStrength = QStringLiteral("targetStrength");
inline const QString cementKind = Design2011::cementKind;
inline const QString environment = Design2011::environment;
inline const QString airEntrained = Design2011::airEntrained;
inline const QString structure = Design2011::structure;
inline const QString pumped = Design2011::pumped;
inline const QString impermeability = Design2011::impermeability;
inline const QString frostResistance = Design2011::frostResistance;
inline const QString frostExposure = Design2011::frostExposure;
inline const QString massConcrete = Design2011::massConcrete;
inline const QString maxSize = Design2011::maxSize;
inline const QString calcWater = QStringLiteral("calcWater");
inline const QString calcBinder = QStringLiteral("calcBinder");
inline const QString flyAshPercent = Design2011::flyAshPercent;
inline const QString slagPercent = Design2011::slagPercent;
inline const QString admixtureDosage = Design2011::admixtureDosage;
inline const QString calcSandRatio = QStringLiteral("calcSandRatio");
inline const QString densityMethod = Design2011::densityMethod;
inline const QString assumedDensity = Design2011::assumedDensity;
inline const QString densityCement = Design2011::densityCement;
inline const QString densityFlyAsh = Design2011::densityFlyAsh;
inline const QString densitySlag = Design2011::densitySlag;
inline const QString densitySand = Design2011::densitySand;
inline const QString densityStone = Design2011::densityStone;
inline const QString airContent = Design2011::airContent;
inline const QString trialVolume = Design2011::trialVolume;
inline const QString designName = QStringLiteral("designName");
inline const QString cementSource = QStringLiteral("cementSource");
inline const QString sandSource = QStringLiteral("sandSource");
inline const QString stoneSource = QStringLiteral("stoneSource");
inline const QString flyAshSource = QStringLiteral("flyAshSource");
inline const QString slagSource = QStringLiteral("slagSource");
inline const QString admixtureSource = QStringLiteral("admixtureSource");
inline const QString recordName = QStringLiteral("recordName");
inline const QString measuredSlump = QStringLiteral("measuredSlump");
inline const QString pasteChange = QStringLiteral("pasteChange");
inline const QString sandRatioChange = QStringLiteral("sandRatioChange");
inline const QString trialAdmixtureDosage = QStringLiteral("trialAdmixtureDosage");
inline const QString adjustedSlump = QStringLiteral("adjustedSlump");

// Results of steps 1 and 2.
inline const QString calcWb = QStringLiteral("calcWb");
inline const QString calcCement = QStringLiteral("calcCement");
inline const QString calcFlyAsh = QStringLiteral("calcFlyAsh");
inline const QString calcSlag = QStringLiteral("calcSlag");
inline const QString calcSand = QStringLiteral("calcSand");
inline const QString calcStone = QStringLiteral("calcStone");
inline const QString calcDensity = QStringLiteral("calcDensity");
inline const QString calcAdmixture = QStringLiteral("calcAdmixture");
inline const QString batchCement = QStringLiteral("batchCement");
inline const QString batchFlyAsh = QStringLiteral("batchFlyAsh");
inline const QString batchSlag = QStringLiteral("batchSlag");
inline const QString batchSand = QStringLiteral("batchSand");
inline const QString batchStone = QStringLiteral("batchStone");
inline const QString batchWater = QStringLiteral("batchWater");
inline const QString batchAdmixture = QStringLiteral("batchAdmixture");

// The three mixes of the strength check: 18 rows by 3 columns (A, B, C), cells named mixCell(row, column).
inline const QString mixTable = QStringLiteral("mixTable");
constexpr int mixRows = 18;
constexpr int mixColumns = 3;
inline QString mixCell(int row, int column) {
    return mixTable + u'.' + QString::number(row) + u'.' + QString::number(column);
}

// Step 3 "3、强度试验": inputs and results.
inline const QString testAge = QStringLiteral("testAge");
inline const QString strengthA = QStringLiteral("strengthA");
inline const QString strengthB = QStringLiteral("strengthB");
inline const QString strengthC = QStringLiteral("strengthC");
inline const QString slope = QStringLiteral("slope");
inline const QString intercept = QStringLiteral("intercept");
inline const QString correlation = QStringLiteral("correlation");
inline const QString regressionLine = QStringLiteral("regressionLine");
inline const QString bwForTarget = QStringLiteral("bwForTarget");
inline const QString wbForTarget = QStringLiteral("wbForTarget");
inline const QString checkRange = QStringLiteral("checkRange");
inline const QString strengthChart = QStringLiteral("strengthChart");

// Step 4 "4、确定设计配合比".
inline const QString bwChosen = QStringLiteral("bwChosen");
inline const QString measuredDensity = QStringLiteral("measuredDensity");
inline const QString wbChosen = QStringLiteral("wbChosen");
inline const QString strengthAtChosen = QStringLiteral("strengthAtChosen");
inline const QString adjCement = QStringLiteral("adjCement");
inline const QString adjFlyAsh = QStringLiteral("adjFlyAsh");
inline const QString adjSlag = QStringLiteral("adjSlag");
inline const QString adjSand = QStringLiteral("adjSand");
inline const QString adjStone = QStringLiteral("adjStone");
inline const QString adjWater = QStringLiteral("adjWater");
inline const QString adjBinder = QStringLiteral("adjBinder");
inline const QString adjAdmixture = QStringLiteral("adjAdmixture");
inline const QString adjSandRatio = QStringLiteral("adjSandRatio");
inline const QString densityCalculated = QStringLiteral("densityCalculated");
inline const QString correctionFactor = QStringLiteral("correctionFactor");
inline const QString densityDeviation = QStringLiteral("densityDeviation");
inline const QString densityNote = QStringLiteral("densityNote");
inline const QString finalCement = QStringLiteral("finalCement");
inline const QString finalFlyAsh = QStringLiteral("finalFlyAsh");
inline const QString finalSlag = QStringLiteral("finalSlag");
inline const QString finalSand = QStringLiteral("finalSand");
inline const QString finalStone = QStringLiteral("finalStone");
inline const QString finalWater = QStringLiteral("finalWater");
inline const QString finalAdmixture = QStringLiteral("finalAdmixture");
inline const QString finalWb = QStringLiteral("finalWb");
inline const QString finalMixLine = QStringLiteral("finalMixLine");
inline const QString finalProportion = QStringLiteral("finalProportion");
inline const QString checkChosen = QStringLiteral("checkChosen");
inline const QString checkWb = QStringLiteral("checkWb");
inline const QString checkBinder = QStringLiteral("checkBinder");
inline const QString checkMineral = QStringLiteral("checkMineral");
inline const QString checkPump = QStringLiteral("checkPump");
inline const QString checkSpecial = QStringLiteral("checkSpecial");

// Step 5 "5、施工配合比".
inline const QString sandMoisture = QStringLiteral("sandMoisture");
inline const QString stoneMoisture = QStringLiteral("stoneMoisture");
inline const QString admixtureWater = QStringLiteral("admixtureWater");
inline const QString siteCement = QStringLiteral("siteCement");
inline const QString siteFlyAsh = QStringLiteral("siteFlyAsh");
inline const QString siteSlag = QStringLiteral("siteSlag");
inline const QString siteSand = QStringLiteral("siteSand");
inline const QString siteStone = QStringLiteral("siteStone");
inline const QString siteWater = QStringLiteral("siteWater");
inline const QString siteAdmixture = QStringLiteral("siteAdmixture");
inline const QString siteMixLine = QStringLiteral("siteMixLine");

// Commands and the record's state.
inline const QString trialMix = QStringLiteral("trialMix");
inline const QString regress = QStringLiteral("regress");
inline const QString adjust = QStringLiteral("adjust");
inline const QString siteMix = QStringLiteral("siteMix");
inline const QString saveRecord = QStringLiteral("saveRecord");
inline const QString openRecord = QStringLiteral("openRecord");
inline const QString viewRecord = QStringLiteral("viewRecord");
inline const QString recordStatus = QStringLiteral("recordStatus");

inline const QStringList testAges = {QStringLiteral("28"), QStringLiteral("60"), QStringLiteral("90")};

// The inputs of the volume method; enabled only with 体积法.
inline const QStringList volumeMethodFields = Design2011::volumeMethodFields;

// The steps whose results follow their inputs; a change to an input of a step empties that step's results
// and every later step's.
enum class Step { TrialMix = 1, Regress = 3, Adjust = 4, SiteMix = 5 };

// The inputs of steps 1 and 2 in reading order, boxes and lists included; the texts that no step reads are
// separate.
inline QStringList trialMixInputs() {
    return {grade,
            targetStrength,
            cementKind,
            environment,
            airEntrained,
            structure,
            pumped,
            impermeability,
            frostResistance,
            frostExposure,
            massConcrete,
            maxSize,
            calcWater,
            calcBinder,
            flyAshPercent,
            slagPercent,
            admixtureDosage,
            calcSandRatio,
            densityMethod,
            assumedDensity,
            densityCement,
            densityFlyAsh,
            densitySlag,
            densitySand,
            densityStone,
            airContent,
            trialVolume,
            measuredSlump,
            pasteChange,
            sandRatioChange,
            trialAdmixtureDosage,
            adjustedSlump};
}
inline QStringList recordedTexts() {
    return {designName, cementSource,    sandSource, stoneSource, flyAshSource,
            slagSource, admixtureSource, recordName, testAge};
}
inline QStringList regressInputs() { return {strengthA, strengthB, strengthC}; }
inline QStringList adjustInputs() { return {bwChosen, measuredDensity}; }
inline QStringList siteMixInputs() { return {sandMoisture, stoneMoisture, admixtureWater}; }
// Every input in reading order.
inline QStringList inputNames() {
    QStringList names = trialMixInputs();
    names.insert(names.indexOf(measuredSlump), designName);
    for (const QString& text :
         {cementSource, sandSource, stoneSource, flyAshSource, slagSource, admixtureSource, recordName})
        names.insert(names.indexOf(measuredSlump), text);
    return names + QStringList{testAge} + regressInputs() + adjustInputs() + siteMixInputs();
}

inline QStringList trialMixResults() {
    QStringList names = {calcWb,    calcCement,  calcFlyAsh,    calcSlag,    calcSand,
                         calcStone, calcDensity, calcAdmixture, batchCement, batchFlyAsh,
                         batchSlag, batchSand,   batchStone,    batchWater,  batchAdmixture};
    for (int row = 1; row <= mixRows; ++row)
        for (int column = 1; column <= mixColumns; ++column)
            names.append(mixCell(row, column));
    return names;
}
inline QStringList regressResults() {
    return {slope, intercept, correlation, regressionLine, bwForTarget, wbForTarget, checkRange};
}
inline QStringList adjustResults() {
    return {wbChosen,         strengthAtChosen, adjCement,   adjFlyAsh,      adjSlag,      adjSand,
            adjStone,         adjWater,         adjBinder,   adjAdmixture,   adjSandRatio, densityCalculated,
            correctionFactor, densityDeviation, densityNote, finalCement,    finalFlyAsh,  finalSlag,
            finalSand,        finalStone,       finalWater,  finalAdmixture, finalWb,      finalMixLine,
            finalProportion,  checkChosen,      checkWb,     checkBinder,    checkMineral, checkPump,
            checkSpecial};
}
inline QStringList siteMixResults() {
    return {siteCement, siteFlyAsh, siteSlag, siteSand, siteStone, siteWater, siteAdmixture, siteMixLine};
}
inline QStringList checkNames() {
    return {checkRange, checkChosen, checkWb, checkBinder, checkMineral, checkPump, checkSpecial};
}
inline QStringList resultNames() {
    return trialMixResults() + regressResults() + adjustResults() + siteMixResults();
}

} // namespace Trial2011
