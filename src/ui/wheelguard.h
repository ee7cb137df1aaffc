#pragma once

#include <QObject>

// Keeps the mouse wheel from changing a drop-down list that does not have the focus: while the user scrolls
// over the window, the wheel passes the list on to the widgets around it. Installed on the whole application
// for as long as it lives.
class WheelGuard : public QObject {
public:
    WheelGuard();
    ~WheelGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
