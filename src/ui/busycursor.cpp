#include "ui/busycursor.h"

#include <QApplication>
#include <QCursor>

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

DialogCursor::DialogCursor() : m_pushed(QApplication::overrideCursor() != nullptr) {
    if (m_pushed)
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

DialogCursor::~DialogCursor() {
    if (m_pushed)
        QApplication::restoreOverrideCursor();
}
