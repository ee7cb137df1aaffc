#include "design/tables.h"

#include "common/numbers.h"

#include <QStringList>

#include <array>

namespace {

const QString kBelowC20 = QStringLiteral("低于C20");
const QString kC20C35 = QStringLiteral("C20-C35");
const QString kAboveC35 = QStringLiteral("高于C35");

struct DurabilityCell {
    const char16_t* environment;
    const char16_t* reinforcement;
    double maxWaterCement;
    double minCement;
    bool waterCementUnregulated;
};

const std::array<DurabilityCell, 12> kDurability = {{
    {u"干燥环境", u"素混凝土", 1, 200, true},
    {u"干燥环境", u"钢筋混凝土", 0.65, 260, false},
    {u"干燥环境", u"预应力混凝土", 0.60, 300, false},
    {u"潮湿环境无冻害", u"素混凝土", 0.70, 225, false},
    {u"潮湿环境无冻害", u"钢筋混凝土", 0.60, 280, false},
    {u"潮湿环境无冻害", u"预应力混凝土", 0.60, 300, false},
    {u"潮湿环境有冻害", u"素混凝土", 0.55, 250, false},
    {u"潮湿环境有冻害", u"钢筋混凝土", 0.55, 280, false},
    {u"潮湿环境有冻害", u"预应力混凝土", 0.55, 300, false},
    {u"有冻害和除冰剂的潮湿环境", u"素混凝土", 0.50, 300, false},
    {u"有冻害和除冰剂的潮湿环境", u"钢筋混凝土", 0.50, 300, false},
    {u"有冻害和除冰剂的潮湿环境", u"预应力混凝土", 0.50, 300, false},
}};

const std::array<const char16_t*, 4> kSlumps = {u"10-30", u"35-50", u"55-70", u"75-90"};
const std::array<const char16_t*, 4> kSizeTexts = {u"16", u"20", u"31.5", u"40"};
const double kWater[4][4] = {
    {200, 185, 175, 165},
    {210, 195, 185, 175},
    {220, 205, 195, 185},
    {230, 215, 205, 195},
};

struct SandRow {
    double lower;
    double slope; // percent per unit of w
    double base[4];
};
// Rows by ranges of w; the lower bound belongs to the row. Row 1's slope is 5, the others' 50.
const SandRow kSandRows[4] = {
    {0.40, 5, {30, 29, 28, 27}},
    {0.50, 50, {33, 32, 31, 30}},
    {0.60, 50, {36, 35, 34, 33}},
    {0.70, 50, {39, 38, 37, 36}},
};
const double kSizes[4] = {16, 20, 31.5, 40};

// Display data beside the water table: the standard's 25 mm column by slump row, shown between 20 and 31.5.
const double kWater25[4] = {180, 190, 200, 210};
const QString kSize25 = QStringLiteral("25");
// Each sand ratio range of the standard spans this many percent above its lowest value.
constexpr double kSandRatioSpan = 5;

} // namespace

QString defaultSigmaText(const QString& gradeRange) {
    if (gradeRange == kBelowC20)
        return QStringLiteral("4");
    if (gradeRange == kC20C35)
        return QStringLiteral("5");
    return QStringLiteral("6");
}

std::optional<double> sigmaThreshold(const QString& gradeRange) {
    if (gradeRange == kBelowC20)
        return 2.5;
    if (gradeRange == kC20C35 || gradeRange == kAboveC35)
        return 3.0;
    return std::nullopt;
}

DurabilityLimits durabilityLimits(const QString& environment, const QString& reinforcement) {
    for (const DurabilityCell& cell : kDurability) {
        if (environment == QStringView(cell.environment) && reinforcement == QStringView(cell.reinforcement))
            return {cell.maxWaterCement, cell.minCement, cell.waterCementUnregulated};
    }
    return {};
}

double waterContent(const QString& slump, const QString& size) {
    for (size_t r = 0; r < kSlumps.size(); ++r) {
        for (size_t c = 0; c < kSizeTexts.size(); ++c) {
            if (slump == QStringView(kSlumps[r]) && size == QStringView(kSizeTexts[c]))
                return kWater[r][c];
        }
    }
    return 195;
}

std::optional<double> sandRatioPercent(double w, const QString& size) {
    const double s = readStrict(size);
    int column = -1;
    for (int c = 0; c < 4; ++c) {
        if (s == kSizes[c])
            column = c;
    }
    const SandRow* row = nullptr;
    for (const SandRow& candidate : kSandRows) {
        if (w >= candidate.lower)
            row = &candidate;
    }
    if (!row || column < 0)
        return std::nullopt;
    return row->base[column] + row->slope * (w - row->lower);
}

QStringList gradeRanges() { return {kBelowC20, kC20C35, kAboveC35}; }

QStringList slumpRanges() {
    QStringList keys;
    for (const char16_t* slump : kSlumps)
        keys << QString::fromUtf16(slump);
    return keys;
}

QStringList stoneSizes() {
    QStringList keys;
    for (const char16_t* size : kSizeTexts)
        keys << QString::fromUtf16(size);
    return keys;
}

// The distinct texts of one column of the durability table, in the table's order.
QStringList durabilityKeys(const char16_t* DurabilityCell::*column) {
    QStringList keys;
    for (const DurabilityCell& cell : kDurability) {
        const QString key = QString::fromUtf16(cell.*column);
        if (!keys.contains(key))
            keys << key;
    }
    return keys;
}

QStringList environments() { return durabilityKeys(&DurabilityCell::environment); }

QStringList reinforcements() { return durabilityKeys(&DurabilityCell::reinforcement); }

QList<QStringList> waterTableRows() {
    QStringList header = {QStringLiteral("坍落度")};
    header << stoneSizes();
    header.insert(3, kSize25);
    QList<QStringList> rows = {header};
    for (size_t r = 0; r < kSlumps.size(); ++r) {
        QStringList row = {QString::fromUtf16(kSlumps[r]).replace(u'-', u'~')};
        for (size_t c = 0; c < kSizeTexts.size(); ++c)
            row << generalForm(kWater[r][c]);
        row.insert(3, generalForm(kWater25[r]));
        rows << row;
    }
    return rows;
}

QList<QStringList> sandRatioTableRows() {
    QStringList header = {QStringLiteral("水灰比")};
    header << stoneSizes();
    QList<QStringList> rows = {header};
    for (const SandRow& sandRow : kSandRows) {
        QStringList row = {formatFixed(sandRow.lower, 2)};
        for (double base : sandRow.base)
            row << generalForm(base) + u'~' + generalForm(base + kSandRatioSpan);
        rows << row;
    }
    return rows;
}
