#include "FocusReturn.h"

#include "DeviceLink.h"

#include <QApplication>
#include <QWidget>

FocusReturn::FocusReturn(const DeviceLink& link, QObject* parent) : QObject(parent), link_(link) {
    connect(qApp, &QApplication::focusChanged, this, &FocusReturn::focusMoved);
    connect(&link, &DeviceLink::operationEnded, this, &FocusReturn::operationEnded);
}

void FocusReturn::focusMoved(QWidget* old, QWidget* now) {
    // Only the first move counts: later ones come from the user, or from a dialog the
    // operation opened and closed again.
    if (origin_ || !old || old->isEnabled() || !link_.operationRunning())
        return;
    origin_ = old;
    movedTo_ = now;
}

void FocusReturn::operationEnded() {
    QWidget* origin = origin_;
    const bool focusStayed = QApplication::focusWidget() == movedTo_.data();
    origin_ = nullptr;
    movedTo_ = nullptr;
    if (origin && origin->isEnabled() && origin->isVisible() && focusStayed)
        origin->setFocus(Qt::OtherFocusReason);
}
