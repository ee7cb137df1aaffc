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
        if (event->type() == m_type) {
            const bool leftButton = event->type() != QEvent::MouseButtonRelease ||
                                    static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            if (leftButton)
                m_handler();
        }
        return QObject::eventFilter(watched, event);
    }

private:
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
