#pragma once

#include <QApplication>

class InternalError;

// The last resort for an exception that escapes an event handler no CommandGuard wraps: it has already
// unwound through Qt's code, which need not survive that, so it is reported through the InternalError given
// and the event loop goes on as far as it can. Commands bound to controls never get here: their guard reports
// at the binding.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Until this is called, an escaping exception ends the program as before.
    void setInternalError(InternalError* handler) { m_handler = handler; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    InternalError* m_handler = nullptr;
};
