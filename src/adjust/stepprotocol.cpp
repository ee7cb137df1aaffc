#include "adjust/stepprotocol.h"

#include "common/failure.h"
#include "common/fields.h"
#include "common/prompter.h"

namespace {

const QString kHelpFile = QStringLiteral("DEMO.HLP");
constexpr int kHelpContext = 1000;

// Turns the inputs yellow for its lifetime, so the colours come back on every way out, exceptions included.
class Highlight {
public:
    Highlight(Fields& fields, const QStringList& names) : m_fields(fields), m_names(names) {
        for (const QString& name : m_names)
            m_fields.setHighlight(name, true);
    }
    ~Highlight() {
        for (const QString& name : m_names)
            m_fields.setHighlight(name, false);
    }
    Highlight(const Highlight&) = delete;
    Highlight& operator=(const Highlight&) = delete;

private:
    Fields& m_fields;
    QStringList m_names;
};

} // namespace

StepProtocol::StepProtocol(Fields& fields, Prompter& prompter) : m_fields(fields), m_prompter(prompter) {}

QString StepProtocol::defaultFailure() {
    return QStringLiteral("以前的步骤没有计算完成！或您输入的参数可能有错误！");
}

bool StepProtocol::confirm() {
    MessageBoxRequest box;
    box.text = QStringLiteral("请确定变颜色的文本框参数输入正确！并且以前步骤已计算完成。");
    box.title = QStringLiteral("请确认计算参数！");
    box.icon = MessageIcon::Exclamation;
    box.buttons = MessageButtons::YesNo;
    box.defaultButton = MessageButton::Yes;
    box.helpFile = kHelpFile;
    box.helpContext = kHelpContext;
    return m_prompter.message(box) == MessageButton::Yes;
}

void StepProtocol::showFailure(const QString& text) {
    MessageBoxRequest box;
    box.text = text;
    box.title = QStringLiteral("重要提示");
    box.icon = MessageIcon::Stop;
    box.buttons = MessageButtons::OkCancel;
    box.defaultButton = MessageButton::Ok;
    box.helpFile = kHelpFile;
    box.helpContext = kHelpContext;
    m_prompter.message(box);
}

bool StepProtocol::run(const QStringList& inputs, const std::function<void()>& compute,
                       const QString& failureText) {
    const Highlight highlight(m_fields, inputs);
    if (!confirm())
        return false;
    try {
        compute();
        return true;
    } catch (const CalcFailure&) {
        showFailure(failureText);
        return false;
    }
}
