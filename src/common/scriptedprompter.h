#pragma once

#include "common/launcher.h"
#include "common/prompter.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

// A prompter that answers from queues filled beforehand and reports every dialog as one transcript line
// ("MSGBOX icon=question buttons=YesNo title=\"...\" text=\"...\" -> Yes", "INPUTBOX ...", "BEEP",
// "FILEDIALOG ..."). Used by the script runner and by tests. A dialog with no queued answer calls the
// unanswered handler, which must not return (the runner exits, a test throws); without a handler it throws
// std::logic_error.
class ScriptedPrompter : public Prompter {
public:
    using Sink = std::function<void(const QString& line)>;

    explicit ScriptedPrompter(Sink sink = {});

    void queueAnswer(MessageButton button) { m_answers.push_back(button); }
    void queueInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    void queueFile(std::optional<QString> path) { m_files.push_back(std::move(path)); }
    void setUnansweredHandler(std::function<void(const QString& line)> handler) {
        m_unanswered = std::move(handler);
    }
    // Called for a queued answer that does not fit the box's buttons; must not return either.
    void setMismatchHandler(std::function<void(const QString& line)> handler) {
        m_mismatch = std::move(handler);
    }
    // Answers queued but never asked for.
    int pendingAnswers() const { return int(m_answers.size() + m_inputs.size() + m_files.size()); }

    MessageButton message(const MessageBoxRequest& request) override;
    std::optional<QString> input(const InputBoxRequest& request) override;
    void beep() override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    // Answered from the same queue as openFile; reported as "FILEDIALOG save filter=... name=... -> ...".
    std::optional<QString> saveFile(const FileSaveRequest& request) override;

    // Everything asked so far, for tests.
    const QList<MessageBoxRequest>& messages() const { return m_messages; }
    const QList<InputBoxRequest>& inputs() const { return m_inputRequests; }
    const QList<FileSaveRequest>& saveRequests() const { return m_saveRequests; }
    int beeps() const { return m_beeps; }
    const QStringList& lines() const { return m_lines; }
    void clearRecord();

private:
    void emitLine(const QString& line);
    [[noreturn]] void unanswered(const QString& line);
    // The next queued file answer, reported after the dialog's line.
    std::optional<QString> fileAnswer(const QString& line);

    Sink m_sink;
    std::function<void(const QString&)> m_unanswered;
    std::function<void(const QString&)> m_mismatch;
    std::deque<MessageButton> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<std::optional<QString>> m_files;
    QList<MessageBoxRequest> m_messages;
    QList<InputBoxRequest> m_inputRequests;
    QList<FileSaveRequest> m_saveRequests;
    QStringList m_lines;
    int m_beeps = 0;
};

// A launcher that only reports "OPENURL address" and "START program -> started|failed"; a program counts as
// started when it exists and is executable. An address is opened unless told otherwise ("OPENURL address ->
// failed").
class RecordingLauncher : public Launcher {
public:
    explicit RecordingLauncher(ScriptedPrompter::Sink sink = {}) : m_sink(std::move(sink)) {}
    bool openUrl(const QString& url) override;
    bool start(const QString& program) override;
    const QStringList& lines() const { return m_lines; }
    // As a desktop without a program for the addresses.
    void setOpeningFails(bool fails) { m_openingFails = fails; }

private:
    ScriptedPrompter::Sink m_sink;
    QStringList m_lines;
    bool m_openingFails = false;
};

QString buttonName(MessageButton button);
