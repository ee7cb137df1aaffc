#include "design2011/checks2011.h"

#include "common/numbers.h"

#include <QStringList>

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
    if (!r.minimumBinder)
        return {kExempt, true};
    if (r.binderRaised)
        return {QStringLiteral("胶凝材料用量按最小用量 %1 kg/m³ 取值（表3.0.4），实际水胶比 %2")
                    .arg(kg(*r.minimumBinder), formatFixed(divide(r.mix.water, r.mix.binder), 2)),
                true};
    return {QStringLiteral("胶凝材料用量 %1 kg/m³ 不小于最小用量 %2 kg/m³（表3.0.4）")
                .arg(kg(r.mix.binder), kg(*r.minimumBinder)),
            true};
}

} // namespace

Checks2011 checkMix2011(const MixInputs2011& in, const MixResult2011& r) {
    return {checkWb2011(r.mix.wb, r.limit), checkGrade(in, r), checkBinder(r),
            checkMineral2011(in.structure, in.cementKind, r.mix.wb, in.flyAshPercent, in.slagPercent),
            checkPump2011(in.pumped, r.mix.binder, r.mix.sandRatio)};
}

Check2011 checkWb2011(double wb, const EnvironmentLimit& limit) {
    const bool holds = roundHalfAway(wb, 2) <= limit.maxWb;
    return {QStringLiteral("水胶比 %1 %2最大水胶比 %3（GB 50010 表3.5.3）")
                .arg(formatFixed(wb, 2), holds ? QStringLiteral("不大于") : QStringLiteral("大于"),
                     formatFixed(limit.maxWb, 2)),
            holds};
}

Check2011 checkMinimumBinder2011(int grade, Structure structure, double wb, double binder) {
    if (exemptFromMinimumBinder(grade))
        return {kExempt, true};
    const double least = minimumBinder(roundHalfAway(wb, 2), structure);
    const bool holds = significant15(binder) >= least;
    return {QStringLiteral("胶凝材料用量 %1 kg/m³ %2最小用量 %3 kg/m³（表3.0.4）")
                .arg(kg(binder), holds ? QStringLiteral("不小于") : QStringLiteral("小于"), kg(least)),
            holds};
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
