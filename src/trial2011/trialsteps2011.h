#pragma once

#include "design2011/checks2011.h"
#include "design2011/mixdesign2011.h"
#include "design2011/standard2011.h"

#include <array>
#include <optional>
#include <variant>

// Chapter 6 of JGJ 55-2011 as pure steps: the trial batch and its workability adjustment, the three mixes of
// the strength check, the binder-water ratio from their strengths, the mix at that ratio corrected by the
// measured density, and the site mix from the aggregates' moisture. Each step takes typed inputs and the
// results of the steps before it, and gives all its results or a refusal.

// Steps 1 and 2: the preliminary mix (per m3) as designed, and how the trial batch was adjusted.
struct TrialInputs2011 {
    int grade = 30;
    double targetStrength = 0.0; // fcu,0 as read
    CementKind cementKind = CementKind::Ordinary;
    Environment environment = Environment::TwoA;
    bool airEntrained = false;
    Structure structure = Structure::Reinforced;
    bool pumped = true;
    SpecialRequirements special; // chapter 7
    double maxSize = 25;         // mm
    double water = 0.0;          // mw0 as typed, rounded by the step
    double binder = 0.0;         // mb0
    double sandRatio = 0.0;      // βs0, %
    // The binder's shares, the design's dosage and the aggregate's method.
    MixRule rule;
    double trialVolume = 20;             // litres
    std::optional<double> measuredSlump; // recorded
    double pasteChange = 0.0;            // % of water and binder, the W/B kept
    double sandRatioChange = 0.0;        // points
    double trialAdmixtureDosage = 2.0;   // % of binder after the adjustment
    std::optional<double> adjustedSlump; // recorded
};

// The results of steps 1 and 2. Every mix carries its W/B as shown (two decimals) in wb.
struct TrialMix2011 {
    MixMasses preliminary; // 计算配合比
    MixMasses trial;       // 试拌配合比: mix B of the strength check
    // The strength check: A at W/B - 0.05, B the trial mix, C at W/B + 0.05.
    std::array<MixMasses, 3> mixes;
    double volume = 20; // litres of a batch
};
std::variant<TrialMix2011, Refusal2011> trialMix2011(const TrialInputs2011& inputs);

// Step 3: the least squares line of strength on binder-water ratio through the three mixes.
struct Regression2011 {
    std::array<double, 3> bw{}; // 1 / W/B as shown
    std::array<double, 3> strength{};
    double slope = 0.0;
    double intercept = 0.0;
    double correlation = 0.0;
    double bwForTarget = 0.0; // (fcu,0 - a) / b
    double bwProposed = 0.0;  // bwForTarget rounded up to the next hundredth (clause 6.2.1)
    Check2011 range;          // fcu,0 within the strengths, or found by extrapolation
};
std::variant<Regression2011, Refusal2011> regress2011(const TrialInputs2011& inputs, const TrialMix2011& mix,
                                                      const std::array<double, 3>& strengths);

// Up to the next hundredth, after rounding to 15 significant digits: 1.7843 -> 1.79, 1.78 -> 1.78.
double roundUpToHundredth(double v);

// Step 4: the mix at the chosen binder-water ratio (6.2.1) and its density correction (6.2.2).
struct DesignMix2011 {
    double bwChosen = 0.0;
    double wbChosen = 0.0;         // 1 / bwChosen
    double strengthAtChosen = 0.0; // a + b B/W
    MixMasses adjusted;
    double measuredDensity = 0.0;
    double calculatedDensity = 0.0;
    double correctionFactor = 0.0; // δ as shown, three decimals
    double deviation = 0.0;        // %
    bool corrected = false;        // the deviation exceeds 2 %
    MixMasses final;               // 设计配合比; wb its W/B as shown
    Check2011 chosen;
    Check2011 wb;
    Check2011 binder;
    Check2011 mineral;
    Check2011 pump;
    Check2011 special;
};
std::variant<DesignMix2011, Refusal2011> adjustMix2011(const TrialInputs2011& inputs, const TrialMix2011& mix,
                                                       const Regression2011& regression, double bwChosen,
                                                       double measuredDensity);

// Step 5: the site mix from the water the sand, the stone and a liquid admixture bring (% of their mass).
// The final mix as weighed at the site: sand and stone wet and rounded, the water less what they and the
// admixture bring, rounded; the rest as in the final mix.
using SiteMix2011 = MixMasses;
std::variant<SiteMix2011, Refusal2011> siteMix2011(const DesignMix2011& design, double sandMoisture,
                                                   double stoneMoisture, double admixtureWater);
