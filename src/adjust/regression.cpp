#include "adjust/regression.h"

#include "common/failure.h"
#include "common/numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// The value a pattern shows, taken up again as a number (group separators dropped).
double roundedBy(double v, const char16_t* pattern) {
    return readStrict(formatNumber(v, QStringView(pattern)).remove(u','));
}

// The value as a single-precision number, as two figures of the regression are kept.
double single(double v) {
    checked(v);
    if (std::fabs(v) > double(FLT_MAX))
        throw CalcFailure("single precision overflow");
    return double(static_cast<float>(v));
}

} // namespace

RegressionLine fitRegressionLine(const std::array<double, 3>& x, const std::array<double, 3>& y) {
    const double xMean = checked(x[0] + x[1] + x[2]) / 3;
    const double yMean = checked(y[0] + y[1] + y[2]) / 3;
    const double sxx =
        roundedBy(checked(x[0] * x[0] + x[1] * x[1] + x[2] * x[2] - xMean * (3 * xMean)), u"##,##0.00000");
    const double sxy = single(x[0] * y[0] + x[1] * y[1] + x[2] * y[2] - yMean * (3 * xMean));
    RegressionLine line;
    line.b = divide(sxy, sxx);
    line.a = checked(yMean - line.b * xMean);
    return line;
}

double regressionCrossing(const RegressionLine& line, double target) {
    return roundedBy(divide(checked(single(target) - line.a), line.b), u"##,##0.00000");
}

double correlation(const std::array<double, 3>& x, const std::array<double, 3>& y) {
    const double xMean = checked(x[0] + x[1] + x[2]) / 3;
    const double yMean = checked(y[0] + y[1] + y[2]) / 3;
    double sxx = 0, syy = 0, sxy = 0;
    for (int i = 0; i < 3; ++i) {
        sxx += (x[i] - xMean) * (x[i] - xMean);
        syy += (y[i] - yMean) * (y[i] - yMean);
        sxy += (x[i] - xMean) * (y[i] - yMean);
    }
    const double r = divide(checked(sxy), std::sqrt(checked(checked(sxx) * checked(syy))));
    return std::clamp(r, -1.0, 1.0);
}
