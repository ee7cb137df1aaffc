#include "design/mixdesign.h"

#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "design/tables.h"

namespace {

const QString kRatioPrompt = QStringLiteral("按水灰比计算公式计算的水灰比为：");
const QString kMaxPrompt = QStringLiteral("该工程规范规定的最大水灰比为：");

QString f(double v, const char16_t* pattern) { return formatNumber(v, QStringView(pattern)); }
QString lineBreak() { return QStringLiteral("\r\n"); }

InputBoxRequest overMaximumBox(double w, double wmax) {
    InputBoxRequest box;
    box.prompt = kRatioPrompt + f(w, u"###0.00") + lineBreak() + kMaxPrompt + f(wmax, u"###0.00");
    box.title = QStringLiteral("水灰比验证提示！");
    box.proposal = f(wmax, u"###0.00");
    return box;
}

} // namespace

MixDesign::MixDesign(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}

void MixDesign::load(const QDate& today) {
    const QString date = dateText(today);
    m_fields.setText(QStringLiteral("Label28"), QStringLiteral("PB(") + date + u')');
    m_fields.setText(QStringLiteral("Text28"), QStringLiteral("-PB(") + date + u')');
    for (int i = 7; i <= 27; ++i)
        m_fields.setText(QStringLiteral("Text%1").arg(i), QString());
    for (const char16_t* check : {u"Text30", u"Text1", u"Text6", u"Text5"})
        m_fields.setText(QString::fromUtf16(check), QString());
}

void MixDesign::checkSigma(double sigma) {
    const auto threshold = sigmaThreshold(m_fields.text(QStringLiteral("Combo1")));
    if (!threshold)
        return;
    const bool passed = sigma >= *threshold;
    if (!passed)
        beep(m_prompter, 3);
    writeCheck(QStringLiteral("Text30"), passed, QStringLiteral("混凝土强度标准差符合规定！"),
               QStringLiteral("混凝土强度标准差不符合规定！"));
}

void MixDesign::writeCheck(const QString& field, bool passed, const QString& passText,
                           const QString& failText) {
    m_fields.setCheckColour(field, passed ? CheckColour::Normal : CheckColour::Red);
    m_fields.setText(field, passed ? passText : failText);
}

double MixDesign::targetStrength(double sigma, const QString& targetField) {
    const double fcuk = readLenient(m_fields.text(QStringLiteral("Text2")));
    const double fcuo = checked(fcuk + 1.645 * sigma);
    m_fields.setText(targetField, f(fcuo, u"###0.000"));
    return fcuo;
}

double MixDesign::cementStrength() {
    return checked(readLenient(m_fields.text(QStringLiteral("Text3"))) *
                   readLenient(m_fields.text(QStringLiteral("Text4"))));
}

double MixDesign::formulaRatio(double fcuo, double fce) {
    const double a = readLenient(m_fields.text(QStringLiteral("Combo4")));
    const double b = readLenient(m_fields.text(QStringLiteral("Combo5")));
    return divide(checked(a * fce), checked(fcuo + checked(a * b * fce)));
}

// Asks for the water-cement ratio, takes the answer leniently and writes the ratio and its check.
// Returns false when the user cancelled.
bool MixDesign::askRatio(double& w, double wmax, const InputBoxRequest& box, const QString& ratioField) {
    const auto answer = m_prompter.input(box);
    if (!answer)
        return false;
    w = readLenient(*answer);
    m_fields.setText(ratioField, f(w, u"###0.00"));
    writeCheck(QStringLiteral("Text1"), w <= wmax, QStringLiteral("校核后符合规定！"),
               QStringLiteral("水灰比不符合规定！"));
    return true;
}

void MixDesign::ratioWithinMaximum() {
    writeCheck(QStringLiteral("Text1"), true, QStringLiteral("水灰比符合规定！"), QString());
}

void MixDesign::checkMinCement(double mc, double cmin) {
    const bool passed = mc > cmin;
    if (!passed)
        beep(m_prompter, 3);
    writeCheck(QStringLiteral("Text6"), passed, QStringLiteral("水泥用量符合规定！"),
               QStringLiteral("水泥用量不符合规定！"));
}

// Sand from the unrounded cement and water; stone from the water and cement texts as shown, read back
// strictly; then the mix and proportion lines.
void MixDesign::completeMix(const ResultColumn& column, double sandRatio, double mc, double mw, double w) {
    const double rho = readStrict(m_fields.text(QStringLiteral("Combo6")));
    const double ms = checked(sandRatio * checked(rho - mc - mw));
    m_fields.setText(column.sand, f(ms, u"###0"));
    const double mg = checked(
        (rho - readStrict(m_fields.text(column.water)) - readStrict(m_fields.text(column.cement))) - ms);
    m_fields.setText(column.stone, f(mg, u"###0"));
    writeMix(mc, mw, ms, mg, w);
}

void MixDesign::writeMix(double mc, double mw, double ms, double mg, double w) {
    m_fields.setText(QStringLiteral("Text16"),
                     QStringLiteral("水泥") + generalForm(mc) + QStringLiteral("水") + generalForm(mw) +
                         QStringLiteral("砂") + generalForm(ms) + QStringLiteral("碎石") + generalForm(mg));
    const QString proportion = QStringLiteral("1:") + f(divide(ms, mc), u"###0.00") + u':' +
                               f(divide(mg, mc), u"###0.00") + u':' + f(w, u"###0.00");
    m_fields.setText(QStringLiteral("Text5"), proportion);
}

void MixDesign::command1() {
    if (!confirmData(m_prompter))
        return;
    try {
        const double sigma = readStrict(m_fields.text(QStringLiteral("Text29")));
        checkSigma(sigma);
        m_fields.setText(QStringLiteral("Text8"), m_fields.text(QStringLiteral("Text29")));
        const DurabilityLimits limits = durabilityLimits(m_fields.text(QStringLiteral("Combo7")),
                                                         m_fields.text(QStringLiteral("Combo8")));
        const double wmax = limits.maxWaterCement.value_or(0.0);
        const double fcuo = targetStrength(sigma, QStringLiteral("Text7"));
        const double fce = cementStrength();
        m_fields.setText(QStringLiteral("Text9"), f(fce, u"###0.000"));
        double w = formulaRatio(fcuo, fce);
        m_fields.setText(QStringLiteral("Text10"), f(w, u"###0.00"));
        if (w > wmax) {
            beep(m_prompter, 3);
            if (!askRatio(w, wmax, overMaximumBox(w, wmax), QStringLiteral("Text10")))
                return;
        } else {
            ratioWithinMaximum();
        }
        const QString size = m_fields.text(QStringLiteral("Combo2"));
        const double mw = waterContent(m_fields.text(QStringLiteral("Combo3")), size);
        m_fields.setText(QStringLiteral("Text11"), f(mw, u"###0"));
        const double mc = divide(mw, w);
        m_fields.setText(QStringLiteral("Text12"), f(mc, u"###0"));
        checkMinCement(mc, limits.minCement);
        const auto percent = sandRatioPercent(w, size);
        if (!percent)
            throw CalcFailure("no sand ratio row");
        const double sandRatio = *percent / 100.0;
        m_fields.setText(QStringLiteral("Text13"), f(sandRatio, u"###0.000"));
        completeMix({QStringLiteral("Text11"), QStringLiteral("Text12"), QStringLiteral("Text14"),
                     QStringLiteral("Text15")},
                    sandRatio, mc, mw, w);
    } catch (const CalcFailure&) {
        showFailure(m_prompter);
    }
}

void MixDesign::command3() {
    if (!confirmData(m_prompter))
        return;
    try {
        const double sigma = readStrict(m_fields.text(QStringLiteral("Text29")));
        checkSigma(sigma);
        m_fields.setText(QStringLiteral("Text18"), m_fields.text(QStringLiteral("Text29")));
        const double wmax =
            durabilityLimits(m_fields.text(QStringLiteral("Combo7")), m_fields.text(QStringLiteral("Combo8")))
                .maxWaterCement.value_or(0.0);
        const double fcuo = targetStrength(sigma, QStringLiteral("Text17"));
        const double fce = cementStrength();
        m_fields.setText(QStringLiteral("Text19"), f(fce, u"###0.000"));
        double w = formulaRatio(fcuo, fce);
        m_fields.setText(QStringLiteral("Text20"), f(w, u"###0.00"));
        beep(m_prompter, 6);
        InputBoxRequest box = overMaximumBox(w, wmax);
        if (w <= wmax) {
            box.prompt = kRatioPrompt + f(w, u"###0.00") + lineBreak() +
                         QStringLiteral("您采用该水灰比或者输入您自己的水灰比！");
            box.title = QStringLiteral("确定水灰比！");
            box.proposal = f(w, u"###0.00");
        }
        if (!askRatio(w, wmax, box, QStringLiteral("Text20")))
            return;
        const double mw =
            waterContent(m_fields.text(QStringLiteral("Combo3")), m_fields.text(QStringLiteral("Combo2")));
        m_fields.setText(QStringLiteral("Text26"), f(mw, u"###0"));
    } catch (const CalcFailure&) {
        showFailure(m_prompter);
    }
}

void MixDesign::command4() {
    if (!confirmData(m_prompter))
        return;
    try {
        const double w = readLenient(m_fields.text(QStringLiteral("Text20")));
        const double mw = readLenient(m_fields.text(QStringLiteral("Text21")));
        const double mc = divide(mw, w);
        m_fields.setText(QStringLiteral("Text22"), f(mc, u"###0"));
        checkMinCement(mc, durabilityLimits(m_fields.text(QStringLiteral("Combo7")),
                                            m_fields.text(QStringLiteral("Combo8")))
                               .minCement);
        const auto percent = sandRatioPercent(w, m_fields.text(QStringLiteral("Combo2")));
        if (!percent)
            throw CalcFailure("no sand ratio row");
        m_fields.setText(QStringLiteral("Text27"), f(*percent / 100.0, u"###0.000"));
    } catch (const CalcFailure&) {
        MessageBoxRequest box;
        box.text = QStringLiteral("您的水灰比较小，无法自动在表中选取砂率！请您自己输入合适的砂率！");
        m_prompter.message(box);
    }
}

void MixDesign::command5() {
    if (!confirmData(m_prompter))
        return;
    try {
        const DurabilityLimits limits = durabilityLimits(m_fields.text(QStringLiteral("Combo7")),
                                                         m_fields.text(QStringLiteral("Combo8")));
        const double wmax = limits.maxWaterCement.value_or(0.0);
        const double sigma = readStrict(m_fields.text(QStringLiteral("Text29")));
        const double fcuo = targetStrength(sigma, QStringLiteral("Text17"));
        const double fce = cementStrength();
        double w = formulaRatio(fcuo, fce);
        if (w > wmax) {
            beep(m_prompter, 3);
            if (!askRatio(w, wmax, overMaximumBox(w, wmax), QStringLiteral("Text20")))
                return;
        } else {
            ratioWithinMaximum();
        }
        const double mw = readLenient(m_fields.text(QStringLiteral("Text21")));
        const double mc = divide(mw, w);
        m_fields.setText(QStringLiteral("Text22"), f(mc, u"###0"));
        checkMinCement(mc, limits.minCement);
        const double sandRatio = readLenient(m_fields.text(QStringLiteral("Text23")));
        m_fields.setText(QStringLiteral("Text23"), f(sandRatio, u"###0.000"));
        completeMix({QStringLiteral("Text21"), QStringLiteral("Text22"), QStringLiteral("Text24"),
                     QStringLiteral("Text25")},
                    sandRatio, mc, mw, w);
    } catch (const CalcFailure&) {
        showFailure(m_prompter);
    }
}

void MixDesign::gradeRangeLeft() {
    m_fields.setText(QStringLiteral("Text29"), defaultSigmaText(m_fields.text(QStringLiteral("Combo1"))));
}

void MixDesign::importWater() {
    m_fields.setText(QStringLiteral("Text21"), m_fields.text(QStringLiteral("Text26")));
}

void MixDesign::importSandRatio() {
    m_fields.setText(QStringLiteral("Text23"), m_fields.text(QStringLiteral("Text27")));
}

void MixDesign::completeFileName() {
    m_fields.setText(QStringLiteral("Text28"), m_fields.text(QStringLiteral("Text28")) + u'-' +
                                                   m_fields.text(QStringLiteral("Label28")));
}
