#include "info/infocontrols.h"

const QList<Control>& Form2::controls() {
    static const QList<Control> all = {{heading, ControlKind::Label}, {text, ControlKind::TextArea}};
    return all;
}

const QList<Control>& Form5::controls() {
    static const QList<Control> all = {{text, ControlKind::TextArea}};
    return all;
}

const QList<Control>& Form6::controls() {
    static const QList<Control> all = {{text, ControlKind::TextArea}};
    return all;
}

const QList<Control>& Form7::controls() {
    static const QList<Control> all = {
        {title, ControlKind::Label},   {edition, ControlKind::Label}, {greeting, ControlKind::Label},
        {message, ControlKind::Label}, {thanks, ControlKind::Label},  {phone, ControlKind::Label},
        {mail, ControlKind::Label},    {qq, ControlKind::Label},      {link, ControlKind::Label}};
    return all;
}
