#pragma once

#include "design/mixdesign.h"
#include "report/reportexport.h"
#include "ui/widgetfields.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WindowManager;

// The main design window Form1: design inputs, the two result columns, the checks, the exports and the menus.
// It binds controls to the commands of the layers below and holds nothing but its controls' texts.
class MainWindow : public QMainWindow {
public:
    explicit MainWindow(WindowManager& windows, QWidget* parent = nullptr);

    Fields& fields() { return m_fields; }

    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Combo1_LostFocus();
    void Label36_Click();
    void Label37_Click();
    void Label38_Click();
    void Text26_DblClick();
    void Text27_DblClick();
    void Label28_DblClick();
    void Picture3_Click();

    void exit_Click();
    void about_Click();
    void xie_Click();
    void tz_Click();
    void jgj2011_Click();
    void trial2011_Click();
    void kf_Click();
    void help_Click();

protected:
    // Menus' status tips would wipe the status line; the program has none to show.
    bool event(QEvent* event) override;

private:
    // Runs a report export under the busy cursor; a saved report's place goes into the status line.
    void exportReport(bool (ReportExport::*command)());
    void clearStatus();
    void buildControls();
    void buildMenus();
    void bindControls();

    QLabel* addLabel(const QString& name, const QString& text, int x, int y, int w, int h = 24);
    QLineEdit* addField(const QString& name, const QString& text, int x, int y, int w, int h = 24);
    QComboBox* addCombo(const QString& name, const QStringList& items, const QString& text, int x, int y,
                        int w, int h = 24);
    QPushButton* addButton(const QString& name, const QString& caption, int x, int y, int w, int h = 28);
    template <typename T> T* control(const QString& name) const { return findChild<T*>(name); }

    WindowManager& m_windows;
    QWidget* m_canvas;
    WidgetFields m_fields;
    MixDesign m_design;
};
