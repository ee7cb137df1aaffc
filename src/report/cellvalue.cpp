#include "report/cellvalue.h"

#include "common/failure.h"
#include "common/numbers.h"

#include <QLocale>
#include <QRegularExpression>
#include <utility>

namespace {

// Digits after the decimal point of a number text that has passed the strict reading; none with an exponent.
int decimalsShown(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.contains(u'e') || trimmed.contains(u'E'))
        return 0;
    const qsizetype dot = trimmed.indexOf(u'.');
    return dot < 0 ? 0 : int(trimmed.size() - dot - 1);
}

} // namespace

CellValue CellValue::number(double value, int decimals) {
    CellValue v;
    v.m_kind = Kind::Number;
    v.m_number = value;
    v.m_decimals = decimals > 0 ? decimals : 0;
    return v;
}

CellValue CellValue::text(QString text) {
    CellValue v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(text);
    return v;
}

CellValue CellValue::typedEntry(const QString& text) {
    try {
        return number(readStrict(text), decimalsShown(text));
    } catch (const CalcFailure&) {
        return CellValue::text(text);
    }
}

bool CellValue::operator==(const CellValue& other) const {
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Empty:
        return true;
    case Kind::Number:
        return m_number == other.m_number && m_decimals == other.m_decimals;
    case Kind::Text:
        return m_text == other.m_text;
    }
    return false;
}

QString exactNumberText(double value) {
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

int fixedFormatDecimals(const QString& code) {
    // Integer digits ending in a 0 (grouped or not), the point and only zeros after it; a language tag
    // ("[$-409]") changes no decimals.
    static const QRegularExpression plain(QStringLiteral("^(?:\\[\\$-[0-9A-Fa-f]+\\])?#*,?#*0+\\.(0+)$"));
    const QRegularExpressionMatch match = plain.match(code.trimmed());
    return match.hasMatch() ? int(match.capturedLength(1)) : 0;
}

QString fixedFormatCode(int decimals) {
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, u'0') : QStringLiteral("0");
}
