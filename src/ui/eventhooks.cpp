#include "ui/eventhooks.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {

class EventHook : public QObject {
public:
    EventHook(QWidget* widget, QEvent::Type type, std::function<void()> handler)
        : QObject(widget), m_type(type), m_handler(std::move(handler)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The release that ends a double-click is not a second click.
        if (event->type() == QEvent::MouseButtonDblClick)
            m_afterDoubleClick = true;
        if (event->type() == m_type) {
            bool fire = true;
            if (m_type == QEvent::MouseButtonRelease) {
                fire = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !m_afterDoubleClick;
                m_afterDoubleClick = false;
            }
            if (fire)
                m_handler();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_afterDoubleClick = false;
    QEvent::Type m_type;
    std::function<void()> m_handler;
};

// Qt sends the focus-out once the new focus widget is known, so the event can tell where the focus went.
class FocusLeaveHook : public QObject {
public:
    FocusLeaveHook(QWidget* widget, std::function<void()> handler)
        : QObject(widget), m_widget(widget), m_handler(std::move(handler)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && movesToOwnWindow(static_cast<QFocusEvent*>(event)))
            m_handler();
        return QObject::eventFilter(watched, event);
    }

private:
    bool movesToOwnWindow(const QFocusEvent* event) const {
        switch (event->reason()) {
        case Qt::PopupFocusReason:        // a menu or the widget's own drop-down opened
        case Qt::ActiveWindowFocusReason: // another window or application became active
        case Qt::MenuBarFocusReason:
            return false;
        default:
            break;
        }
        const QWidget* next = QApplication::focusWidget();
        return next && next != m_widget && !m_widget->isAncestorOf(next) &&
               next->window() == m_widget->window();
    }

    QWidget* m_widget;
    std::function<void()> m_handler;
};

// Waits for the first paint, then for the event loop to be free once more.
class FirstPaintHook : public QObject {
public:
    FirstPaintHook(QWidget* widget, std::function<void()> handler)
        : QObject(widget), m_handler(std::move(handler)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                m_handler();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void onClick(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::MouseButtonRelease, std::move(handler));
}

void onDoubleClick(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::MouseButtonDblClick, std::move(handler));
}

void onFocusOut(QWidget* widget, std::function<void()> handler) {
    new FocusLeaveHook(widget, std::move(handler));
}

void afterFirstPaint(QWidget* widget, std::function<void()> handler) {
    new FirstPaintHook(widget, std::move(handler));
}
