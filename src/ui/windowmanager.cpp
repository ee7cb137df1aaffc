#include "ui/windowmanager.h"

#include "adjust/form8.h"
#include "adjust/tiaozheng.h"
#include "admixture/wai.h"
#include "design/form1.h"
#include "design2011/design2011controls.h"
#include "report/spreadsheetlifecycle.h"
#include "trial2011/trial2011controls.h"
#include "ui/adjustwindow.h"
#include "ui/admixturewindow.h"
#include "ui/chartwindow.h"
#include "ui/commandguard.h"
#include "ui/design2011window.h"
#include "ui/eventhooks.h"
#include "ui/infowindow.h"
#include "ui/mainwindow.h"
#include "ui/programicon.h"
#include "ui/trial2011window.h"

#include <QApplication>

#include <utility>

WindowManager::WindowManager(AppContext context) : m_context(std::move(context)) {
    QApplication::setWindowIcon(programIcon());
}

MainWindow* WindowManager::showMain() {
    const bool first = !m_main;
    open(Form1::window);
    // The office kept ready for the exports starts once the main window shows and the program is idle.
    if (first && m_main)
        afterFirstPaint(m_main, CommandGuard(m_context)(
                                    [&spreadsheets = m_context.spreadsheets] { spreadsheets.keepReady(); }));
    return m_main.data();
}

MainWindow* WindowManager::mainWindow() const { return m_main.data(); }

ChartWindow* WindowManager::openChart() {
    open(Form8::window);
    return m_chart.data();
}

AdmixtureWindow* WindowManager::openAdmixture() {
    open(Wai::window);
    return m_admixture.data();
}

QWidget* WindowManager::window(const QString& name) const { return m_windows.value(name).data(); }

QWidget* WindowManager::open(const QString& name) {
    QWidget* existing = window(name);
    if (!existing) {
        existing = create(name);
        if (!existing)
            return nullptr;
        existing->setAttribute(Qt::WA_DeleteOnClose);
        m_windows.insert(name, existing);
    }
    show(existing);
    return existing;
}

// One line a window: the window classes set their own size, place and state when they are created.
QWidget* WindowManager::create(const QString& name) {
    if (name == Form1::window)
        return m_main = new MainWindow(*this);
    if (name == Tiaozheng::window)
        return new AdjustWindow(*this);
    if (name == Form8::window)
        return m_chart = new ChartWindow(m_context.prompter, m_context.paths, CommandGuard(m_context));
    if (name == Wai::window)
        return m_admixture = new AdmixtureWindow(*this);
    if (name == Design2011::window)
        return new Design2011Window(*this);
    if (name == Trial2011::window)
        return new Trial2011Window(m_context);
    if (InfoWindow::isInfoWindow(name))
        return new InfoWindow(name, m_context);
    return nullptr;
}

void WindowManager::show(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
