#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Binds plain widgets' clicks, double-clicks and focus loss to handlers, so labels and fields need no
// subclass. The hook is a child of the widget and lives as long as it does.
void onClick(QWidget* widget, std::function<void()> handler);
void onDoubleClick(QWidget* widget, std::function<void()> handler);
void onFocusOut(QWidget* widget, std::function<void()> handler);
