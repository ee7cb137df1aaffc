#pragma once

#include "design2011/special2011.h"
#include "design2011/standard2011.h"

#include <QString>
#include <array>
#include <optional>
#include <variant>

enum class DensityMethod { Mass, Volume };
enum class FlyAshGrade { One, Two }; // Ⅰ级, Ⅱ级

// The inputs of a JGJ 55-2011 design, as read from the window. Percentages are in %, densities in kg/m3.
// The defaults are the window's initial inputs.
struct MixInputs2011 {
    int grade = 30; // fcu,k, the number of the grade
    bool sigmaFromStatistics = false;
    double sigma = 5.0; // the typed σ; read only from statistics
    CementKind cementKind = CementKind::Ordinary;
    double cementClass = 42.5;
    double gammaC = 1.16;
    std::optional<double> fceMeasured;
    double maxSize = 25;
    double slump = 180;
    double waterReduction = 25;
    double admixtureDosage = 2.0;
    double flyAshPercent = 15;
    FlyAshGrade flyAshGrade = FlyAshGrade::Two; // recorded; the coefficients do not depend on it
    double gammaF = 0.90;                       // read only with fly ash
    double slagPercent = 15;
    SlagGrade slagGrade = SlagGrade::S95; // proposes γs
    double gammaS = 1.00;                 // read only with slag
    Environment environment = Environment::TwoA;
    bool airEntrained = false;
    Structure structure = Structure::Reinforced;
    bool pumped = true;
    SpecialRequirements special; // chapter 7
    DensityMethod method = DensityMethod::Mass;
    double assumedDensity = 2400;
    double densityCement = 3100;
    double densityFlyAsh = 2200;
    double densitySlag = 2900;
    double densitySand = 2650;
    double densityStone = 2700;
    double airContent = 1;
    std::optional<double> wbOverride;
    std::optional<double> sandRatioOverride;
    double trialVolume = 20; // litres
};

// What makes a mix of a binder, water and sand ratio: the binder's shares, the admixture's dosage and the
// aggregate's method (mass or volume) with its densities.
struct MixRule {
    double flyAshPercent = 0.0;
    double slagPercent = 0.0;
    double admixtureDosage = 0.0;
    DensityMethod method = DensityMethod::Mass;
    double assumedDensity = 2400;
    double densityCement = 3100;
    double densityFlyAsh = 2200;
    double densitySlag = 2900;
    double densitySand = 2650;
    double densityStone = 2700;
    double airContent = 1;
};
MixRule mixRule(const MixInputs2011& inputs);

// The masses of one cubic metre at one W/B and sand ratio (kg/m3; whole kilograms but the admixture).
struct MixMasses {
    double wb = 0.0;
    double sandRatio = 0.0; // %, whole
    double binder = 0.0;
    double cement = 0.0;
    double flyAsh = 0.0;
    double slag = 0.0;
    double sand = 0.0;
    double stone = 0.0;
    double water = 0.0;
    double admixture = 0.0; // unrounded
    // False for a trial mix that leaves no room for aggregate: only wb, sandRatio and water hold.
    bool complete = true;
    // The concrete's mass: every material but the admixture.
    double density() const { return binder + water + sand + stone; }
};

struct MixResult2011 {
    bool highStrength = false; // C60 and above: no σ, no W/B formula
    double sigma = 0.0;
    double targetStrength = 0.0;
    double fce = 0.0;
    double gammaF = 1.0; // as used: 1 without fly ash
    double gammaS = 1.0; // as used: 1 without slag
    double fb = 0.0;
    double wbCalculated = 0.0;
    EnvironmentLimit limit;
    SourcedLimit maxWb;                  // the least of the tables that apply
    double waterTable = 0.0;             // mw0', rounded
    std::optional<Range> sandRatioRange; // with the slump correction; none below W/B 0.40
    // The greatest least binder of the tables that apply at the adopted W/B; nothing where none applies.
    std::optional<SourcedLimit> minimumBinder;
    bool binderRaised = false;
    std::optional<MineralLimits> mineralLimits;
    MixMasses mix; // the design, mix.wb the adopted W/B
    // Clause 6.1.5: W/B - 0.05, the design, W/B + 0.05; a side mix without room for aggregate is incomplete.
    std::array<MixMasses, 3> trials;
};

// Formula 5.5.1 or 5.5.2 for a mix whose binder, water and sand ratio are set: fly ash, slag and sand
// rounded, cement and stone the rest of theirs (the volume method rounds the stone too), the admixture
// unrounded. False, with the masses left unset, when no room is left for the aggregate.
bool completeMix(MixMasses& mix, const MixRule& rule);

extern const QString kTooMuchBinder2011; // the refusal of a mix without room for aggregate

// A calculation that cannot go on, with the message shown to the engineer.
struct Refusal2011 {
    QString message;
};

// The whole preliminary design of JGJ 55-2011 from typed inputs: every result or a refusal, nothing between.
std::variant<MixResult2011, Refusal2011> designMix2011(const MixInputs2011& inputs);

extern const QString kHighStrengthNeedsWb2011; // the refusal of C60 and above without a typed W/B

// Half away from zero at `decimals`, after rounding to 15 significant digits, as every field shows numbers.
double roundHalfAway(double v, int decimals);
// v rounded to 15 significant digits: the value every comparison of the 2011 windows is made on.
double significant15(double v);
