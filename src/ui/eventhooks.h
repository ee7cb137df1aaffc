#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Binds plain widgets' clicks, double-clicks and focus loss to handlers, so labels and fields need no
// subclass. The hook is a child of the widget and lives as long as it does.
void onClick(QWidget* widget, std::function<void()> handler);
void onDoubleClick(QWidget* widget, std::function<void()> handler);
// Focus loss as a person means it: the focus moves from the widget to another control of its window (Tab,
// Shift+Tab, a click, a command), not to another window or application, a menu or the widget's own drop-down.
void onFocusOut(QWidget* widget, std::function<void()> handler);
// Runs the handler once, when the event loop is free again after the widget was first painted: work that
// can wait for the window to show (a background start) never delays it.
void afterFirstPaint(QWidget* widget, std::function<void()> handler);
