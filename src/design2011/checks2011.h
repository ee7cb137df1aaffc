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
};

Checks2011 checkMix2011(const MixInputs2011& inputs, const MixResult2011& result);

// The parts, for any mix at an adopted (two-decimal) W/B.
Check2011 checkWb2011(double wb, const EnvironmentLimit& limit);
// The mix's binder against table 3.0.4 at the W/B: holds when not below it; the exempt grades always hold.
Check2011 checkMinimumBinder2011(int grade, Structure structure, double wb, double binder);
Check2011 checkMineral2011(Structure structure, CementKind kind, double wb, double flyAshPercent,
                           double slagPercent);
Check2011 checkPump2011(bool pumped, double binder, double sandRatio);
