#include "adjust/mixadjustment.h"

#include "adjust/regression.h"
#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"

#include <cfloat>
#include <cmath>
#include <optional>

namespace {

const QString kIncrease = QStringLiteral("增加");
const QString kDecrease = QStringLiteral("减少");
const QString kUnchanged = QStringLiteral("不变");

QString t(int number) { return QStringLiteral("Text%1").arg(number); }

// Factor of a paste change of p percent named by the list text; nothing for "不变" or an unknown text.
std::optional<double> pasteFactor(const QString& change, double p) {
    if (change == kIncrease)
        return checked(p / 100 + 1);
    if (change == kDecrease)
        return checked(1 - p / 100);
    return std::nullopt;
}

} // namespace

MixAdjustment::MixAdjustment(Fields& fields, Prompter& prompter)
    : m_fields(fields), m_protocol(fields, prompter) {}

QStringList MixAdjustment::stepFields() {
    QStringList names;
    for (int i = 1; i <= 73; ++i) {
        // Text11 and Text70 keep their paste percentage, Text72 is the chosen data file, 10 and 45 do not
        // exist.
        if (i != 10 && i != 11 && i != 45 && i != 70 && i != 72)
            names.append(t(i));
    }
    return names;
}

QStringList MixAdjustment::controlNames() {
    return stepFields() + QStringList{QStringLiteral("Combo1"), QStringLiteral("Text11"),
                                      QStringLiteral("Combo2"), QStringLiteral("Text70"),
                                      QStringLiteral("Text75"), QStringLiteral("Label76")};
}

double MixAdjustment::value(const QString& name) const { return readLenient(m_fields.text(name)); }

void MixAdjustment::write(const QString& name, double v, const char16_t* pattern) {
    m_fields.setText(name, formatNumber(v, QStringView(pattern)));
}

void MixAdjustment::writeGeneral(const QString& name, double v) { m_fields.setText(name, generalForm(v)); }

void MixAdjustment::copy(const QString& from, const QString& to) {
    m_fields.setText(to, m_fields.text(from));
}

void MixAdjustment::emptyStepFields() {
    for (const QString& name : stepFields())
        m_fields.setText(name, QString());
}

void MixAdjustment::writeRatios(const QString& cementField, const QString& cementRatioField,
                                const QList<QPair<QString, QString>>& quantityToRatio) {
    const double c = value(cementField);
    write(cementRatioField, divide(c, c), u"###0.00");
    for (const auto& [quantity, ratio] : quantityToRatio)
        write(ratio, divide(value(quantity), c), u"###0.00");
}

void MixAdjustment::load(const QDate& today) {
    const QString date = dateText(today);
    m_fields.setText(QStringLiteral("Text75"), QStringLiteral("---TZ(") + date + u')');
    m_fields.setText(QStringLiteral("Label76"), QStringLiteral("TZ(") + date + u')');
    emptyStepFields();
}

void MixAdjustment::command2() {
    m_protocol.run({t(1), t(2), t(3), t(4), t(5)}, [this] {
        const double volume = value(t(5));
        for (int i = 1; i <= 4; ++i)
            writeGeneral(t(i + 5), divide(checked(value(t(i)) * volume), 1000));
    });
}

void MixAdjustment::command1() {
    m_protocol.run({t(11), QStringLiteral("Combo1")}, [this] {
        const QString change = m_fields.text(QStringLiteral("Combo1"));
        const auto factor = pasteFactor(change, value(t(11)));
        if (factor) {
            write(t(12), checked(*factor * value(t(6))), u"###0.000");
            write(t(13), checked(*factor * value(t(7))), u"###0.000");
        } else if (change == kUnchanged) {
            writeGeneral(t(12), value(t(6)));
            writeGeneral(t(13), value(t(7)));
        }
        if (factor || change == kUnchanged) {
            copy(t(8), t(14));
            copy(t(9), t(15));
        }
        writeRatios(t(12), t(16), {{t(14), t(17)}, {t(15), t(18)}, {t(13), t(19)}});
    });
}

void MixAdjustment::command3() {
    m_protocol.run({t(20), t(21), t(31)}, [this] {
        write(t(23), value(t(20)), u"###0.00");
        write(t(22), checked(value(t(21)) + value(t(23))), u"###0.00");
        write(t(24), checked(value(t(23)) - value(t(21))), u"###0.00");
        for (int group = 0; group < 3; ++group)
            write(t(25 + group), divide(1, value(t(22 + group))), u"###0.00");
        for (int group = 0; group < 3; ++group)
            write(t(28 + group), divide(value(t(31)), value(t(22 + group))), u"###0.00");
    });
}

void MixAdjustment::command7() {
    m_protocol.run({t(35), t(32), t(33), t(34)}, [this] {
        const RegressionLine line = fitRegressionLine({value(t(25)), value(t(26)), value(t(27))},
                                                      {value(t(32)), value(t(33)), value(t(34))});
        const double c = regressionCrossing(line, value(t(35)));
        write(t(67), c, u"##,##0.00");
        write(t(68), divide(1, c), u"##,##0.00");
    });
}

void MixAdjustment::command8() {
    m_protocol.run({t(2), QStringLiteral("Combo1"), t(11), t(68), t(67)}, [this] {
        copy(t(2), t(69));
        copy(QStringLiteral("Combo1"), QStringLiteral("Combo2"));
        copy(t(11), t(70));
        copy(t(68), t(71));
        copy(t(67), t(73));
    });
}

void MixAdjustment::command9() {
    m_protocol.run({t(69), t(70), t(71), QStringLiteral("Combo2")}, [this] {
        const QString change = m_fields.text(QStringLiteral("Combo2"));
        const double water = value(t(69));
        if (const auto factor = pasteFactor(change, value(t(70))))
            write(t(36), checked(*factor * water), u"###0");
        else if (change == kUnchanged)
            writeGeneral(t(36), water);
        write(t(37), divide(value(t(36)), value(t(71))), u"###0");
        write(t(73), divide(1, value(t(71))), u"###0.00");
    });
}

void MixAdjustment::command4() {
    m_protocol.run({t(36), t(37), t(38), t(39), t(40), t(41), t(42)}, [this] {
        const auto strict = [this](int number) { return readStrict(m_fields.text(t(number))); };
        const double water = strict(36);
        const double cement = strict(37);
        const double cementDensity = strict(38);
        const double sandDensity = strict(39);
        const double stoneDensity = strict(40);
        const double air = strict(41);
        const double sandRatio = strict(42);
        // Litres left for sand and stone in one cubic metre after cement, water and air.
        double volume = checked(1000 - divide(cement, cementDensity));
        volume = checked(volume - water);
        volume = checked(volume - checked(10 * air));
        const double d = checked((1 - sandRatio) + checked(sandRatio * divide(stoneDensity, sandDensity)));
        const double sand = divide(checked(checked(sandRatio * volume) * stoneDensity), d);
        write(t(43), sand, u"###0");
        const double stone = checked(checked(volume * stoneDensity) -
                                     divide(checked(value(t(43)) * stoneDensity), sandDensity));
        write(t(44), stone, u"###0");
    });
}

void MixAdjustment::command5() {
    m_protocol.run({t(47)}, [this] {
        writeGeneral(t(46), checked(value(t(36)) + value(t(37)) + value(t(43)) + value(t(44))));
        write(t(48), divide(value(t(47)), value(t(46))), u"###0.000");
        const double factor = value(t(48));
        write(t(49), checked(factor * value(t(37))), u"###0");
        write(t(50), checked(factor * value(t(36))), u"###0");
        write(t(51), checked(factor * value(t(43))), u"###0");
        write(t(52), checked(factor * value(t(44))), u"###0");
        writeRatios(t(49), t(53), {{t(50), t(56)}, {t(51), t(54)}, {t(52), t(55)}});
    });
}

void MixAdjustment::command15() {
    m_protocol.run(
        {t(37), t(36), t(43), t(44)},
        [this] {
            copy(t(37), t(49));
            copy(t(36), t(50));
            copy(t(43), t(51));
            copy(t(44), t(52));
        },
        QStringLiteral("以前的步骤没有计算完成！或模版文件不存在了！"));
}

void MixAdjustment::command6() {
    m_protocol.run({t(57), t(58)}, [this] {
        const double sandMoisture = value(t(57));
        const double stoneMoisture = value(t(58));
        const double water = value(t(50));
        const double sand = value(t(51));
        const double stone = value(t(52));
        write(t(59), value(t(49)), u"###0");
        write(t(61), checked(checked(sandMoisture / 100 + 1) * sand), u"###0");
        write(t(62), checked(checked(stoneMoisture / 100 + 1) * stone), u"###0");
        // The water the wet aggregates bring in, sand first, from the dry laboratory quantities.
        const double siteWater = checked(checked(water - checked(sandMoisture * sand) / 100) -
                                         checked(stoneMoisture * stone) / 100);
        write(t(60), siteWater, u"###0");
        writeRatios(t(59), t(63), {{t(60), t(64)}, {t(61), t(65)}, {t(62), t(66)}});
    });
}

void MixAdjustment::command16() {
    emptyStepFields();
    const QList<QPair<QString, QString>> example = {
        {t(1), QStringLiteral("343")},   {t(2), QStringLiteral("185")},
        {t(3), QStringLiteral("613")},   {t(4), QStringLiteral("1251")},
        {t(5), QStringLiteral("15")},    {QStringLiteral("Combo1"), kIncrease},
        {t(11), QStringLiteral("5")},    {t(20), QStringLiteral("0.54")},
        {t(21), QStringLiteral("0.05")}, {t(31), QStringLiteral("2.92")},
        {t(32), QStringLiteral("34.2")}, {t(33), QStringLiteral("39.2")},
        {t(34), QStringLiteral("45.3")}, {t(35), QStringLiteral("38.2")},
        {t(36), QStringLiteral("194")},  {t(37), QStringLiteral("353")},
        {t(38), QStringLiteral("3.1")},  {t(39), QStringLiteral("2.65")},
        {t(40), QStringLiteral("2.7")},  {t(41), QStringLiteral("1")},
        {t(42), QStringLiteral("0.33")}, {t(57), QStringLiteral("5")},
        {t(58), QStringLiteral("1")}};
    for (const auto& [name, text] : example)
        m_fields.setText(name, text);
    m_fields.setText(t(69), QString());
    m_fields.setText(t(71), QString());
}
