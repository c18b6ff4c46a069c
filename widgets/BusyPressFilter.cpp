#include "BusyPressFilter.h"

#include "DeviceLink.h"

#include <QEvent>
#include <QKeyEvent>

namespace {

// Keys with which a focused radio button checks itself (space) or its neighbour (arrows).
bool selectsAButton(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<const QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Space:
    case Qt::Key_Select:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyPressFilter::BusyPressFilter(const DeviceLink& link, QObject* parent)
    : QObject(parent), link_(link) {}

bool BusyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    // Releases pass: a press taken before the operation began must still end.
    const bool press = event->type() == QEvent::MouseButtonPress ||
                       event->type() == QEvent::MouseButtonDblClick || selectsAButton(event);
    if (press && link_.operationRunning())
        return true;
    return QObject::eventFilter(watched, event);
}
