#include "tools/personfocus.h"

#include <QApplication>
#include <QWidget>

namespace {

void activate(QWidget* window) {
    if (QApplication::activeWindow() == window)
        return;
    window->activateWindow();
    // The offscreen platform grants no activation request by itself.
    QApplication::setActiveWindow(window);
}

// The widget that really holds the focus for `control` (an editable list's line edit forwards to the list).
QWidget* focusTarget(QWidget* control) {
    QWidget* target = control;
    while (target->focusProxy())
        target = target->focusProxy();
    return target;
}

bool takesFocus(const QWidget* widget, Qt::FocusPolicy how) {
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & how) == how;
}

} // namespace

void focusByClick(QWidget* control) {
    activate(control->window());
    QWidget* target = focusTarget(control);
    if (takesFocus(target, Qt::ClickFocus))
        target->setFocus(Qt::MouseFocusReason);
}

void focusNextByTab(QWidget* control) {
    activate(control->window());
    QWidget* from = focusTarget(control);
    if (!from->hasFocus())
        from->setFocus(Qt::MouseFocusReason);
    for (QWidget* next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
        if (next->window() == from->window() && !next->focusProxy() && takesFocus(next, Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
