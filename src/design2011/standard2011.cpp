#include "design2011/standard2011.h"

#include <array>
#include <cmath>

namespace {

double lerp(double x, double x0, double x1, double y0, double y1) {
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

// A value at x from a column of (x, y) points, linear between neighbours; x must lie within the points.
template <std::size_t N>
double interpolate(const std::array<double, N>& xs, const std::array<double, N>& ys, double x) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
        if (x <= xs[i])
            return ys[i];
        if (x == xs[i + 1])
            return ys[i + 1];
        if (x < xs[i + 1])
            return lerp(x, xs[i], xs[i + 1], ys[i], ys[i + 1]);
    }
    return ys[N - 1];
}

// Table 5.1.3 by dosage 0, 10, ..., 50.
constexpr std::array<double, 6> kDosages = {0, 10, 20, 30, 40, 50};
constexpr std::array<double, 5> kFlyAshDosages = {0, 10, 20, 30, 40};
constexpr std::array<double, 5> kFlyAshLower = {1.00, 0.85, 0.75, 0.65, 0.55};
constexpr std::array<double, 5> kFlyAshUpper = {1.00, 0.95, 0.85, 0.75, 0.65};
constexpr std::array<double, 6> kSlagLower = {1.00, 1.00, 0.95, 0.90, 0.80, 0.70};
constexpr std::array<double, 6> kSlagUpper = {1.00, 1.00, 1.00, 1.00, 0.90, 0.85};

// Table 5.2.1-2: columns by largest size, rows by slump band (10-30, 35-50, 55-70, 75-90).
constexpr std::array<double, 4> kWaterSizes = {16, 20, 31.5, 40};
constexpr std::array<std::array<double, 4>, 4> kWater = {{
    {200, 185, 175, 165},
    {210, 195, 185, 175},
    {220, 205, 195, 185},
    {230, 215, 205, 195},
}};

// Table 5.4.2: lower bounds of the 5-point ranges, rows by W/B 0.40-0.70, columns by largest size.
constexpr std::array<double, 3> kSandSizes = {16, 20, 40};
constexpr std::array<double, 4> kSandWb = {0.40, 0.50, 0.60, 0.70};
constexpr std::array<std::array<double, 3>, 4> kSandLower = {{
    {30, 29, 27},
    {33, 32, 30},
    {36, 35, 33},
    {39, 38, 36},
}};
constexpr double kSandRangeWidth = 5.0;

} // namespace

double tableSigma(int grade) {
    if (grade <= 20)
        return 4.0;
    if (grade <= 45)
        return 5.0;
    return 6.0;
}

double sigmaFloor(int grade) { return grade <= 30 ? 3.0 : 4.0; }

std::optional<double> cementSurplusFactor(double cementClass) {
    if (cementClass == 32.5)
        return 1.12;
    if (cementClass == 42.5)
        return 1.16;
    if (cementClass == 52.5)
        return 1.10;
    return std::nullopt;
}

std::optional<Range> flyAshInfluence(double percent) {
    if (!(percent >= 0.0 && percent <= 40.0))
        return std::nullopt;
    return Range{interpolate(kFlyAshDosages, kFlyAshLower, percent),
                 interpolate(kFlyAshDosages, kFlyAshUpper, percent)};
}

std::optional<Range> slagInfluence(double percent) {
    if (!(percent >= 0.0 && percent <= 50.0))
        return std::nullopt;
    return Range{interpolate(kDosages, kSlagLower, percent), interpolate(kDosages, kSlagUpper, percent)};
}

std::optional<double> proposedSlagInfluence(double percent, SlagGrade grade) {
    const std::optional<Range> range = slagInfluence(percent);
    if (!range)
        return std::nullopt;
    if (percent == 0.0)
        return 1.0;
    switch (grade) {
    case SlagGrade::S75:
        return range->lower;
    case SlagGrade::S95:
        return range->upper;
    case SlagGrade::S105:
        return range->upper + 0.05;
    }
    return range->upper;
}

double waterBeforeReduction(double slump, double maxSize) {
    int band = 3;
    if (slump <= 30)
        band = 0;
    else if (slump <= 50)
        band = 1;
    else if (slump <= 70)
        band = 2;
    const double plastic = interpolate(kWaterSizes, kWater[band], maxSize);
    return slump > 90 ? plastic + 5.0 * (slump - 90.0) / 20.0 : plastic;
}

std::optional<Range> sandRatioRange(double wb, double maxSize) {
    if (wb < 0.40)
        return std::nullopt;
    std::array<double, 4> atSize{};
    for (std::size_t row = 0; row < kSandWb.size(); ++row)
        atSize[row] = interpolate(kSandSizes, kSandLower[row], maxSize);
    const double lower = interpolate(kSandWb, atSize, wb);
    return Range{lower, lower + kSandRangeWidth};
}

double sandRatioSlumpCorrection(double slump) { return slump > 60 ? (slump - 60.0) / 20.0 : 0.0; }

EnvironmentLimit environmentLimit(Environment environment, bool airEntrained) {
    switch (environment) {
    case Environment::One:
        return {0.60, 20};
    case Environment::TwoA:
        return {0.55, 25};
    case Environment::TwoB:
        return airEntrained ? EnvironmentLimit{0.55, 25} : EnvironmentLimit{0.50, 30};
    case Environment::ThreeA:
        return airEntrained ? EnvironmentLimit{0.50, 30} : EnvironmentLimit{0.45, 35};
    case Environment::ThreeB:
        return {0.40, 40};
    }
    return {0.40, 40};
}

double minimumBinder(double wb, Structure structure) {
    const int column = static_cast<int>(structure);
    if (wb > 0.55)
        return std::array<double, 3>{250, 280, 300}[column];
    if (wb > 0.50)
        return std::array<double, 3>{280, 300, 300}[column];
    if (wb > 0.45)
        return 320;
    return 330;
}

bool exemptFromMinimumBinder(int grade) { return grade <= 15; }

std::optional<MineralLimits> mineralLimits(Structure structure, CementKind kind, double wb) {
    if (structure == Structure::Plain)
        return std::nullopt;
    const bool portland = kind == CementKind::Portland;
    const bool low = wb <= 0.40;
    MineralLimits limits;
    limits.prestressed = structure == Structure::Prestressed;
    if (!limits.prestressed) {
        limits.flyAsh = low ? (portland ? 45 : 35) : (portland ? 40 : 30);
        limits.slag = low ? (portland ? 65 : 55) : (portland ? 55 : 45);
    } else {
        limits.flyAsh = low ? (portland ? 35 : 30) : (portland ? 25 : 20);
        limits.slag = low ? (portland ? 55 : 45) : (portland ? 45 : 35);
    }
    limits.composite = limits.slag;
    return limits;
}
