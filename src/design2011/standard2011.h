#pragma once

#include <optional>

// The data of JGJ 55-2011 (crushed stone) and of GB 50010-2010 table 3.5.3 that the 2011 design uses, as
// constant tables with the standard's interpolations. Every lookup is pure.

enum class CementKind { Ordinary, Portland }; // 普通硅酸盐水泥, 硅酸盐水泥
enum class Environment { One, TwoA, TwoB, ThreeA, ThreeB };
enum class Structure { Plain, Reinforced, Prestressed };
enum class SlagGrade { S75, S95, S105 };

// A range of the standard, lower and upper bound.
struct Range {
    double lower = 0.0;
    double upper = 0.0;
};

// Table 4.0.2: σ without statistics for the grade's number (C30 -> 30): 4.0, 5.0 or 6.0.
double tableSigma(int grade);
// Clause 4.0.2: the floor of a σ from statistics: 3.0 up to C30, 4.0 above.
double sigmaFloor(int grade);

// Table 5.1.2, crushed stone.
constexpr double kAlphaA = 0.53;
constexpr double kAlphaB = 0.20;

// Table 5.1.4: γc for the cement class 32.5, 42.5 or 52.5; nothing for another class.
std::optional<double> cementSurplusFactor(double cementClass);

// Table 5.1.3: the influence coefficient's range at a dosage in % of binder, interpolated between rows;
// nothing outside the table (fly ash 0-40, slag 0-50).
std::optional<Range> flyAshInfluence(double percent);
std::optional<Range> slagInfluence(double percent);
// The slag coefficient proposed for a grade: S75 the lower bound, S95 the upper, S105 the upper + 0.05; 1 at
// dosage 0.
std::optional<double> proposedSlagInfluence(double percent, SlagGrade grade);

// Table 5.2.1-2 with clause 5.2.2: the water of concrete without admixture (kg/m3) at a slump and a largest
// size (16, 20, 25, 31.5 or 40; 25 interpolated); above 90 mm the 90 mm value + 5 kg per 20 mm. Unrounded.
double waterBeforeReduction(double slump, double maxSize);

// Table 5.4.2: the sand ratio range (%) at a water-binder ratio and a largest size, interpolated between rows
// and columns, the 0.70 row above 0.70; nothing below 0.40 (to be found by trial).
std::optional<Range> sandRatioRange(double wb, double maxSize);
// Clause 5.4.1: the points added to the sand ratio at a slump above 60 mm.
double sandRatioSlumpCorrection(double slump);

// GB 50010-2010 table 3.5.3: the largest W/B and the lowest grade's number for the environment, with the
// bracket values where an air-entraining agent is used.
struct EnvironmentLimit {
    double maxWb = 0.0;
    int lowestGrade = 0;
};
EnvironmentLimit environmentLimit(Environment environment, bool airEntrained);

// Table 3.0.4: the least binder (kg/m3) at the adopted W/B; grades C15 and lower are exempt.
double minimumBinder(double wb, Structure structure);
bool exemptFromMinimumBinder(int grade);

// Tables 3.0.5-1 (reinforced) and 3.0.5-2 (prestressed): the largest dosages in % of binder; plain concrete
// has none.
struct MineralLimits {
    double flyAsh = 0.0;
    double slag = 0.0;
    double composite = 0.0;
    bool prestressed = false; // which of the two tables
};
std::optional<MineralLimits> mineralLimits(Structure structure, CementKind kind, double wb);

// Pumped concrete: the least binder and the sand ratio range (%).
constexpr double kPumpMinimumBinder = 300.0;
constexpr double kPumpSandRatioLow = 35.0;
constexpr double kPumpSandRatioHigh = 45.0;
