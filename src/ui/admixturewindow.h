#pragma once

#include "admixture/admixturewater.h"
#include "ui/widgetfields.h"

#include <QWidget>

class QPlainTextEdit;
class WindowManager;

// The admixture water window `wai`: base water and reduction rate in, the water content with admixture out,
// and back into the main window's water field. Modeless; it places itself at its fixed spot on the screen.
class AdmixtureWindow : public QWidget {
public:
    explicit AdmixtureWindow(WindowManager& windows);

    Fields& fields() { return m_fields; }

    // The main window's reference water content (its Text26), into Text1.
    void receiveBaseWater(const QString& text);

    void Command1_Click();
    void Command2_Click();

private:
    void buildControls();
    void growForNote(QPlainTextEdit* note);
    void placeOnScreen();

    WindowManager& m_windows;
    WidgetFields m_fields;
    AdmixtureWater m_water;
};
