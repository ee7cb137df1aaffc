#include "admixture/admixturewater.h"

#include "admixture/wai.h"
#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "design/form1.h"

namespace {

const QString kBase = Wai::baseWater;
const QString kRate = Wai::reductionRate;
const QString kResult = Wai::result;
const QString kNote = Wai::note;
const QString kMainWater = Form1::stepwiseWater;

void showParameterFailure(Prompter& prompter) {
    MessageBoxRequest box;
    box.text = QStringLiteral("请输入正确的参数！");
    box.title = QStringLiteral("重要提示");
    box.icon = MessageIcon::Stop;
    box.buttons = MessageButtons::OkCancel;
    box.defaultButton = MessageButton::Ok;
    prompter.message(box);
}

} // namespace

double admixtureWater(double base, double ratePercent) {
    const double kept = checked(1.0 - divide(ratePercent, 100.0));
    return checked(base * kept);
}

QString admixtureNote() {
    return QStringLiteral(
        "目前外加剂得到了广泛的应用，由于外加剂种类繁多，而且性能差异较大。目前的组成设计方法基本上都是"
        "建立在对比试验基础上的。所以本软件未把外掺剂的数值计算引入本软件。但是本软件可以进行掺外加剂"
        "的混凝土组成设计。请您依照外掺剂产品说明书使用并参考相关配合比设计规范进行设计和调整。您可以把"
        "外掺剂的品种、掺量等内容写在设计书备注里。\n");
}

AdmixtureWater::AdmixtureWater(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}

void AdmixtureWater::load() {
    for (const QString& name : {kBase, kRate, kResult})
        m_fields.setText(name, QString());
    m_fields.setText(kNote, admixtureNote());
}

void AdmixtureWater::receiveBaseWater(const QString& text) { m_fields.setText(kBase, text); }

void AdmixtureWater::computeWater() {
    if (!confirmData(m_prompter))
        return;
    QString result;
    try {
        const double rate = readLenient(m_fields.text(kRate));
        const double base = readLenient(m_fields.text(kBase));
        result = generalForm(admixtureWater(base, rate));
    } catch (const CalcFailure&) {
        showParameterFailure(m_prompter);
        return;
    }
    m_fields.setText(kResult, result);
}

// The main window remembers what it received, so its report can tell where its water came from.
void AdmixtureWater::sendWaterBack(Fields& mainWindow) {
    const QString water = m_fields.text(kResult);
    mainWindow.setText(kMainWater, water);
    mainWindow.setText(Form1::sentAdmixtureWater, water);
}
