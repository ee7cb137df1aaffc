#pragma once

#include "design2011/design2011form.h"
#include "report/design2011report.h"
#include "ui/widgetfields.h"

#include <QWidget>
#include <memory>

struct AppContext;
class WindowManager;

namespace Ui {
class Design2011Window;
}

// The JGJ 55-2011 design window `design2011`: its controls come from design2011window.ui; it binds them to
// the commands of Design2011Form and Design2011Report and keeps only the name of the sheet it saved.
// Modeless and resizable; it opens centred on the screen.
class Design2011Window : public QWidget {
public:
    explicit Design2011Window(WindowManager& windows);
    ~Design2011Window() override;

    const Design2011Form& form() const { return m_form; }

    void calculateClicked();
    void saveReportClicked();
    void openReportClicked();
    void startTrialClicked();
    void loadReportClicked();

private:
    void fillLists();
    void fitTrialTable();
    void bindControls();
    void centreOnScreen();
    Design2011Report report();

    // An input of the calculation changed: the fields no longer hold its results.
    void inputChanged();
    void gradeChanged();
    void sigmaSourceChanged();
    void cementClassChanged();
    void flyAshChanged();
    void slagChanged();
    void maxSizeChanged();
    void environmentChanged();
    void densityMethodChanged();

    WindowManager& m_windows;
    const AppContext& m_context;
    std::unique_ptr<Ui::Design2011Window> m_ui;
    WidgetFields m_fields;
    Design2011Form m_form;
    // The name of the last calculation sheet saved from this window; empty before the first.
    QString m_savedName;
};
