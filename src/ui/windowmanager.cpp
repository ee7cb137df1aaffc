#include "ui/windowmanager.h"

#include "ui/adjustwindow.h"
#include "ui/admixturewindow.h"
#include "ui/chartwindow.h"
#include "ui/infowindow.h"
#include "ui/mainwindow.h"
#include "ui/programicon.h"

#include <QApplication>

#include <utility>

WindowManager::WindowManager(AppContext context) : m_context(std::move(context)) {
    QApplication::setWindowIcon(programIcon());
}

MainWindow* WindowManager::showMain() { return static_cast<MainWindow*>(open(QStringLiteral("Form1"))); }

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
    if (name == QStringLiteral("Form1"))
        return new MainWindow(*this);
    if (name == QStringLiteral("tiaozheng"))
        return new AdjustWindow(*this);
    if (name == QStringLiteral("Form8"))
        return new ChartWindow(m_context.prompter, m_context.paths);
    if (name == QStringLiteral("wai"))
        return new AdmixtureWindow(*this);
    if (InfoWindow::isInfoWindow(name))
        return new InfoWindow(name, m_context);
    return nullptr;
}

void WindowManager::show(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
