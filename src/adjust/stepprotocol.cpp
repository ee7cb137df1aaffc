#include "adjust/stepprotocol.h"

#include "common/failure.h"
#include "common/fields.h"
#include "common/prompter.h"
#include "common/prompts.h"

namespace {

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
    const MessageBoxRequest box =
        adjustmentBox(QStringLiteral("请确定变颜色的文本框参数输入正确！并且以前步骤已计算完成。"),
                      QStringLiteral("请确认计算参数！"), MessageIcon::Exclamation, MessageButtons::YesNo);
    return m_prompter.message(box) == MessageButton::Yes;
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
        showImportantNotice(m_prompter, failureText);
        return false;
    }
}
