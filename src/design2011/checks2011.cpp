#include "design2011/checks2011.h"

#include "common/numbers.h"

#include <QStringList>

namespace {

QString grade(int number) { return QStringLiteral("C") + QString::number(number); }
QString kg(double v) { return formatFixed(v, 0); }

Check2011 checkWb(const MixResult2011& r) {
    const bool holds = r.mix.wb <= r.limit.maxWb;
    return {QStringLiteral("水胶比 %1 %2最大水胶比 %3（GB 50010 表3.5.3）")
                .arg(formatFixed(r.mix.wb, 2), holds ? QStringLiteral("不大于") : QStringLiteral("大于"),
                     formatFixed(r.limit.maxWb, 2)),
            holds};
}

Check2011 checkGrade(const MixInputs2011& in, const MixResult2011& r) {
    const bool holds = in.grade >= r.limit.lowestGrade;
    return {QStringLiteral("强度等级 %1 %2最低强度等级 %3（GB 50010 表3.5.3）")
                .arg(grade(in.grade), holds ? QStringLiteral("不低于") : QStringLiteral("低于"),
                     grade(r.limit.lowestGrade)),
            holds};
}

Check2011 checkBinder(const MixResult2011& r) {
    if (!r.minimumBinder)
        return {QStringLiteral("C15及以下强度等级不受最小胶凝材料用量限制（表3.0.4）"), true};
    if (r.binderRaised)
        return {QStringLiteral("胶凝材料用量按最小用量 %1 kg/m³ 取值（表3.0.4），实际水胶比 %2")
                    .arg(kg(*r.minimumBinder), formatFixed(divide(r.mix.water, r.mix.binder), 2)),
                true};
    return {QStringLiteral("胶凝材料用量 %1 kg/m³ 不小于最小用量 %2 kg/m³（表3.0.4）")
                .arg(kg(r.mix.binder), kg(*r.minimumBinder)),
            true};
}

Check2011 checkMineral(const MixInputs2011& in, const MixResult2011& r) {
    if (!r.mineralLimits)
        return {QStringLiteral("素混凝土：表3.0.5未规定矿物掺合料最大掺量"), true};
    const MineralLimits& limits = *r.mineralLimits;
    const QString table = limits.prestressed ? QStringLiteral("表3.0.5-2") : QStringLiteral("表3.0.5-1");
    QStringList failures;
    const auto compare = [&failures](const QString& name, double dosage, double limit) {
        if (dosage > limit)
            failures.append(
                QStringLiteral("%1 %2% 大于 %3%").arg(name, generalForm(dosage), generalForm(limit)));
    };
    compare(QStringLiteral("粉煤灰"), in.flyAshPercent, limits.flyAsh);
    compare(QStringLiteral("矿渣粉"), in.slagPercent, limits.slag);
    if (in.flyAshPercent > 0.0 && in.slagPercent > 0.0)
        compare(QStringLiteral("复合"), checked(in.flyAshPercent + in.slagPercent), limits.composite);
    if (failures.isEmpty())
        return {QStringLiteral("矿物掺合料掺量符合%1的规定").arg(table), true};
    return {QStringLiteral("矿物掺合料掺量超过%1的规定：").arg(table) + failures.join(QStringLiteral("，")),
            false};
}

Check2011 checkPump(const MixInputs2011& in, const MixResult2011& r) {
    if (!in.pumped)
        return {QStringLiteral("非泵送混凝土"), true};
    const bool binderHolds = r.mix.binder >= kPumpMinimumBinder;
    const bool sandHolds = r.mix.sandRatio >= kPumpSandRatioLow && r.mix.sandRatio <= kPumpSandRatioHigh;
    return {QStringLiteral("泵送混凝土：胶凝材料用量 %1 kg/m³ %2 %3 kg/m³，砂率 %4% %5 %6%～%7% 之间")
                .arg(kg(r.mix.binder), binderHolds ? QStringLiteral("不小于") : QStringLiteral("小于"),
                     kg(kPumpMinimumBinder), kg(r.mix.sandRatio),
                     sandHolds ? QStringLiteral("在") : QStringLiteral("不在"), kg(kPumpSandRatioLow),
                     kg(kPumpSandRatioHigh)),
            binderHolds && sandHolds};
}

} // namespace

Checks2011 checkMix2011(const MixInputs2011& inputs, const MixResult2011& result) {
    return {checkWb(result), checkGrade(inputs, result), checkBinder(result), checkMineral(inputs, result),
            checkPump(inputs, result)};
}
