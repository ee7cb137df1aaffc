#pragma once

#include "adjust/tiaozheng.h"
#include "common/scriptedprompter.h"
#include "ui/adjustwindow.h"
#include "ui/windowmanager.h"

#include <QDate>

// One program run's adjustment window over a prompter that answers from its queue, on a fixed day.
struct AdjustSession {
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    WindowManager windows;
    AdjustWindow* window;

    AdjustSession(SpreadsheetLifecycle& spreadsheets, const QString& root, QDate today)
        : windows(
              AppContext{prompter, launcher, spreadsheets, InstallPaths(root), [today] { return today; }}),
          window(static_cast<AdjustWindow*>(windows.open(Tiaozheng::window))) {}
    ~AdjustSession() { delete window; }
    AdjustSession(const AdjustSession&) = delete;
    AdjustSession& operator=(const AdjustSession&) = delete;

    Fields& fields() { return window->fields(); }
    QString text(const QString& name) { return fields().text(name); }

    // The worked example through steps 2 to 6, with a measured density of 2400.
    void runWorkedExample() {
        window->Command16_Click();
        using Handler = void (AdjustWindow::*)();
        for (Handler step :
             {&AdjustWindow::Command2_Click, &AdjustWindow::Command1_Click, &AdjustWindow::Command3_Click,
              &AdjustWindow::Command7_Click, &AdjustWindow::Command8_Click, &AdjustWindow::Command9_Click,
              &AdjustWindow::Command4_Click}) {
            prompter.queueAnswer(MessageButton::Yes);
            (window->*step)();
        }
        fields().setText(Tiaozheng::measuredDensity, QStringLiteral("2400"));
        prompter.queueAnswer(MessageButton::Yes);
        window->Command5_Click();
        prompter.queueAnswer(MessageButton::Yes);
        window->Command6_Click();
    }
};
