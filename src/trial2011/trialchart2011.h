#pragma once

#include "adjust/strengthchart.h"
#include "trial2011/trial2011form.h"

// The strength chart of the trial window and its record, drawn as the adjustment window's: the three mixes
// against binder-water ratio, the regression line over their range, the target strength and, where one is
// typed, the chosen ratio marked on it.
StrengthChart trialStrengthChart(const TrialChart2011& chart);
