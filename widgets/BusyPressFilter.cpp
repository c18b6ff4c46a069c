#include "BusyPressFilter.h"

#include "DeviceLink.h"

#include <QEvent>

BusyPressFilter::BusyPressFilter(const DeviceLink& link, QObject* parent)
    : QObject(parent), link_(link) {}

bool BusyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    // Releases pass: a press taken before the operation began must still end.
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press && link_.operationRunning())
        return true;
    return QObject::eventFilter(watched, event);
}
