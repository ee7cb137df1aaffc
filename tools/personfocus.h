#pragma once

class QWidget;

// The keyboard focus as a person moves it, for the script runner: the window is activated first (with the
// offscreen platform no window manager does it), so Qt delivers real focus changes with their reasons.

// A mouse click into the control: it takes the focus where its focus policy lets a click give it.
void focusByClick(QWidget* control);
// Tab from the control: it takes the focus first (where it does not have it), then the focus moves on to the
// next control of its window in the Tab order.
void focusNextByTab(QWidget* control);
