#pragma once

#include <QString>
#include <QStringList>

// The controls of the JGJ 55-2011 design window by their object names. Every control name of the window is
// written here and nowhere else.
namespace Design2011 {

inline const QString window = QStringLiteral("design2011");
inline const QString menuCommand = QStringLiteral("jgj2011");

// Inputs, in reading order.
inline const QString grade = QStringLiteral("grade");
inline const QString sigmaFromStatistics = QStringLiteral("sigmaFromStatistics");
inline const QString sigma = QStringLiteral("sigma");
inline const QString cementKind = QStringLiteral("cementKind");
inline const QString cementClass = QStringLiteral("cementClass");
inline const QString gammaC = QStringLiteral("gammaC");
inline const QString fceMeasured = QStringLiteral("fceMeasured");
inline const QString maxSize = QStringLiteral("maxSize");
inline const QString slump = QStringLiteral("slump");
inline const QString waterReduction = QStringLiteral("waterReduction");
inline const QString admixtureDosage = QStringLiteral("admixtureDosage");
inline const QString flyAshPercent = QStringLiteral("flyAshPercent");
inline const QString flyAshGrade = QStringLiteral("flyAshGrade");
inline const QString gammaF = QStringLiteral("gammaF");
inline const QString gammaFRange = QStringLiteral("gammaFRange");
inline const QString slagPercent = QStringLiteral("slagPercent");
inline const QString slagGrade = QStringLiteral("slagGrade");
inline const QString gammaS = QStringLiteral("gammaS");
inline const QString gammaSRange = QStringLiteral("gammaSRange");
inline const QString environment = QStringLiteral("environment");
inline const QString environmentText = QStringLiteral("environmentText");
inline const QString airEntrained = QStringLiteral("airEntrained");
inline const QString structure = QStringLiteral("structure");
inline const QString pumped = QStringLiteral("pumped");
// Special requirements (chapter 7).
inline const QString impermeability = QStringLiteral("impermeability");
inline const QString frostResistance = QStringLiteral("frostResistance");
inline const QString frostExposure = QStringLiteral("frostExposure");
inline const QString massConcrete = QStringLiteral("massConcrete");
inline const QString densityMethod = QStringLiteral("densityMethod");
inline const QString assumedDensity = QStringLiteral("assumedDensity");
inline const QString densityCement = QStringLiteral("densityCement");
inline const QString densityFlyAsh = QStringLiteral("densityFlyAsh");
inline const QString densitySlag = QStringLiteral("densitySlag");
inline const QString densitySand = QStringLiteral("densitySand");
inline const QString densityStone = QStringLiteral("densityStone");
inline const QString airContent = QStringLiteral("airContent");
inline const QString wbOverride = QStringLiteral("wbOverride");
inline const QString sandRatioOverride = QStringLiteral("sandRatioOverride");
inline const QString trialVolume = QStringLiteral("trialVolume");
inline const QString reportName = QStringLiteral("reportName");

// Results.
inline const QString sigmaUsed = QStringLiteral("sigmaUsed");
inline const QString targetStrength = QStringLiteral("targetStrength");
inline const QString fce = QStringLiteral("fce");
inline const QString fb = QStringLiteral("fb");
inline const QString wbCalculated = QStringLiteral("wbCalculated");
inline const QString wbMax = QStringLiteral("wbMax");
inline const QString wb = QStringLiteral("wb");
inline const QString waterTable = QStringLiteral("waterTable");
inline const QString water = QStringLiteral("water");
inline const QString binder = QStringLiteral("binder");
inline const QString flyAsh = QStringLiteral("flyAsh");
inline const QString slag = QStringLiteral("slag");
inline const QString cement = QStringLiteral("cement");
inline const QString admixture = QStringLiteral("admixture");
inline const QString sandRatioTable = QStringLiteral("sandRatioTable");
inline const QString sandRatio = QStringLiteral("sandRatio");
inline const QString sand = QStringLiteral("sand");
inline const QString stone = QStringLiteral("stone");
inline const QString density = QStringLiteral("density");
inline const QString mixLine = QStringLiteral("mixLine");
inline const QString proportion = QStringLiteral("proportion");

// Checks: the system's text colour when they hold, red when they fail.
inline const QString checkWb = QStringLiteral("checkWb");
inline const QString checkGrade = QStringLiteral("checkGrade");
inline const QString checkBinder = QStringLiteral("checkBinder");
inline const QString checkMineral = QStringLiteral("checkMineral");
inline const QString checkPump = QStringLiteral("checkPump");
inline const QString checkSpecial = QStringLiteral("checkSpecial");

// The three trial mixes: 16 rows by 3 columns. A cell is addressed as a field named trialCell(row, column),
// rows and columns from 1.
inline const QString trialTable = QStringLiteral("trialTable");
constexpr int trialRows = 16;
constexpr int trialColumns = 3;
inline QString trialCell(int row, int column) {
    return trialTable + u'.' + QString::number(row) + u'.' + QString::number(column);
}

// Commands and the report's state.
inline const QString calculate = QStringLiteral("calculate");
inline const QString saveReport = QStringLiteral("saveReport");
inline const QString openReport = QStringLiteral("openReport");
inline const QString startTrial = QStringLiteral("startTrial");
inline const QString loadReport = QStringLiteral("loadReport");
inline const QString reportStatus = QStringLiteral("reportStatus");
// The fixed note at the top.
inline const QString note = QStringLiteral("note");

// The list items, in their order.
inline const QStringList grades = {
    QStringLiteral("C10"), QStringLiteral("C15"), QStringLiteral("C20"), QStringLiteral("C25"),
    QStringLiteral("C30"), QStringLiteral("C35"), QStringLiteral("C40"), QStringLiteral("C45"),
    QStringLiteral("C50"), QStringLiteral("C55"), QStringLiteral("C60"), QStringLiteral("C65"),
    QStringLiteral("C70"), QStringLiteral("C75"), QStringLiteral("C80"), QStringLiteral("C85"),
    QStringLiteral("C90"), QStringLiteral("C95"), QStringLiteral("C100")};
inline const QStringList cementKinds = {QStringLiteral("普通硅酸盐水泥"), QStringLiteral("硅酸盐水泥")};
inline const QStringList cementClasses = {QStringLiteral("32.5"), QStringLiteral("42.5"),
                                          QStringLiteral("52.5")};
inline const QStringList maxSizes = {QStringLiteral("16"), QStringLiteral("20"), QStringLiteral("25"),
                                     QStringLiteral("31.5"), QStringLiteral("40")};
inline const QStringList flyAshGrades = {QStringLiteral("Ⅰ级"), QStringLiteral("Ⅱ级")};
inline const QStringList slagGrades = {QStringLiteral("S75"), QStringLiteral("S95"), QStringLiteral("S105")};
inline const QStringList environments = {QStringLiteral("一"), QStringLiteral("二a"), QStringLiteral("二b"),
                                         QStringLiteral("三a"), QStringLiteral("三b")};
inline const QStringList structures = {QStringLiteral("素混凝土"), QStringLiteral("钢筋混凝土"),
                                       QStringLiteral("预应力混凝土")};
inline const QStringList impermeabilities = {QStringLiteral("无"),  QStringLiteral("P6"),
                                             QStringLiteral("P8"),  QStringLiteral("P10"),
                                             QStringLiteral("P12"), QStringLiteral("P12以上")};
inline const QStringList frostResistances = {QStringLiteral("无"), QStringLiteral("F50"),
                                             QStringLiteral("F100"), QStringLiteral("F150及以上")};
inline const QStringList frostExposures = {
    QStringLiteral("一般"), QStringLiteral("潮湿或水位变动的寒冷和严寒环境"), QStringLiteral("盐冻环境")};
inline const QStringList densityMethods = {QStringLiteral("质量法"), QStringLiteral("体积法")};

// The inputs of the volume method; enabled only with 体积法.
inline const QStringList volumeMethodFields = {densityCement, densityFlyAsh, densitySlag,
                                               densitySand,   densityStone,  airContent};

// The inputs of the calculation, in reading order, and the labels that follow them.
inline QStringList inputNames() {
    return {grade,
            sigmaFromStatistics,
            sigma,
            cementKind,
            cementClass,
            gammaC,
            fceMeasured,
            maxSize,
            slump,
            waterReduction,
            admixtureDosage,
            flyAshPercent,
            flyAshGrade,
            gammaF,
            slagPercent,
            slagGrade,
            gammaS,
            environment,
            airEntrained,
            structure,
            pumped,
            impermeability,
            frostResistance,
            frostExposure,
            massConcrete,
            densityMethod,
            assumedDensity,
            densityCement,
            densityFlyAsh,
            densitySlag,
            densitySand,
            densityStone,
            airContent,
            wbOverride,
            sandRatioOverride,
            trialVolume};
}
inline QStringList inputLabels() { return {gammaFRange, gammaSRange, environmentText}; }

// What a calculation writes: the results, the checks and every cell of the trial table.
inline QStringList resultNames() {
    QStringList names = {
        sigmaUsed,      targetStrength, fce,         fb,           wbCalculated, wbMax,       wb,
        waterTable,     water,          binder,      flyAsh,       slag,         cement,      admixture,
        sandRatioTable, sandRatio,      sand,        stone,        density,      mixLine,     proportion,
        checkWb,        checkGrade,     checkBinder, checkMineral, checkPump,    checkSpecial};
    for (int row = 1; row <= trialRows; ++row)
        for (int column = 1; column <= trialColumns; ++column)
            names.append(trialCell(row, column));
    return names;
}

} // namespace Design2011
