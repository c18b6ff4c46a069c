#pragma once
#include <QObject>
#include <QPointer>

class DeviceLink;
class QWidget;

// Gives the keyboard focus back to the control that started a device operation. A
// focused control that the operation disables (the analyser's source buttons while it
// reads) hands the focus on to the next control, which may be Disconnect: a Space meant
// for the page would end the connection. When the operation ends with the control
// enabled again and the focus still where it went, the focus goes back. One for the
// whole window.
class FocusReturn : public QObject {
public:
    FocusReturn(const DeviceLink& link, QObject* parent);

private:
    void focusMoved(QWidget* old, QWidget* now);
    void operationEnded();

    const DeviceLink& link_;
    QPointer<QWidget> origin_;  // the control that lost the focus by being disabled
    QPointer<QWidget> movedTo_; // where the focus went
};
