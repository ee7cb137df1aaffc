#pragma once

#include <QList>
#include <QString>

// What a named control of a window is, so a window's catalogue can be checked against the window itself.
enum class ControlKind {
    Field,    // one-line text field
    TextArea, // multi-line read-only text
    List,     // editable drop-down list
    Label,    // caption, possibly clickable
    Button,   // command button
    Picture,  // drawn picture or table
    Frame,    // captioned group of controls
};

// One named control of a window.
struct Control {
    QString name;
    ControlKind kind;
};
