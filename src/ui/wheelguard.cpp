#include "ui/wheelguard.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>

WheelGuard::WheelGuard() { QCoreApplication::instance()->installEventFilter(this); }

WheelGuard::~WheelGuard() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        if (combo && !combo->hasFocus()) {
            // Unaccepted and filtered out: Qt offers the event to the list's parent widgets instead.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
