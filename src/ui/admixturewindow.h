#pragma once

#include "admixture/admixturewater.h"
#include "ui/widgetfields.h"

#include <QWidget>

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

protected:
    // The window manager's frame is known only once the window is shown: it is kept on screen whenever the
    // window is shown or moved.
    bool event(QEvent* event) override;

private:
    void buildControls();
    void placeOnScreen();
    void keepOnScreen();

    WindowManager& m_windows;
    WidgetFields m_fields;
    AdmixtureWater m_water;
};
