#pragma once

#include "design2011/standard2011.h"

#include <QString>
#include <optional>

// The data of JGJ 55-2011 chapter 7 (concrete with special requirements) and of clause 3.0.7, as constant
// tables; every lookup is pure.

enum class Impermeability { None, P6, P8, P10, P12, AboveP12 }; // 无, P6 … P12以上
enum class FrostResistance { None, F50, F100, F150AndAbove };   // 无, F50, F100, F150及以上
enum class FrostExposure { Ordinary, ColdWet, SaltFrost }; // 一般, 潮湿或水位变动的寒冷和严寒环境, 盐冻环境

// The requirements of chapter 7 a concrete carries beside its strength.
struct SpecialRequirements {
    Impermeability impermeability = Impermeability::None;
    FrostResistance frost = FrostResistance::None;
    FrostExposure exposure = FrostExposure::Ordinary;
    bool massConcrete = false;
};

// Clause 4.0.1: C60 and above are high-strength: fcu,0 = 1.15 fcu,k, and the W/B is chosen after table 7.3.2.
bool isHighStrength(int grade);
constexpr double kHighStrengthFactor = 1.15;

// Table 7.3.2 and clause 7.3.2 for a high-strength grade.
struct HighStrengthLimits {
    Range wb;
    Range binder;
};
HighStrengthLimits highStrengthLimits(int grade);
constexpr double kHighStrengthSandLow = 35.0;
constexpr double kHighStrengthSandHigh = 42.0;
constexpr double kHighStrengthCementMax = 500.0;
constexpr double kHighStrengthMineralLow = 25.0;
constexpr double kHighStrengthMineralHigh = 40.0;
// Clause 7.3.3: the W/B step of the three trial mixes of high-strength concrete.
constexpr double kHighStrengthTrialStep = 0.02;

// Table 7.1.2: the largest W/B of impermeable concrete; C30 and lower in the first column.
double impermeabilityMaxWb(Impermeability level, int grade);
// Clause 7.1.2: the least binder and the sand ratio range of impermeable concrete.
constexpr double kImpermeableMinimumBinder = 320.0;
constexpr double kImpermeableSandLow = 35.0;
constexpr double kImpermeableSandHigh = 45.0;
// Clause 7.1.3: the trial's test pressure (MPa), the design's plus 0.2; nothing above P12 (设计值+0.2).
std::optional<double> impermeabilityTestPressure(Impermeability level);
// "P8", "P12以上".
QString impermeabilityName(Impermeability level);

// Table 7.2.2-1: the largest W/B (nothing where the agent is required) and the least binder.
struct FrostLimits {
    std::optional<double> maxWb;
    double minimumBinder = 0.0;
};
FrostLimits frostLimits(FrostResistance level, bool airEntrained);
// Table 7.2.2-2: the largest sum of fly ash and slag (%) of frost-resistant concrete.
double frostCompositeLimit(CementKind kind, double wb);
QString frostName(FrostResistance level); // "F100", "F150及以上"

// Table 3.0.7: the least air content (%) of concrete in a freezing environment, by largest size (sizes the
// table lacks take the stricter neighbouring row); clause 3.0.7 caps it at 7.0 %.
double minimumAirContent(FrostExposure exposure, double maxSize);
constexpr double kMaximumAirContent = 7.0;
// Clause 7.1.4: the air content of impermeable concrete with an air-entraining agent.
constexpr double kImpermeableAirLow = 3.0;
constexpr double kImpermeableAirHigh = 5.0;

// Section 7.5, mass concrete.
constexpr double kMassMaxWb = 0.55;
constexpr double kMassMaxWater = 175.0;
constexpr double kMassSandLow = 38.0;
constexpr double kMassSandHigh = 42.0;
constexpr double kMassMinimumSize = 31.5;

// A limit and the table or clause it comes from, as the checks name it ("GB 50010 表3.5.3", "表7.1.2").
struct SourcedLimit {
    double value = 0.0;
    QString source;
};
// The largest W/B: the least of table 3.5.3 of GB 50010, table 7.1.2, table 7.2.2-1 and section 7.5 as they
// apply, named by the first that gives it.
SourcedLimit combinedMaxWb(const SpecialRequirements& special, int grade, Environment environment,
                           bool airEntrained);
// The least binder at a (two-decimal) W/B: the greatest of table 3.0.4 (none for C15 and lower), clause 7.1.2
// and table 7.2.2-1 as they apply, named by the first that gives it; nothing where none applies.
std::optional<SourcedLimit> combinedMinimumBinder(const SpecialRequirements& special, int grade,
                                                  Structure structure, bool airEntrained, double wb);
