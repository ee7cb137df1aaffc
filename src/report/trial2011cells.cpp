#include "report/trial2011cells.h"

#include "trial2011/trial2011controls.h"

namespace {

using namespace Trial2011;

// The record's rows: the special requirements take one more row of inputs on the first page and the row of
// their check on the second; the rows below are counted as without them.
int at(int row) {
    if (row < 20 || (row >= 50 && row < 90))
        return row;
    return row + 1;
}

std::vector<Trial2011Cell> makeCells() {
    std::vector<Trial2011Cell> cells = {{2, 3, recordName}, {2, 10, QString()}, {3, 3, designName}};
    // Materials.
    int row = 5;
    for (const QString& name :
         {cementSource, sandSource, stoneSource, flyAshSource, slagSource, admixtureSource})
        cells.push_back({row++, 4, name});
    // The preliminary mix's inputs, three a row: label in A–B, value in C–D, and so on.
    const QString inputs[] = {grade,         targetStrength,  cementKind,     environment,     airEntrained,
                              structure,     pumped,          impermeability, frostResistance, frostExposure,
                              massConcrete,  maxSize,         calcWater,      calcBinder,      flyAshPercent,
                              slagPercent,   admixtureDosage, calcSandRatio,  densityMethod,   assumedDensity,
                              densityCement, densityFlyAsh,   densitySlag,    densitySand,     densityStone,
                              airContent,    trialVolume};
    // In their own rows 12 to 20; every later row is placed by at() below.
    std::vector<Trial2011Cell> grid;
    for (int i = 0; i < int(std::size(inputs)); ++i)
        grid.push_back({12 + i / 3, 3 + 4 * (i % 3), inputs[i]});
    // The preliminary mix per m³ and per batch: 水泥 粉煤灰 矿渣粉 砂 碎石 水 外加剂 水胶比 表观密度.
    const QString perCubicMetre[] = {calcCement, calcFlyAsh,    calcSlag, calcSand,   calcStone,
                                     calcWater,  calcAdmixture, calcWb,   calcDensity};
    const QString perBatch[] = {batchCement, batchFlyAsh,    batchSlag, batchSand, batchStone,
                                batchWater,  batchAdmixture, QString(), QString()};
    for (int i = 0; i < 9; ++i) {
        if (!perCubicMetre[i].isEmpty())
            cells.push_back({21, 3 + i, perCubicMetre[i]});
        if (!perBatch[i].isEmpty())
            cells.push_back({22, 3 + i, perBatch[i]});
    }
    // The workability adjustment.
    const QString adjustment[] = {measuredSlump, pasteChange, sandRatioChange, trialAdmixtureDosage,
                                  adjustedSlump};
    for (int i = 0; i < 5; ++i)
        cells.push_back({24 + i / 3, 3 + 4 * (i % 3), adjustment[i]});
    // The three mixes, the age and the strengths.
    cells.push_back({27, 4, testAge});
    for (int r = 1; r <= mixRows; ++r)
        for (int c = 1; c <= mixColumns; ++c)
            cells.push_back({28 + r, 1 + 3 * c, mixCell(r, c)});
    cells.push_back({47, 4, strengthA});
    cells.push_back({47, 7, strengthB});
    cells.push_back({47, 10, strengthC});

    // Second page: the regression.
    cells.push_back({51, 3, regressionLine});
    cells.push_back({52, 3, slope});
    cells.push_back({52, 7, intercept});
    cells.push_back({52, 11, correlation});
    cells.push_back({53, 3, bwForTarget});
    cells.push_back({53, 7, wbForTarget});
    cells.push_back({53, 11, bwChosen});
    cells.push_back({54, 1, checkRange});
    // The design mix (the chart takes rows 57 to 74).
    cells.push_back({77, 3, measuredDensity});
    cells.push_back({77, 7, wbChosen});
    cells.push_back({77, 11, strengthAtChosen});
    const QString adjusted[] = {adjCement, adjFlyAsh,    adjSlag,   adjSand,     adjStone,
                                adjWater,  adjAdmixture, adjBinder, adjSandRatio};
    const QString final[] = {finalCement, finalFlyAsh, finalSlag,     finalSand,
                             finalStone,  finalWater,  finalAdmixture};
    for (int i = 0; i < 9; ++i)
        cells.push_back({79, 3 + i, adjusted[i]});
    for (int i = 0; i < 7; ++i)
        cells.push_back({80, 3 + i, final[i]});
    cells.push_back({79, 12, wbChosen});
    cells.push_back({80, 12, finalWb});
    cells.push_back({81, 3, densityCalculated});
    cells.push_back({81, 7, correctionFactor});
    cells.push_back({81, 11, densityDeviation});
    cells.push_back({82, 1, densityNote});
    cells.push_back({83, 3, finalMixLine});
    cells.push_back({84, 3, finalProportion});
    row = 85;
    for (const QString& name : {checkChosen, checkWb, checkBinder, checkMineral, checkPump})
        cells.push_back({row++, 1, name});
    // The site mix.
    cells.push_back({91, 3, sandMoisture});
    cells.push_back({91, 7, stoneMoisture});
    cells.push_back({91, 11, admixtureWater});
    const QString site[] = {siteCement, siteFlyAsh, siteSlag, siteSand, siteStone, siteWater, siteAdmixture};
    for (int i = 0; i < 7; ++i)
        cells.push_back({93, 3 + i, site[i]});
    cells.push_back({94, 3, siteMixLine});
    for (Trial2011Cell& cell : cells)
        cell.row = at(cell.row);
    cells.insert(cells.begin() + 9, grid.begin(), grid.end());
    cells.push_back({90, 1, checkSpecial});
    return cells;
}

} // namespace

const std::vector<Trial2011Cell>& trial2011Cells() {
    static const std::vector<Trial2011Cell> cells = makeCells();
    return cells;
}
