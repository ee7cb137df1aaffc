#pragma once

#include "ui/appcontext.h"
#include "ui/wheelguard.h"

#include <QPointer>
#include <QWidget>

class AdmixtureWindow;
class ChartWindow;
class MainWindow;

// Opens the program's windows: each exists at most once, opening an open one brings it forward, closing one
// discards it (the next opening loads it afresh). The program ends when the last window has closed.
class WindowManager {
public:
    explicit WindowManager(AppContext context);

    const AppContext& context() const { return m_context; }

    MainWindow* showMain();
    QWidget* window(const QString& name) const;
    // The main window while it is open, else nullptr.
    MainWindow* mainWindow() const;
    // Opens (or brings forward) the admixture window.
    AdmixtureWindow* openAdmixture();
    // Opens (or brings forward) the strength chart window.
    ChartWindow* openChart();

    // Opens a window of the program by its name (Form1, tiaozheng, Form8, wai, Form2, Form5, Form6, Form7,
    // design2011), creating it when it is not open; returns it (nullptr for a name without a window).
    QWidget* open(const QString& name);

private:
    QWidget* create(const QString& name);
    void show(QWidget* window);

    AppContext m_context;
    WheelGuard m_wheelGuard;
    QMap<QString, QPointer<QWidget>> m_windows;
    // The windows others talk to, by their own type.
    QPointer<MainWindow> m_main;
    QPointer<AdmixtureWindow> m_admixture;
    QPointer<ChartWindow> m_chart;
};
