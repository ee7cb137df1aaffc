#pragma once

#include <array>

// The least-squares line y = a + b·x through the three strength groups, with the precisions of step 4's
// "计算": the sum of squares of x rounded to five decimals, the sum of products kept in single precision.
struct RegressionLine {
    double a = 0;
    double b = 0;
};

// Throws CalcFailure when the line cannot be fitted (equal x after rounding, overflow).
RegressionLine fitRegressionLine(const std::array<double, 3>& x, const std::array<double, 3>& y);

// The x at which the line reaches the target, rounded to five decimals; the target is taken in single
// precision. Throws CalcFailure when b is zero or the result is not finite.
double regressionCrossing(const RegressionLine& line, double target);

// The correlation coefficient of the three points, in [-1, 1]; throws CalcFailure when x or y do not vary.
double correlation(const std::array<double, 3>& x, const std::array<double, 3>& y);
