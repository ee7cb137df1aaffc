#include "design2011/checks2011.h"

#include "common/numbers.h"

#include <QStringList>
#include <optional>

namespace {

QString grade(int number) { return QStringLiteral("C") + QString::number(number); }
QString kg(double v) { return formatFixed(v, 0); }

Check2011 checkGrade(const MixInputs2011& in, const MixResult2011& r) {
    const bool holds = in.grade >= r.limit.lowestGrade;
    return {QStringLiteral("强度等级 %1 %2最低强度等级 %3（GB 50010 表3.5.3）")
                .arg(grade(in.grade), holds ? QStringLiteral("不低于") : QStringLiteral("低于"),
                     grade(r.limit.lowestGrade)),
            holds};
}

const QString kExempt = QStringLiteral("C15及以下强度等级不受最小胶凝材料用量限制（表3.0.4）");

Check2011 checkBinder(const MixResult2011& r) {
    if (r.binderRaised)
        return {QStringLiteral("胶凝材料用量按最小用量 %1 kg/m³ 取值（%2），实际水胶比 %3")
                    .arg(kg(r.minimumBinder->value), r.minimumBinder->source,
                         formatFixed(divide(r.mix.water, r.mix.binder), 2)),
                true};
    return checkMinimumBinder2011(r.minimumBinder, r.mix.binder);
}

// "在 35%～45% 之间" or "不在 …": a range's piece of a sentence, its bounds written by `form`.
// unit follows each bound ("35%～45%"), or with `unitAfter` only the upper one ("480～560 kg/m³").
template <typename Form>
QString within(double v, double low, double high, Form form, const QString& unit, bool* holds,
               bool unitAfter = false) {
    const bool in = significant15(v) >= low && significant15(v) <= high;
    *holds = *holds && in;
    return QStringLiteral("%1 %2%3～%4%5 之间")
        .arg(in ? QStringLiteral("在") : QStringLiteral("不在"), form(low), unitAfter ? QString() : unit,
             form(high), unit);
}

QString notAbove(double v, double limit, bool* holds) {
    const bool ok = significant15(v) <= limit;
    *holds = *holds && ok;
    return ok ? QStringLiteral("不大于") : QStringLiteral("大于");
}

QString notBelow(double v, double limit, bool* holds) {
    const bool ok = significant15(v) >= limit;
    *holds = *holds && ok;
    return ok ? QStringLiteral("不小于") : QStringLiteral("小于");
}

QString wbText(double v) { return formatFixed(v, 2); }
QString percent(double v) { return generalForm(v) + u'%'; }

} // namespace

Checks2011 checkMix2011(const MixInputs2011& in, const MixResult2011& r) {
    const SpecialConditions conditions{
        in.grade,        in.special,
        in.airEntrained, in.cementKind,
        in.maxSize,      in.flyAshPercent,
        in.slagPercent,  in.method == DensityMethod::Volume ? std::optional(in.airContent) : std::nullopt};
    const SpecialMix2011 special = specialMix2011(
        conditions, r.mix, roundHalfAway(divide(r.mix.water, r.mix.binder), 2), r.mix.sandRatio);
    return {checkWb2011(r.mix.wb, r.maxWb),
            checkGrade(in, r),
            checkBinder(r),
            checkMineral2011(in.structure, in.cementKind, r.mix.wb, in.flyAshPercent, in.slagPercent),
            checkPump2011(in.pumped, r.mix.binder, r.mix.sandRatio),
            checkSpecial2011(special)};
}

SpecialMix2011 specialMix2011(const SpecialConditions& c, const MixMasses& mix, double wb, double sandRatio) {
    SpecialMix2011 m;
    m.grade = c.grade;
    m.special = c.special;
    m.airEntrained = c.airEntrained;
    m.cementKind = c.cementKind;
    m.maxSize = c.maxSize;
    m.wb = wb;
    m.binder = mix.binder;
    m.cement = mix.cement;
    m.water = mix.water;
    m.sandRatio = sandRatio;
    m.flyAshPercent = c.flyAshPercent;
    m.slagPercent = c.slagPercent;
    m.airContent = c.airContent;
    return m;
}

Check2011 checkWb2011(double wb, const SourcedLimit& maxWb) {
    const bool holds = roundHalfAway(wb, 2) <= maxWb.value;
    return {QStringLiteral("水胶比 %1 %2最大水胶比 %3（%4）")
                .arg(formatFixed(wb, 2), holds ? QStringLiteral("不大于") : QStringLiteral("大于"),
                     formatFixed(maxWb.value, 2), maxWb.source),
            holds};
}

Check2011 checkMinimumBinder2011(const std::optional<SourcedLimit>& least, double binder) {
    if (!least)
        return {kExempt, true};
    const bool holds = significant15(binder) >= least->value;
    return {QStringLiteral("胶凝材料用量 %1 kg/m³ %2最小用量 %3 kg/m³（%4）")
                .arg(kg(binder), holds ? QStringLiteral("不小于") : QStringLiteral("小于"), kg(least->value),
                     least->source),
            holds};
}

Check2011 checkSpecial2011(const SpecialMix2011& m) {
    const SpecialRequirements& req = m.special;
    QStringList parts;
    bool holds = true;
    if (isHighStrength(m.grade)) {
        const HighStrengthLimits limits = highStrengthLimits(m.grade);
        const double mineral = checked(m.flyAshPercent + m.slagPercent);
        parts << QStringLiteral("高强混凝土（表7.3.2）：水胶比 %1 %2，胶凝材料用量 %3 kg/m³ %4，砂率 %5% %6，"
                                "水泥用量 %7 kg/m³ %8 %9 kg/m³，矿物掺合料掺量 %10 %11")
                     .arg(wbText(m.wb),
                          within(m.wb, limits.wb.lower, limits.wb.upper, wbText, QString(), &holds),
                          kg(m.binder),
                          within(m.binder, limits.binder.lower, limits.binder.upper, kg,
                                 QStringLiteral(" kg/m³"), &holds, true),
                          kg(m.sandRatio),
                          within(m.sandRatio, kHighStrengthSandLow, kHighStrengthSandHigh, kg,
                                 QStringLiteral("%"), &holds),
                          kg(m.cement), notAbove(m.cement, kHighStrengthCementMax, &holds),
                          kg(kHighStrengthCementMax), percent(mineral),
                          within(mineral, kHighStrengthMineralLow, kHighStrengthMineralHigh, kg,
                                 QStringLiteral("%"), &holds));
    }
    if (req.impermeability != Impermeability::None) {
        const std::optional<double> pressure = impermeabilityTestPressure(req.impermeability);
        parts << QStringLiteral("抗渗%1（第7.1节）：胶凝材料用量 %2 kg/m³ %3 %4 kg/m³，砂率 %5% %6，%7")
                     .arg(impermeabilityName(req.impermeability), kg(m.binder),
                          notBelow(m.binder, kImpermeableMinimumBinder, &holds),
                          kg(kImpermeableMinimumBinder), kg(m.sandRatio),
                          within(m.sandRatio, kImpermeableSandLow, kImpermeableSandHigh, kg,
                                 QStringLiteral("%"), &holds),
                          pressure ? QStringLiteral("试配抗渗水压 %1 MPa").arg(formatFixed(*pressure, 1))
                                   : QStringLiteral("试配抗渗水压为设计值加0.2 MPa"));
    }
    if (req.frost != FrostResistance::None) {
        const FrostLimits limits = frostLimits(req.frost, m.airEntrained);
        const QString head = QStringLiteral("抗冻%1（表7.2.2-1）：").arg(frostName(req.frost));
        if (req.frost == FrostResistance::F150AndAbove && !m.airEntrained) {
            parts << head + QStringLiteral("应掺用引气剂");
            holds = false;
        } else {
            QString part =
                head + QStringLiteral("水胶比 %1 %2 %3")
                           .arg(wbText(m.wb), notAbove(m.wb, *limits.maxWb, &holds), wbText(*limits.maxWb));
            if (m.flyAshPercent > 0.0 && m.slagPercent > 0.0) {
                const double sum = checked(m.flyAshPercent + m.slagPercent);
                const double limit = frostCompositeLimit(m.cementKind, m.wb);
                part += QStringLiteral("，粉煤灰与矿渣粉合计 %1 %2 %3（表7.2.2-2）")
                            .arg(percent(sum), notAbove(sum, limit, &holds), percent(limit));
            }
            if (req.frost == FrostResistance::F100 && !m.airEntrained)
                part += QStringLiteral("，宜掺用引气剂（第7.2.1条）");
            parts << part;
        }
    }
    if (req.exposure != FrostExposure::Ordinary) {
        if (!m.airEntrained) {
            parts << QStringLiteral("冻融环境应掺用引气剂（第3.0.7条）");
            holds = false;
        } else {
            const double least = minimumAirContent(req.exposure, m.maxSize);
            if (m.airContent)
                parts << QStringLiteral("含气量（表3.0.7）：%1 %2 %3%，%4 %5%")
                             .arg(percent(*m.airContent), notBelow(*m.airContent, least, &holds),
                                  formatFixed(least, 1), notAbove(*m.airContent, kMaximumAirContent, &holds),
                                  formatFixed(kMaximumAirContent, 1));
            else
                parts << QStringLiteral("含气量（表3.0.7）：应不小于 %1%，不宜大于%2%")
                             .arg(formatFixed(least, 1), formatFixed(kMaximumAirContent, 1));
        }
    } else if (req.impermeability != Impermeability::None && m.airEntrained) {
        if (m.airContent)
            parts << QStringLiteral("含气量（第7.1.4条）：%1 %2")
                         .arg(percent(*m.airContent),
                              within(
                                  *m.airContent, kImpermeableAirLow, kImpermeableAirHigh,
                                  [](double v) { return formatFixed(v, 1); }, QStringLiteral("%"), &holds));
        else
            parts << QStringLiteral("含气量（第7.1.4条）：宜为 3.0%～5.0%");
    }
    if (req.massConcrete) {
        parts << QStringLiteral(
                     "大体积混凝土（第7.5节）：水胶比 %1 %2 %3，用水量 %4 kg/m³ %5 %6 kg/m³，砂率 %7% "
                     "%8，粗骨料最大公称粒径 %9 mm %10 %11 mm")
                     .arg(wbText(m.wb), notAbove(m.wb, kMassMaxWb, &holds), wbText(kMassMaxWb), kg(m.water),
                          notAbove(m.water, kMassMaxWater, &holds), kg(kMassMaxWater), kg(m.sandRatio),
                          within(m.sandRatio, kMassSandLow, kMassSandHigh, kg, QStringLiteral("%"), &holds),
                          generalForm(m.maxSize))
                     .arg(notBelow(m.maxSize, kMassMinimumSize, &holds), generalForm(kMassMinimumSize));
    }
    if (parts.isEmpty())
        return {QStringLiteral("无特殊要求"), true};
    return {parts.join(QStringLiteral("；")), holds};
}

Check2011 checkMineral2011(Structure structure, CementKind kind, double wb, double flyAshPercent,
                           double slagPercent) {
    const std::optional<MineralLimits> found = mineralLimits(structure, kind, roundHalfAway(wb, 2));
    if (!found)
        return {QStringLiteral("素混凝土：表3.0.5未规定矿物掺合料最大掺量"), true};
    const MineralLimits& limits = *found;
    const QString table = limits.prestressed ? QStringLiteral("表3.0.5-2") : QStringLiteral("表3.0.5-1");
    QStringList failures;
    const auto compare = [&failures](const QString& name, double dosage, double limit) {
        if (significant15(dosage) > limit)
            failures.append(
                QStringLiteral("%1 %2% 大于 %3%").arg(name, generalForm(dosage), generalForm(limit)));
    };
    compare(QStringLiteral("粉煤灰"), flyAshPercent, limits.flyAsh);
    compare(QStringLiteral("矿渣粉"), slagPercent, limits.slag);
    if (flyAshPercent > 0.0 && slagPercent > 0.0)
        compare(QStringLiteral("复合"), checked(flyAshPercent + slagPercent), limits.composite);
    if (failures.isEmpty())
        return {QStringLiteral("矿物掺合料掺量符合%1的规定").arg(table), true};
    return {QStringLiteral("矿物掺合料掺量超过%1的规定：").arg(table) + failures.join(QStringLiteral("，")),
            false};
}

Check2011 checkPump2011(bool pumped, double binder, double sandRatio) {
    if (!pumped)
        return {QStringLiteral("非泵送混凝土"), true};
    const bool binderHolds = significant15(binder) >= kPumpMinimumBinder;
    const bool sandHolds = sandRatio >= kPumpSandRatioLow && sandRatio <= kPumpSandRatioHigh;
    return {QStringLiteral("泵送混凝土：胶凝材料用量 %1 kg/m³ %2 %3 kg/m³，砂率 %4% %5 %6%～%7% 之间")
                .arg(kg(binder), binderHolds ? QStringLiteral("不小于") : QStringLiteral("小于"),
                     kg(kPumpMinimumBinder), kg(sandRatio),
                     sandHolds ? QStringLiteral("在") : QStringLiteral("不在"), kg(kPumpSandRatioLow),
                     kg(kPumpSandRatioHigh)),
            binderHolds && sandHolds};
}
