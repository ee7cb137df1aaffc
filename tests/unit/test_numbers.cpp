#include "common/datetext.h"
#include "common/failure.h"
#include "common/installpaths.h"
#include "common/numbers.h"
#include "common/transcript.h"

#include <QtTest>
#include <limits>

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lenient_data();
    void lenient();
    void strict_data();
    void strict();
    void strictWide_data();
    void strictWide();
    void general_data();
    void general();
    void pattern_data();
    void pattern();
    void fixed_data();
    void fixed();
    void nonFiniteFails();
    void checkedArithmetic();
    void dates();
    void workbookNames_data();
    void workbookNames();
    void escapesRoundTrip();
};

void TestNumbers::lenient_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("percent") << "12%" << 12.0;
    QTest::newRow("blanks and unit") << "  .5kg" << 0.5;
    QTest::newRow("exponent") << "1e3x" << 1000.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "2e+" << 2.0;
    QTest::newRow("plus point exponent") << "+.5e-3x" << 0.0005;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("minus alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("negative") << "-35.5" << -35.5;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("chinese digit") << "五" << 0.0;
    QTest::newRow("range text") << "10-30" << 10.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
}

void TestNumbers::lenient() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLenient(text), value);
}

void TestNumbers::strict_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "2400" << true << 2400.0;
    QTest::newRow("blanks around") << "  31.5 " << true << 31.5;
    QTest::newRow("exponent") << "1.5E2" << true << 150.0;
    QTest::newRow("signed") << "+.5" << true << 0.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("unit") << "12%" << false << 0.0;
    QTest::newRow("dangling exponent") << "1e" << false << 0.0;
    QTest::newRow("minus") << "-" << false << 0.0;
    QTest::newRow("point") << "." << false << 0.0;
    QTest::newRow("chinese") << "五" << false << 0.0;
    QTest::newRow("overflow") << "1e400" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
}

void TestNumbers::strict() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    if (ok) {
        QCOMPARE(readStrict(text), value);
    } else {
        QVERIFY_THROWS_EXCEPTION(CalcFailure, readStrict(text));
    }
}

void TestNumbers::strictWide_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("full-width digits") << "１８０" << true << 180.0;
    QTest::newRow("full-width point and minus") << "－０．５" << true << -0.5;
    QTest::newRow("mixed widths, ideographic blanks") << "\u3000１2．5 " << true << 12.5;
    QTest::newRow("ascii as before") << " 31.5 " << true << 31.5;
    QTest::newRow("full-width plus stays refused") << "＋５" << false << 0.0;
    QTest::newRow("full-width exponent stays refused") << "１ｅ３" << false << 0.0;
    QTest::newRow("full-width percent stays refused") << "１２％" << false << 0.0;
    QTest::newRow("ideographic full stop is no point") << "１。５" << false << 0.0;
    QTest::newRow("chinese numeral") << "五" << false << 0.0;
}

// The reading of the JGJ 55-2011 windows; the lenient and plain strict readings keep refusing full width.
void TestNumbers::strictWide() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    if (ok)
        QCOMPARE(readStrictWide(text), value);
    else
        QVERIFY_THROWS_EXCEPTION(CalcFailure, readStrictWide(text));
    QCOMPARE(readLenient(QStringLiteral("１８０")), 0.0);
    QVERIFY_THROWS_EXCEPTION(CalcFailure, readStrict(QStringLiteral("１８０")));
}

void TestNumbers::general_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("three decimals") << 343.0 * 15 / 1000 << "5.145";
    QTest::newRow("two decimals") << 157.25 << "157.25";
    QTest::newRow("whole") << 194.0 << "194";
    QTest::newRow("rounds to whole") << -35.99999999999999 << "-36";
    QTest::newRow("fifteen digits") << 185 / (0.46 * 48.025 / (38.225 + 0.46 * 0.07 * 48.025))
                                    << "333.056149423987";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("tiny negative") << -1e-20 << "-1E-20";
    QTest::newRow("small") << 0.0005 << "0.0005";
    QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("large") << 123456789012.5 << "123456789012.5";
    QTest::newRow("huge") << 1e20 << "1E+20";
}

void TestNumbers::general() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(generalForm(value), text);
}

void TestNumbers::pattern_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("half up") << 640.5 << "###0"
                             << "641";
    QTest::newRow("binary below half") << 2.675 << "###0.00"
                                       << "2.68";
    QTest::newRow("binary below half 2") << 1.005 << "###0.00"
                                         << "1.01";
    QTest::newRow("negative half") << -0.5 << "###0"
                                   << "-1";
    QTest::newRow("no negative zero") << -0.004 << "###0.00"
                                      << "0.00";
    QTest::newRow("small positive") << 0.004 << "###0.00"
                                    << "0.00";
    QTest::newRow("carry to units") << 0.996 << "###0.00"
                                    << "1.00";
    QTest::newRow("carry into new digit") << 99.9996 << "###0.000"
                                          << "100.000";
    QTest::newRow("carry from below point") << 0.0996 << "###0.00"
                                            << "0.10";
    QTest::newRow("half at far decimal") << 0.0005 << "###0.000"
                                         << "0.001";
    QTest::newRow("pads") << 0.338 << "###0.000"
                          << "0.338";
    QTest::newRow("three decimals") << 38.225 << "###0.000"
                                    << "38.225";
    QTest::newRow("grouped") << 1234.5 << "##,##0.00"
                             << "1,234.50";
    QTest::newRow("grouped millions") << -1234567.891 << "##,##0.00"
                                      << "-1,234,567.89";
    QTest::newRow("grouped small") << 0.123456 << "##,##0.00000"
                                   << "0.12346";
    QTest::newRow("zero") << 0.0 << "###0.00"
                          << "0.00";
    QTest::newRow("whole ratio") << 1.0 << "###0.00"
                                 << "1.00";
    QTest::newRow("large") << 1e20 << "###0"
                           << "100000000000000000000";
}

void TestNumbers::pattern() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(formatNumber(value, pattern), text);
}

void TestNumbers::fixed_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole with two") << 1.0 << 2 << "1.00";
    QTest::newRow("trailing zero kept") << 0.34 << 3 << "0.340";
    QTest::newRow("density ratio") << 1.01 << 3 << "1.010";
    QTest::newRow("binary below half") << 2.675 << 2 << "2.68";
    QTest::newRow("no decimals half away") << -0.5 << 0 << "-1";
    QTest::newRow("no negative zero") << -0.004 << 2 << "0.00";
    QTest::newRow("never grouped") << 1234.5 << 2 << "1234.50";
    QTest::newRow("sum noise") << 0.1 + 0.2 << 1 << "0.3";
    QTest::newRow("carry") << 0.996 << 2 << "1.00";
    QTest::newRow("many decimals") << 1e-7 << 8 << "0.00000010";
    QTest::newRow("negative") << -3.5 << 2 << "-3.50";
}

void TestNumbers::fixed() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(formatFixed(value, decimals), text);
}

void TestNumbers::nonFiniteFails() {
    const double inf = 1e308 * 10;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QVERIFY_THROWS_EXCEPTION(CalcFailure, generalForm(inf));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, generalForm(nan));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, formatNumber(-inf, u"###0"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, formatNumber(1, u"0.0"));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, formatFixed(nan, 2));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, formatFixed(1, -1));
}

void TestNumbers::checkedArithmetic() {
    QVERIFY_THROWS_EXCEPTION(CalcFailure, divide(1, 0));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, divide(0, 0));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, divide(1e308, 1e-10));
    QVERIFY_THROWS_EXCEPTION(CalcFailure, checked(1e308 * 10));
    QCOMPARE(divide(185, 0.5), 370.0);
    // A lenient reading past double's range is infinite, so the arithmetic that uses it fails.
    QVERIFY_THROWS_EXCEPTION(CalcFailure, checked(readLenient(QStringLiteral("1e999")) * 2));
}

void TestNumbers::dates() {
    QCOMPARE(dateText(QDate(2026, 12, 7)), QStringLiteral("2026-12-7"));
    QCOMPARE(dateText(QDate(2005, 6, 12)), QStringLiteral("2005-6-12"));
}

void TestNumbers::workbookNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("date name") << "C30-PB(2005-6-12)" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("slash") << "../x" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("dots inside") << "a..b" << true;
    QTest::newRow("hidden file") << ".a" << false;
    QTest::newRow("like a scratch file") << ".mixdesign-99999-abcdef" << false;
    QTest::newRow("dot inside") << "C30.v2" << true;
}

void TestNumbers::workbookNames() {
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(isSafeWorkbookName(name), safe);
    QCOMPARE(InstallPaths(QStringLiteral("/r")).workbookPath(QStringLiteral("A1")),
             QStringLiteral("/r/A1.xls"));
}

void TestNumbers::escapesRoundTrip() {
    const QString text = QStringLiteral("a\"b\\c\r\nd");
    QCOMPARE(escapeText(text), QStringLiteral("a\\\"b\\\\c\\r\\nd"));
    QCOMPARE(unescapeText(escapeText(text)), text);
    QCOMPARE(unescapeText(QStringLiteral("x\\ty")), QStringLiteral("x\\ty"));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
