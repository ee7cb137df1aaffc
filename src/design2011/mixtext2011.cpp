#include "design2011/mixtext2011.h"

#include "common/numbers.h"

QString mixLineText(const MixMasses& m, bool wetAggregate) {
    return QStringLiteral("水泥 %1，粉煤灰 %2，矿渣粉 %3，%4 %5，%6 %7，水 %8，外加剂 %9（kg/m³）")
        .arg(formatFixed(m.cement, 0), formatFixed(m.flyAsh, 0), formatFixed(m.slag, 0),
             wetAggregate ? QStringLiteral("湿砂") : QStringLiteral("砂"), formatFixed(m.sand, 0),
             wetAggregate ? QStringLiteral("湿碎石") : QStringLiteral("碎石"), formatFixed(m.stone, 0),
             formatFixed(m.water, 0), formatFixed(m.admixture, 2));
}

QString proportionText(const MixMasses& m) {
    return QStringLiteral("1 : %1 : %2，水胶比 %3")
        .arg(formatFixed(divide(m.sand, m.binder), 2), formatFixed(divide(m.stone, m.binder), 2),
             formatFixed(m.wb, 2));
}
