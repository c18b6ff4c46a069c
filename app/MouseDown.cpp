#include "MouseDown.h"

#include <QEvent>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace {

class MouseDownFilter : public QObject {
public:
    MouseDownFilter(QWidget* control, std::function<void()> handler, bool queued)
        : QObject(control), handler_(std::move(handler)), queued_(queued) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::MouseButtonPress && control->isEnabled()) {
            if (queued_) {
                QPointer<QWidget> alive(control);
                auto handler = handler_;
                QMetaObject::invokeMethod(
                    this,
                    [alive, handler] {
                        if (alive)
                            handler();
                    },
                    Qt::QueuedConnection);
            } else {
                handler_();
            }
        }
        return false;
    }

private:
    std::function<void()> handler_;
    bool queued_;
};

} // namespace

void onMouseDown(QWidget* control, std::function<void()> handler) {
    control->installEventFilter(new MouseDownFilter(control, std::move(handler), false));
}

void onMouseDownQueued(QWidget* control, std::function<void()> handler) {
    control->installEventFilter(new MouseDownFilter(control, std::move(handler), true));
}
