#pragma once

#include <QString>
#include <QStringView>

// Reading field texts as numbers and writing numbers as field texts.

// The leading numeric part of the text (blanks skipped, optional sign, digits with at most one ".", an
// exponent only when digits follow it); no such part reads as 0. Never fails; a magnitude past double gives
// +-infinity, which the checked arithmetic below turns into a failure.
double readLenient(QStringView text);

// The whole text, trimmed, must be a finite number of the same grammar; otherwise throws CalcFailure.
double readStrict(QStringView text);

// readStrict after taking the full-width digits "０"–"９", the point "．" and the minus "－" of a Chinese input
// method for their ASCII forms; nothing else is mapped.
double readStrictWide(QStringView text);

// Throws CalcFailure unless v is finite; returns v. Every computed value passes through it before use.
double checked(double v);

// a / b, throwing CalcFailure for a zero divisor or a non-finite quotient.
double divide(double a, double b);

// The general form: rounded to 15 significant digits, shortest decimal text, "0" for zero (never "-0").
// Throws CalcFailure for a non-finite value, so inf and nan never reach a field.
QString generalForm(double v);

// One of the patterns "###0", "###0.00", "###0.000", "##,##0.00", "##,##0.00000": 15 significant digits
// first, then halves away from zero at the pattern's decimals. Throws CalcFailure for a non-finite value.
QString formatNumber(double v, QStringView pattern);

// v with exactly `decimals` decimals (decimals >= 0), rounded as the patterns above, without grouping:
// formatFixed(1.7, 2) is "1.70". Throws CalcFailure for a non-finite value.
QString formatFixed(double v, int decimals);
