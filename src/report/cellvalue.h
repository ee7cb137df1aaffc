#pragma once

#include <QString>

// The value of one spreadsheet cell: empty, a number or a text.
class CellValue {
public:
    enum class Kind { Empty, Number, Text };

    CellValue() = default;
    static CellValue number(double value);
    static CellValue text(QString text);
    // A text as the program types it into a cell: a text that reads strictly as a number becomes that number,
    // every other text stays verbatim text (never a date, a formula or a percentage).
    static CellValue typedEntry(const QString& text);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    double toNumber() const { return m_number; }
    const QString& toText() const { return m_text; }

    bool operator==(const CellValue& other) const;
    bool operator!=(const CellValue& other) const { return !(*this == other); }

private:
    Kind m_kind = Kind::Empty;
    double m_number = 0.0;
    QString m_text;
};

// The shortest text that reads back as exactly the same double (33.300000000000004, 35, 0.53).
QString exactNumberText(double value);
