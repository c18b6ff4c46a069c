#include "AudioScrollBox.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace {
// One notch of a standard wheel, in eighths of a degree.
constexpr int kNotch = 120;
} // namespace

AudioScrollBox::AudioScrollBox(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->installEventFilter(this);
}

void AudioScrollBox::ScrollBox1MouseWheelDown() {
    // The scroll bar clamps the value to its range.
    verticalScrollBar()->setValue(verticalScrollBar()->value() + kWheelStep);
}

void AudioScrollBox::ScrollBox1MouseWheelUp() {
    verticalScrollBar()->setValue(verticalScrollBar()->value() - kWheelStep);
}

void AudioScrollBox::wheelEvent(QWheelEvent* event) {
    pendingDelta_ += event->angleDelta().y();
    for (; pendingDelta_ >= kNotch; pendingDelta_ -= kNotch)
        ScrollBox1MouseWheelUp();
    for (; pendingDelta_ <= -kNotch; pendingDelta_ += kNotch)
        ScrollBox1MouseWheelDown();
    event->accept();
}

bool AudioScrollBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
