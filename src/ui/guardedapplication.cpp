#include "ui/guardedapplication.h"

#include "ui/internalerror.h"

#include <exception>

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    if (!m_handler)
        return QApplication::notify(receiver, event);
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        qCritical("exception outside a guarded command: %s", e.what());
        m_handler->report(QString::fromUtf8(e.what()));
    } catch (...) {
        qCritical("exception outside a guarded command");
        m_handler->report(QStringLiteral("unknown exception"));
    }
    return false;
}
