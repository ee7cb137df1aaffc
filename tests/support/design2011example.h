#pragma once

#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design2011/design2011controls.h"
#include "design2011/design2011form.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <stdexcept>

// The JGJ 55-2011 window's fields, labels and boxes, for the calculation sheet run over MapFields.
inline QStringList design2011FieldNames() {
    using namespace Design2011;
    return inputNames() + inputLabels() + QStringList{reportName} + resultNames() +
           QStringList{reportStatus, note};
}

// The window after 计算 with its initial inputs (the first worked example), report name
// "JGJ55-2011-2026-12-8". The side columns of the trial table are those of W/B 0.50 and 0.60.
inline QList<QPair<QString, QString>> design2011Example() {
    using namespace Design2011;
    QList<QPair<QString, QString>> texts = {
        {grade, "C30"},
        {sigmaFromStatistics, "off"},
        {sigma, "5.0"},
        {cementKind, "普通硅酸盐水泥"},
        {cementClass, "42.5"},
        {gammaC, "1.16"},
        {fceMeasured, ""},
        {maxSize, "25"},
        {slump, "180"},
        {waterReduction, "25"},
        {admixtureDosage, "2.0"},
        {flyAshPercent, "15"},
        {flyAshGrade, "Ⅱ级"},
        {gammaF, "0.90"},
        {gammaFRange, "表5.1.3：0.80～0.90"},
        {slagPercent, "15"},
        {slagGrade, "S95"},
        {gammaS, "1.00"},
        {gammaSRange, "表5.1.3：0.98～1.00"},
        {environment, "二a"},
        {environmentText, "室内潮湿环境；非严寒和非寒冷地区的露天环境；与无侵蚀性的水或土壤直接接触的环境"},
        {airEntrained, "off"},
        {structure, "钢筋混凝土"},
        {pumped, "on"},
        {impermeability, "无"},
        {frostResistance, "无"},
        {frostExposure, "一般"},
        {massConcrete, "off"},
        {densityMethod, "质量法"},
        {assumedDensity, "2400"},
        {densityCement, "3100"},
        {densityFlyAsh, "2200"},
        {densitySlag, "2900"},
        {densitySand, "2650"},
        {densityStone, "2700"},
        {airContent, "1"},
        {wbOverride, ""},
        {sandRatioOverride, ""},
        {trialVolume, "20"},
        {reportName, "JGJ55-2011-2026-12-8"},
        {sigmaUsed, "5.0"},
        {targetStrength, "38.2"},
        {fce, "49.3"},
        {fb, "44.4"},
        {wbCalculated, "0.548"},
        {wbMax, "0.55"},
        {wb, "0.55"},
        {waterTable, "233"},
        {water, "175"},
        {binder, "318"},
        {flyAsh, "48"},
        {slag, "48"},
        {cement, "222"},
        {admixture, "6.36"},
        {sandRatioTable, "39.0～44.0"},
        {sandRatio, "42"},
        {sand, "801"},
        {stone, "1106"},
        {density, "2400"},
        {mixLine, "水泥 222，粉煤灰 48，矿渣粉 48，砂 801，碎石 1106，水 175，外加剂 6.36（kg/m³）"},
        {proportion, "1 : 2.52 : 3.48，水胶比 0.55"},
        {checkWb, "水胶比 0.55 不大于最大水胶比 0.55（GB 50010 表3.5.3）"},
        {checkGrade, "强度等级 C30 不低于最低强度等级 C25（GB 50010 表3.5.3）"},
        {checkBinder, "胶凝材料用量 318 kg/m³ 不小于最小用量 300 kg/m³（表3.0.4）"},
        {checkMineral, "矿物掺合料掺量符合表3.0.5-1的规定"},
        {checkSpecial, "无特殊要求"},
        {checkPump, "泵送混凝土：胶凝材料用量 318 kg/m³ 不小于 300 kg/m³，砂率 42% 在 35%～45% 之间"},
    };
    // Rows: W/B, sand ratio, cement, fly ash, slag, sand, stone, water, admixture per m³, then per batch.
    const QList<QStringList> trial = {
        {"0.50", "0.55", "0.60"},    {"41", "42", "43"},          {"244", "222", "204"},
        {"53", "48", "44"},          {"53", "48", "44"},          {"769", "801", "831"},
        {"1106", "1106", "1102"},    {"175", "175", "175"},       {"7.00", "6.36", "5.84"},
        {"4.88", "4.44", "4.08"},    {"1.06", "0.96", "0.88"},    {"1.06", "0.96", "0.88"},
        {"15.38", "16.02", "16.62"}, {"22.12", "22.12", "22.04"}, {"3.50", "3.50", "3.50"},
        {"0.140", "0.127", "0.117"},
    };
    for (int row = 0; row < trial.size(); ++row)
        for (int column = 0; column < trial[row].size(); ++column)
            texts.append({trialCell(row + 1, column + 1), trial[row][column]});
    return texts;
}

inline void fillDesign2011Example(MapFields& fields) {
    for (const auto& [name, text] : design2011Example())
        fields.setText(name, text);
}

// What the window's 计算 makes of the fields' inputs, worked out on a copy so the fields keep their texts;
// the initial design's calculation where the fields hold no design that can be calculated.
inline Design2011Calculation design2011CalculationOf(const MapFields& fields) {
    MapFields copy(design2011FieldNames());
    for (const QString& name : design2011FieldNames())
        copy.setText(name, fields.text(name));
    ScriptedPrompter prompter;
    prompter.queueAnswer(MessageButton::Ok);
    Design2011Form form(copy, prompter);
    try {
        if (form.calculate())
            return *form.calculation();
    } catch (const std::logic_error&) {
        // A list showing no item of its own: no design at all.
    }
    Design2011Calculation initial;
    initial.result = std::get<MixResult2011>(designMix2011(initial.inputs));
    return initial;
}
