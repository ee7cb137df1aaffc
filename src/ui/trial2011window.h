#pragma once

#include "report/trial2011record.h"
#include "trial2011/trial2011form.h"
#include "ui/widgetfields.h"

#include <QWidget>
#include <memory>

struct AppContext;

namespace Ui {
class Trial2011Window;
}

// The JGJ 55-2011 trial mixing and adjustment window `trial2011`: its controls come from
// trial2011window.ui, a tab a step; it binds them to the commands of Trial2011Form and Trial2011Record.
// Closing it asks first where its fields changed since they were loaded, handed over, saved or reopened.
class Trial2011Window : public QWidget {
public:
    explicit Trial2011Window(const AppContext& context);
    ~Trial2011Window() override;

    const Trial2011Form& form() const { return m_form; }
    // The design window's fields after a calculation: the window is reset and takes them over.
    void takeDesign(const Fields& design);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillLists();
    void fitMixTable();
    void bindControls();
    void centreOnScreen();
    Trial2011Record record();

    void fieldChanged(const QString& name);
    void densityMethodChanged();
    void showChart();
    void trialMixClicked();
    void regressClicked();
    void adjustClicked();
    void siteMixClicked();
    void saveRecordClicked();
    void openRecordClicked();
    void viewRecordClicked();

    const AppContext& m_context;
    std::unique_ptr<Ui::Trial2011Window> m_ui;
    WidgetFields m_fields;
    Trial2011Form m_form;
    // The name of the last record saved or opened; empty before.
    QString m_savedName;
};
