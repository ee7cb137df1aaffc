#include "report/cellvalue.h"

#include "common/failure.h"
#include "common/numbers.h"

#include <QLocale>
#include <utility>

CellValue CellValue::number(double value) {
    CellValue v;
    v.m_kind = Kind::Number;
    v.m_number = value;
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
        return number(readStrict(text));
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
        return m_number == other.m_number;
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
