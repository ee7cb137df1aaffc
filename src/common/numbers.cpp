#include "common/numbers.h"

#include "common/failure.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <stdexcept>
#include <string>

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Length of the longest number at the start of text (after `start`), 0 when there is none.
qsizetype scanNumber(QStringView text, qsizetype start) {
    qsizetype i = start;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isAsciiDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < n && isAsciiDigit(text[j])) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && isAsciiDigit(text[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - start;
}

// Converts an already validated number text, independent of the process locale.
double convert(QStringView number) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const std::string bytes = number.toString().toStdString();
    return strtod_l(bytes.c_str(), nullptr, cLocale);
}

qsizetype skipBlanks(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

// A finite double rounded to 15 significant digits, as a sign, the significant digits and the position of the
// decimal point (value = 0.DIGITS x 10^point).
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;
};

Decimal toDecimal(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    Decimal d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    d.point = exponent + 1;
    if (d.digits.find_first_not_of('0') == std::string::npos) {
        d.digits = "0";
        d.point = 1;
        d.negative = false;
    }
    return d;
}

std::string groupThousands(const std::string& integer) {
    std::string out;
    const int n = int(integer.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(integer[size_t(i)]);
    }
    return out;
}

// v with exactly `decimals` decimals (15 significant digits first, then halves away from zero), the integer
// digits grouped by three when asked.
QString fixedText(double v, int decimals, bool grouped) {
    checked(v);
    const Decimal d = toDecimal(v);
    // Digits kept: everything left of the point plus the decimals; the rest is rounded off, halves up in
    // magnitude.
    std::string digits = d.digits;
    int point = d.point;
    const int keep = point + decimals;
    std::string kept;
    if (keep < 0) {
        kept.clear();
    } else if (keep >= int(digits.size())) {
        kept = digits + std::string(size_t(keep - int(digits.size())), '0');
    } else {
        kept = digits.substr(0, size_t(keep));
        if (digits[size_t(keep)] >= '5') {
            int i = int(kept.size()) - 1;
            while (i >= 0 && kept[size_t(i)] == '9') {
                kept[size_t(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++kept[size_t(i)];
            } else {
                kept.insert(kept.begin(), '1');
                ++point;
            }
        }
    }
    // kept holds the digits down to the last decimal; a carry has moved the point already.
    std::string integer;
    std::string fraction;
    if (point > 0) {
        if (int(kept.size()) < point + decimals)
            kept.insert(kept.begin(), size_t(point + decimals - int(kept.size())), '0');
        integer = kept.substr(0, size_t(point));
        fraction = kept.substr(size_t(point));
    } else {
        fraction = std::string(size_t(std::min(decimals, -point)), '0') + kept;
        fraction.resize(size_t(decimals), '0');
    }
    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
    const bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string out = (d.negative && !zero) ? "-" : "";
    out += grouped ? groupThousands(integer) : integer;
    if (decimals > 0)
        out += "." + fraction;
    return QString::fromStdString(out);
}

} // namespace

double readLenient(QStringView text) {
    const qsizetype start = skipBlanks(text);
    const qsizetype length = scanNumber(text, start);
    if (length == 0)
        return 0.0;
    return convert(text.mid(start, length));
}

double readStrict(QStringView text) {
    const QStringView trimmed = text.trimmed();
    const qsizetype length = scanNumber(trimmed, 0);
    if (length == 0 || length != trimmed.size())
        throw CalcFailure("not a number");
    return checked(convert(trimmed));
}

double readStrictWide(QStringView text) {
    QString ascii = text.toString();
    for (QChar& c : ascii) {
        if (c >= u'\uFF10' && c <= u'\uFF19')
            c = QChar(u'0' + (c.unicode() - 0xFF10));
        else if (c == u'\uFF0E')
            c = u'.';
        else if (c == u'\uFF0D')
            c = u'-';
    }
    return readStrict(ascii);
}

double checked(double v) {
    if (!std::isfinite(v))
        throw CalcFailure("result is not finite");
    return v;
}

double divide(double a, double b) {
    if (b == 0.0)
        throw CalcFailure("division by zero");
    return checked(a / b);
}

QString generalForm(double v) {
    checked(v);
    Decimal d = toDecimal(v);
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last + 1);
    std::string out = d.negative ? "-" : "";
    const int n = int(d.digits.size());
    if (d.point > 15 || d.point < -14) {
        // Magnitudes far outside a laboratory's figures keep an exponent, as a general form does.
        out += d.digits.substr(0, 1);
        if (n > 1)
            out += "." + d.digits.substr(1);
        const int exponent = d.point - 1;
        out += exponent < 0 ? "E-" : "E+";
        const std::string e = std::to_string(std::abs(exponent));
        out += (e.size() < 2 ? "0" : "") + e;
    } else if (d.point <= 0) {
        out += "0." + std::string(size_t(-d.point), '0') + d.digits;
    } else if (d.point >= n) {
        out += d.digits + std::string(size_t(d.point - n), '0');
    } else {
        out += d.digits.substr(0, size_t(d.point)) + "." + d.digits.substr(size_t(d.point));
    }
    return QString::fromStdString(out);
}

QString formatNumber(double v, QStringView pattern) {
    static const QStringView known[] = {u"###0", u"###0.00", u"###0.000", u"##,##0.00", u"##,##0.00000"};
    bool ok = false;
    for (QStringView k : known)
        ok = ok || k == pattern;
    if (!ok)
        throw std::logic_error("unknown number pattern");
    const qsizetype dot = pattern.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : int(pattern.size() - dot - 1);
    return fixedText(v, decimals, pattern.contains(u','));
}

QString formatFixed(double v, int decimals) {
    if (decimals < 0)
        throw std::logic_error("negative decimals");
    return fixedText(v, decimals, false);
}
