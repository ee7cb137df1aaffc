#pragma once

#include <QString>

// The value of one spreadsheet cell: empty, a number or a text. A number may carry the decimals it is shown
// with (a fixed-decimals number format); 0 means the general form.
class CellValue {
public:
    enum class Kind { Empty, Number, Text };

    CellValue() = default;
    static CellValue number(double value, int decimals = 0);
    static CellValue text(QString text);
    // A text as the program types it into a cell: a text that reads strictly as a number becomes that number,
    // shown with the decimals the text has ("1.00" is 1 with 2 decimals; "185", "1e3" and "1." have none);
    // every other text stays verbatim text (never a date, a formula or a percentage).
    static CellValue typedEntry(const QString& text);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    double toNumber() const { return m_number; }
    // Decimals a number is shown with; 0 for the general form and for every other kind.
    int decimals() const { return m_decimals; }
    const QString& toText() const { return m_text; }

    bool operator==(const CellValue& other) const;
    bool operator!=(const CellValue& other) const { return !(*this == other); }

private:
    Kind m_kind = Kind::Empty;
    double m_number = 0.0;
    int m_decimals = 0;
    QString m_text;
};

// The shortest text that reads back as exactly the same double (33.300000000000004, 35, 0.53).
QString exactNumberText(double value);

// The decimals of a plain fixed-decimals number format code ("0.00" 2, "#,##0.000" 3, "###0.0" 1); 0 for
// every other code: "General", "0", percentages, exponents, currencies, texts, colours, several sections.
int fixedFormatDecimals(const QString& code);

// The number format code that shows `decimals` decimals: "0.00" for 2, "0" for 0.
QString fixedFormatCode(int decimals);
