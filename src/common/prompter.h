#pragma once

#include <QString>
#include <optional>

// The application's title: the caption of every message box and input box that has none of its own.
inline const QString kAppTitle = QStringLiteral("普通混凝土配合比设计");

enum class MessageIcon { Question, Exclamation, Stop };
enum class MessageButtons { YesNo, OkCancel, Ok };
enum class MessageButton { Yes, No, Ok, Cancel };

struct MessageBoxRequest {
    QString text;
    QString title; // empty: the application's title
    MessageIcon icon = MessageIcon::Question;
    MessageButtons buttons = MessageButtons::YesNo;
    MessageButton defaultButton = MessageButton::Yes;
    QString helpFile; // named by the adjustment window's boxes; no Help button is shown
    int helpContext = 0;
};

struct InputBoxRequest {
    QString prompt;
    QString title; // empty: the application's title
    QString proposal;
};

struct FileDialogRequest {
    QString filter; // "description(*.ext)|*.ext|" as the windows give it
    int flags = 0;
    QString startFolder; // where the dialog opens; empty: the dialog's own choice
};

struct FileSaveRequest {
    QString filter; // as FileDialogRequest
    QString folder; // where the dialog starts
    QString name;   // the proposed file name
};

// Every question the program asks the user and every beep goes through this interface: the windows pass in a
// real one, tests and the script runner one that answers from a script.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MessageButton message(const MessageBoxRequest& request) = 0;
    // The text entered with OK, or nothing for Cancel.
    virtual std::optional<QString> input(const InputBoxRequest& request) = 0;
    virtual void beep() = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    // The path to save to, or nothing when the dialog was cancelled.
    virtual std::optional<QString> saveFile(const FileSaveRequest& request) = 0;
};

inline QString titleOrApp(const QString& title) { return title.isEmpty() ? kAppTitle : title; }
