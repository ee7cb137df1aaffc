#include "ui/eventhooks.h"

#include <QEvent>
#include <QMouseEvent>
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

} // namespace

void onClick(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::MouseButtonRelease, std::move(handler));
}

void onDoubleClick(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::MouseButtonDblClick, std::move(handler));
}

void onFocusOut(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::FocusOut, std::move(handler));
}
