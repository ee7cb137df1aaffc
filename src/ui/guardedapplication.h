#pragma once

#include <QApplication>

class InternalError;

// The one place where an exception escaping a window's event handler is caught: it is reported through the
// InternalError given, and the event loop goes on.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Until this is called, an escaping exception ends the program as before.
    void setInternalError(InternalError* handler) { m_handler = handler; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    InternalError* m_handler = nullptr;
};
