#include "common/scriptedprompter.h"

#include "common/transcript.h"

#include <QFileInfo>
#include <stdexcept>

namespace {

QString iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return QStringLiteral("question");
    case MessageIcon::Exclamation:
        return QStringLiteral("exclamation");
    case MessageIcon::Stop:
        return QStringLiteral("stop");
    }
    return {};
}

bool fits(MessageButtons buttons, MessageButton answer) {
    if (buttons == MessageButtons::YesNo)
        return answer == MessageButton::Yes || answer == MessageButton::No;
    if (buttons == MessageButtons::Ok)
        return answer == MessageButton::Ok;
    return answer == MessageButton::Ok || answer == MessageButton::Cancel;
}

QString buttonsName(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QStringLiteral("YesNo");
    case MessageButtons::OkCancel:
        return QStringLiteral("OkCancel");
    case MessageButtons::Ok:
        return QStringLiteral("Ok");
    }
    return {};
}

QString quoted(const QString& text) { return u'"' + escapeText(text) + u'"'; }

} // namespace

QString buttonName(MessageButton button) {
    switch (button) {
    case MessageButton::Yes:
        return QStringLiteral("Yes");
    case MessageButton::No:
        return QStringLiteral("No");
    case MessageButton::Ok:
        return QStringLiteral("OK");
    case MessageButton::Cancel:
        return QStringLiteral("Cancel");
    }
    return {};
}

ScriptedPrompter::ScriptedPrompter(Sink sink) : m_sink(std::move(sink)) {}

void ScriptedPrompter::emitLine(const QString& line) {
    m_lines.append(line);
    if (m_sink)
        m_sink(line);
}

void ScriptedPrompter::unanswered(const QString& line) {
    const QString full = line + QStringLiteral(" -> (no answer queued)");
    emitLine(full);
    if (m_unanswered)
        m_unanswered(full);
    throw std::logic_error("dialog without a queued answer: " + full.toStdString());
}

MessageButton ScriptedPrompter::message(const MessageBoxRequest& request) {
    m_messages.append(request);
    const QString line = QStringLiteral("MSGBOX icon=%1 buttons=%2 title=%3 text=%4")
                             .arg(iconName(request.icon), buttonsName(request.buttons),
                                  quoted(titleOrApp(request.title)), quoted(request.text));
    if (m_answers.empty())
        unanswered(line);
    const MessageButton answer = m_answers.front();
    m_answers.pop_front();
    if (!fits(request.buttons, answer)) {
        const QString full =
            line + QStringLiteral(" -> ") + buttonName(answer) + QStringLiteral(" does not fit");
        emitLine(full);
        if (m_mismatch)
            m_mismatch(full);
        throw std::logic_error(full.toStdString());
    }
    emitLine(line + QStringLiteral(" -> ") + buttonName(answer));
    return answer;
}

std::optional<QString> ScriptedPrompter::input(const InputBoxRequest& request) {
    m_inputRequests.append(request);
    const QString line =
        QStringLiteral("INPUTBOX title=%1 prompt=%2 default=%3")
            .arg(quoted(titleOrApp(request.title)), quoted(request.prompt), quoted(request.proposal));
    if (m_inputs.empty())
        unanswered(line);
    std::optional<QString> answer = m_inputs.front();
    m_inputs.pop_front();
    emitLine(line + QStringLiteral(" -> ") + (answer ? quoted(*answer) : QStringLiteral("cancelled")));
    return answer;
}

void ScriptedPrompter::beep() {
    ++m_beeps;
    emitLine(QStringLiteral("BEEP"));
}

std::optional<QString> ScriptedPrompter::openFile(const FileDialogRequest& request) {
    return fileAnswer(QStringLiteral("FILEDIALOG filter=%1").arg(quoted(request.filter)));
}

std::optional<QString> ScriptedPrompter::fileAnswer(const QString& line) {
    if (m_files.empty())
        unanswered(line);
    std::optional<QString> answer = m_files.front();
    m_files.pop_front();
    emitLine(line + QStringLiteral(" -> ") + (answer ? quoted(*answer) : QStringLiteral("cancelled")));
    return answer;
}

std::optional<QString> ScriptedPrompter::saveFile(const FileSaveRequest& request) {
    m_saveRequests.append(request);
    // The starting folder is left out: it is the installation folder, a temporary one in scripts.
    return fileAnswer(QStringLiteral("FILEDIALOG save filter=%1 name=%2")
                          .arg(quoted(request.filter), quoted(request.name)));
}

void ScriptedPrompter::clearRecord() {
    m_messages.clear();
    m_inputRequests.clear();
    m_saveRequests.clear();
    m_lines.clear();
    m_beeps = 0;
}

bool RecordingLauncher::openUrl(const QString& url) {
    const QString line =
        QStringLiteral("OPENURL ") + url + (m_openingFails ? QStringLiteral(" -> failed") : QString());
    m_lines.append(line);
    if (m_sink)
        m_sink(line);
    return !m_openingFails;
}

bool RecordingLauncher::start(const QString& program) {
    const QFileInfo info(program);
    const bool ok = info.isFile() && info.isExecutable();
    const QString line = QStringLiteral("START %1 -> %2")
                             .arg(program, ok ? QStringLiteral("started") : QStringLiteral("failed"));
    m_lines.append(line);
    if (m_sink)
        m_sink(line);
    return ok;
}
