#pragma once

#include "common/scriptedprompter.h"
#include "report/recordingspreadsheet.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

// A running program over a fresh installation folder whose dialogs answer from a queue and whose launcher and
// spreadsheets only record. Every top-level window is gone when it ends.
struct TestProgram {
    QTemporaryDir root;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    RecordingSpreadsheetFactory spreadsheets{[](const QString&) {}};
    std::unique_ptr<WindowManager> windows;
    MainWindow* main = nullptr;

    TestProgram() {
        windows = std::make_unique<WindowManager>(
            AppContext{prompter, launcher, spreadsheets, InstallPaths(root.path())});
        main = windows->showMain();
    }
    ~TestProgram() {
        QList<QPointer<QWidget>> open;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->parentWidget())
                open.append(widget);
        }
        qDeleteAll(open);
    }
    const InstallPaths& paths() const { return windows->context().paths; }
};
