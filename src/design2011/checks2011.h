#pragma once

#include "design2011/mixdesign2011.h"

#include <QString>

// One check's sentence and whether it holds (shown in the system's text colour) or fails (red).
struct Check2011 {
    QString text;
    bool holds = true;
};

// The five checks of a design: W/B and grade against GB 50010 table 3.5.3, the least binder (table 3.0.4,
// never failing: the design is raised to it), the mineral admixtures (table 3.0.5) and pumped concrete.
struct Checks2011 {
    Check2011 wb;
    Check2011 grade;
    Check2011 binder;
    Check2011 mineral;
    Check2011 pump;
    Check2011 special;
};

Checks2011 checkMix2011(const MixInputs2011& inputs, const MixResult2011& result);

// The parts, for any mix at an adopted (two-decimal) W/B.
Check2011 checkWb2011(double wb, const SourcedLimit& maxWb);
// The mix's binder against the least of the tables that apply (nothing: the exempt grades' sentence): holds
// when not below it.
Check2011 checkMinimumBinder2011(const std::optional<SourcedLimit>& least, double binder);

// What checkSpecial looks at in a mix: its requirements and the quantities they limit.
struct SpecialMix2011 {
    int grade = 30;
    SpecialRequirements special;
    bool airEntrained = false;
    CementKind cementKind = CementKind::Ordinary;
    double maxSize = 25;
    double wb = 0.0; // the actual W/B, two decimals
    double binder = 0.0;
    double cement = 0.0;
    double water = 0.0;
    double sandRatio = 0.0;
    double flyAshPercent = 0.0;
    double slagPercent = 0.0;
    std::optional<double> airContent; // typed, with the volume method
};
// The mix's quantities at its actual W/B (two decimals) and sand ratio; the air content where it is typed.
struct SpecialConditions {
    int grade = 30;
    SpecialRequirements special;
    bool airEntrained = false;
    CementKind cementKind = CementKind::Ordinary;
    double maxSize = 25;
    double flyAshPercent = 0.0;
    double slagPercent = 0.0;
    std::optional<double> airContent;
};
SpecialMix2011 specialMix2011(const SpecialConditions& conditions, const MixMasses& mix, double wb,
                              double sandRatio);
// One part per requirement that applies, joined by "；", failing when any part fails; "无特殊要求" when none
// applies.
Check2011 checkSpecial2011(const SpecialMix2011& mix);
Check2011 checkMineral2011(Structure structure, CementKind kind, double wb, double flyAshPercent,
                           double slagPercent);
Check2011 checkPump2011(bool pumped, double binder, double sandRatio);
