#include "design/mixdesign.h"

#include "common/datetext.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "design/form1.h"
#include "design/tables.h"

namespace {

const QString kRatioPrompt = QStringLiteral("按水灰比计算公式计算的水灰比为：");
const QString kMaxPrompt = QStringLiteral("该工程规范规定的最大水灰比为：");

QString shown(double v, const char16_t* pattern) { return formatNumber(v, QStringView(pattern)); }
QString lineBreak() { return QStringLiteral("\r\n"); }

InputBoxRequest overMaximumBox(double w, double wmax) {
    InputBoxRequest box;
    box.prompt = kRatioPrompt + shown(w, u"###0.00") + lineBreak() + kMaxPrompt + shown(wmax, u"###0.00");
    box.title = QStringLiteral("水灰比验证提示！");
    box.proposal = shown(wmax, u"###0.00");
    return box;
}

} // namespace

MixDesign::MixDesign(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}

void MixDesign::load(const QDate& today) {
    const QString date = dateText(today);
    m_fields.setText(Form1::dateTag, QStringLiteral("PB(") + date + u')');
    m_fields.setText(Form1::fileName, QStringLiteral("-PB(") + date + u')');
    const QStringList emptied =
        Form1::automaticColumn() + QStringList{Form1::mixLine} + Form1::stepwiseColumn() +
        QStringList{Form1::referenceWater,    Form1::referenceSandRatio, Form1::sigmaCheck,
                    Form1::ratioCheck,        Form1::cementCheck,        Form1::proportion,
                    Form1::sentAdmixtureWater};
    for (const QString& name : emptied)
        m_fields.setText(name, QString());
}

void MixDesign::checkSigma(double sigma) {
    const auto threshold = sigmaThreshold(m_fields.text(Form1::gradeRange));
    if (!threshold)
        return;
    const bool passed = sigma >= *threshold;
    if (!passed)
        beep(m_prompter, 3);
    writeCheck(Form1::sigmaCheck, passed, QStringLiteral("混凝土强度标准差符合规定！"),
               QStringLiteral("混凝土强度标准差不符合规定！"));
}

void MixDesign::writeCheck(const QString& field, bool passed, const QString& passText,
                           const QString& failText) {
    m_fields.setCheckColour(field, passed ? CheckColour::Normal : CheckColour::Red);
    m_fields.setText(field, passed ? passText : failText);
}

double MixDesign::targetStrength(double sigma, const QString& targetField) {
    const double fcuk = readLenient(m_fields.text(Form1::gradeStrength));
    const double fcuo = checked(fcuk + 1.645 * sigma);
    m_fields.setText(targetField, shown(fcuo, u"###0.000"));
    return fcuo;
}

double MixDesign::cementStrength() {
    return checked(readLenient(m_fields.text(Form1::cementGrade)) *
                   readLenient(m_fields.text(Form1::cementFactor)));
}

double MixDesign::formulaRatio(double fcuo, double fce) {
    const double a = readLenient(m_fields.text(Form1::coefficientA));
    const double b = readLenient(m_fields.text(Form1::coefficientB));
    return divide(checked(a * fce), checked(fcuo + checked(a * b * fce)));
}

// Asks for the water-cement ratio, takes the answer leniently and writes the ratio and its check.
// Returns false when the user cancelled.
bool MixDesign::askRatio(double& w, double wmax, const InputBoxRequest& box, const QString& ratioField) {
    const auto answer = m_prompter.input(box);
    if (!answer)
        return false;
    w = readLenient(*answer);
    m_fields.setText(ratioField, shown(w, u"###0.00"));
    writeCheck(Form1::ratioCheck, w <= wmax, QStringLiteral("校核后符合规定！"),
               QStringLiteral("水灰比不符合规定！"));
    return true;
}

void MixDesign::ratioWithinMaximum() {
    writeCheck(Form1::ratioCheck, true, QStringLiteral("水灰比符合规定！"), QString());
}

void MixDesign::checkMinCement(double mc, double cmin) {
    const bool passed = mc > cmin;
    if (!passed)
        beep(m_prompter, 3);
    writeCheck(Form1::cementCheck, passed, QStringLiteral("水泥用量符合规定！"),
               QStringLiteral("水泥用量不符合规定！"));
}

// Sand from the unrounded cement and water; stone from the water and cement texts as shown, read back
// strictly; then the mix and proportion lines.
void MixDesign::completeMix(const MixColumn& column, double sandRatio, double mc, double mw, double w) {
    const double rho = readStrict(m_fields.text(Form1::density));
    const double ms = checked(sandRatio * checked(rho - mc - mw));
    m_fields.setText(column.sand, shown(ms, u"###0"));
    const double mg = checked(
        (rho - readStrict(m_fields.text(column.water)) - readStrict(m_fields.text(column.cement))) - ms);
    m_fields.setText(column.stone, shown(mg, u"###0"));
    writeMix(mc, mw, ms, mg, w);
}

void MixDesign::writeMix(double mc, double mw, double ms, double mg, double w) {
    m_fields.setText(Form1::mixLine, QStringLiteral("水泥") + generalForm(mc) + QStringLiteral("水") +
                                         generalForm(mw) + QStringLiteral("砂") + generalForm(ms) +
                                         QStringLiteral("碎石") + generalForm(mg));
    const QString proportion = QStringLiteral("1:") + shown(divide(ms, mc), u"###0.00") + u':' +
                               shown(divide(mg, mc), u"###0.00") + u':' + shown(w, u"###0.00");
    m_fields.setText(Form1::proportion, proportion);
}

DurabilityLimits MixDesign::durability() const {
    return durabilityLimits(m_fields.text(Form1::environment), m_fields.text(Form1::reinforcement));
}

bool MixDesign::ratioAgainstMaximum(double& w, double wmax, const QString& ratioField) {
    if (w > wmax) {
        beep(m_prompter, 3);
        return askRatio(w, wmax, overMaximumBox(w, wmax), ratioField);
    }
    ratioWithinMaximum();
    return true;
}

double MixDesign::cementFromWater(const QString& cementField, double mw, double w, double minCement) {
    const double mc = divide(mw, w);
    m_fields.setText(cementField, shown(mc, u"###0"));
    checkMinCement(mc, minCement);
    return mc;
}

double MixDesign::openingRatio(const QString& sigmaField, const QString& targetField,
                               const QString& strengthField, const QString& ratioField) {
    const double sigma = readStrict(m_fields.text(Form1::sigma));
    checkSigma(sigma);
    m_fields.setText(sigmaField, m_fields.text(Form1::sigma));
    const double fcuo = targetStrength(sigma, targetField);
    const double fce = cementStrength();
    m_fields.setText(strengthField, shown(fce, u"###0.000"));
    const double w = formulaRatio(fcuo, fce);
    m_fields.setText(ratioField, shown(w, u"###0.00"));
    return w;
}

void MixDesign::automaticDesign() {
    if (!confirmData(m_prompter))
        return;
    try {
        const DurabilityLimits limits = durability();
        const double wmax = limits.maxWaterCement.value_or(0.0);
        double w = openingRatio(Form1::automaticSigma, Form1::automaticTarget, Form1::automaticCementStrength,
                                Form1::automaticRatio);
        if (!ratioAgainstMaximum(w, wmax, Form1::automaticRatio))
            return;
        const QString size = m_fields.text(Form1::stoneSize);
        const double mw = waterContent(m_fields.text(Form1::slump), size);
        m_fields.setText(Form1::automaticWater, shown(mw, u"###0"));
        const double mc = cementFromWater(Form1::automaticCement, mw, w, limits.minCement);
        const auto percent = sandRatioPercent(w, size);
        if (!percent)
            throw CalcFailure("no sand ratio row");
        const double sandRatio = *percent / 100.0;
        m_fields.setText(Form1::automaticSandRatio, shown(sandRatio, u"###0.000"));
        completeMix(
            {Form1::automaticWater, Form1::automaticCement, Form1::automaticSand, Form1::automaticStone},
            sandRatio, mc, mw, w);
    } catch (const CalcFailure&) {
        showFailure(m_prompter);
    }
}

void MixDesign::waterStep() {
    if (!confirmData(m_prompter))
        return;
    try {
        const double wmax = durability().maxWaterCement.value_or(0.0);
        double w = openingRatio(Form1::stepwiseSigma, Form1::stepwiseTarget, Form1::stepwiseCementStrength,
                                Form1::stepwiseRatio);
        beep(m_prompter, 6);
        InputBoxRequest box = overMaximumBox(w, wmax);
        if (w <= wmax) {
            box.prompt = kRatioPrompt + shown(w, u"###0.00") + lineBreak() +
                         QStringLiteral("您采用该水灰比或者输入您自己的水灰比！");
            box.title = QStringLiteral("确定水灰比！");
            box.proposal = shown(w, u"###0.00");
        }
        if (!askRatio(w, wmax, box, Form1::stepwiseRatio))
            return;
        const double mw = waterContent(m_fields.text(Form1::slump), m_fields.text(Form1::stoneSize));
        m_fields.setText(Form1::referenceWater, shown(mw, u"###0"));
    } catch (const CalcFailure&) {
        showFailure(m_prompter);
    }
}

void MixDesign::sandRatioStep() {
    if (!confirmData(m_prompter))
        return;
    try {
        const double w = readLenient(m_fields.text(Form1::stepwiseRatio));
        const double mw = readLenient(m_fields.text(Form1::stepwiseWater));
        cementFromWater(Form1::stepwiseCement, mw, w, durability().minCement);
        const auto percent = sandRatioPercent(w, m_fields.text(Form1::stoneSize));
        if (!percent)
            throw CalcFailure("no sand ratio row");
        m_fields.setText(Form1::referenceSandRatio, shown(*percent / 100.0, u"###0.000"));
    } catch (const CalcFailure&) {
        MessageBoxRequest box;
        box.text = QStringLiteral("您的水灰比较小，无法自动在表中选取砂率！请您自己输入合适的砂率！");
        m_prompter.message(box);
    }
}

void MixDesign::completeStepwise() {
    if (!confirmData(m_prompter))
        return;
    try {
        const DurabilityLimits limits = durability();
        const double wmax = limits.maxWaterCement.value_or(0.0);
        const double sigma = readStrict(m_fields.text(Form1::sigma));
        const double fcuo = targetStrength(sigma, Form1::stepwiseTarget);
        const double fce = cementStrength();
        double w = formulaRatio(fcuo, fce);
        if (!ratioAgainstMaximum(w, wmax, Form1::stepwiseRatio))
            return;
        const double mw = readLenient(m_fields.text(Form1::stepwiseWater));
        const double mc = cementFromWater(Form1::stepwiseCement, mw, w, limits.minCement);
        const double sandRatio = readLenient(m_fields.text(Form1::stepwiseSandRatio));
        m_fields.setText(Form1::stepwiseSandRatio, shown(sandRatio, u"###0.000"));
        completeMix({Form1::stepwiseWater, Form1::stepwiseCement, Form1::stepwiseSand, Form1::stepwiseStone},
                    sandRatio, mc, mw, w);
    } catch (const CalcFailure&) {
        showFailure(m_prompter);
    }
}

void MixDesign::gradeRangeLeft() {
    m_fields.setText(Form1::sigma, defaultSigmaText(m_fields.text(Form1::gradeRange)));
}

// The water now comes from the table, not from the admixture window.
void MixDesign::importWater() {
    m_fields.setText(Form1::stepwiseWater, m_fields.text(Form1::referenceWater));
    m_fields.setText(Form1::sentAdmixtureWater, QString());
}

void MixDesign::importSandRatio() {
    m_fields.setText(Form1::stepwiseSandRatio, m_fields.text(Form1::referenceSandRatio));
}

void MixDesign::completeFileName() {
    m_fields.setText(Form1::fileName, m_fields.text(Form1::fileName) + u'-' + m_fields.text(Form1::dateTag));
}
