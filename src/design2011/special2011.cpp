#include "design2011/special2011.h"

bool isHighStrength(int grade) { return grade >= 60; }

HighStrengthLimits highStrengthLimits(int grade) {
    if (grade <= 75)
        return {{0.28, 0.34}, {480, 560}};
    if (grade <= 95)
        return {{0.26, 0.28}, {520, 580}};
    return {{0.24, 0.26}, {550, 600}};
}

double impermeabilityMaxWb(Impermeability level, int grade) {
    const bool low = grade <= 30;
    switch (level) {
    case Impermeability::None:
        return 1.0;
    case Impermeability::P6:
        return low ? 0.60 : 0.55;
    case Impermeability::P8:
    case Impermeability::P10:
    case Impermeability::P12:
        return low ? 0.55 : 0.50;
    case Impermeability::AboveP12:
        return low ? 0.50 : 0.45;
    }
    return 1.0;
}

std::optional<double> impermeabilityTestPressure(Impermeability level) {
    switch (level) {
    case Impermeability::P6:
        return 0.8;
    case Impermeability::P8:
        return 1.0;
    case Impermeability::P10:
        return 1.2;
    case Impermeability::P12:
        return 1.4;
    case Impermeability::None:
    case Impermeability::AboveP12:
        break;
    }
    return std::nullopt;
}

QString impermeabilityName(Impermeability level) {
    static const QString names[] = {QString(),
                                    QStringLiteral("P6"),
                                    QStringLiteral("P8"),
                                    QStringLiteral("P10"),
                                    QStringLiteral("P12"),
                                    QStringLiteral("P12以上")};
    return names[static_cast<int>(level)];
}

FrostLimits frostLimits(FrostResistance level, bool airEntrained) {
    switch (level) {
    case FrostResistance::None:
        return {std::nullopt, 0.0};
    case FrostResistance::F50:
        return {airEntrained ? 0.60 : 0.55, 300};
    case FrostResistance::F100:
        return {airEntrained ? 0.55 : 0.50, 320};
    case FrostResistance::F150AndAbove:
        return {0.50, 350};
    }
    return {std::nullopt, 0.0};
}

double frostCompositeLimit(CementKind kind, double wb) {
    const bool portland = kind == CementKind::Portland;
    return wb <= 0.40 ? (portland ? 60 : 50) : (portland ? 50 : 40);
}

QString frostName(FrostResistance level) {
    static const QString names[] = {QString(), QStringLiteral("F50"), QStringLiteral("F100"),
                                    QStringLiteral("F150及以上")};
    return names[static_cast<int>(level)];
}

double minimumAirContent(FrostExposure exposure, double maxSize) {
    const bool salt = exposure == FrostExposure::SaltFrost;
    if (maxSize >= 40)
        return salt ? 5.0 : 4.5;
    if (maxSize >= 25)
        return salt ? 5.5 : 5.0;
    return salt ? 6.0 : 5.5;
}

SourcedLimit combinedMaxWb(const SpecialRequirements& special, int grade, Environment environment,
                           bool airEntrained) {
    SourcedLimit least{environmentLimit(environment, airEntrained).maxWb, QStringLiteral("GB 50010 表3.5.3")};
    const auto take = [&least](double value, const QString& source) {
        if (value < least.value)
            least = {value, source};
    };
    if (special.impermeability != Impermeability::None)
        take(impermeabilityMaxWb(special.impermeability, grade), QStringLiteral("表7.1.2"));
    if (special.frost != FrostResistance::None)
        take(frostLimits(special.frost, airEntrained).maxWb.value_or(1.0), QStringLiteral("表7.2.2-1"));
    if (special.massConcrete)
        take(kMassMaxWb, QStringLiteral("第7.5节"));
    return least;
}

std::optional<SourcedLimit> combinedMinimumBinder(const SpecialRequirements& special, int grade,
                                                  Structure structure, bool airEntrained, double wb) {
    std::optional<SourcedLimit> greatest;
    const auto take = [&greatest](double value, const QString& source) {
        if (!greatest || value > greatest->value)
            greatest = SourcedLimit{value, source};
    };
    if (!exemptFromMinimumBinder(grade))
        take(minimumBinder(wb, structure), QStringLiteral("表3.0.4"));
    if (special.impermeability != Impermeability::None)
        take(kImpermeableMinimumBinder, QStringLiteral("第7.1.2条"));
    if (special.frost != FrostResistance::None)
        take(frostLimits(special.frost, airEntrained).minimumBinder, QStringLiteral("表7.2.2-1"));
    return greatest;
}
