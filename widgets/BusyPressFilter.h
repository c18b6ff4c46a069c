#pragma once
#include <QObject>

class DeviceLink;

// Swallows mouse presses, and the key presses that select a radio button (arrows,
// space), on the controls it is installed on while the link runs an operation: a
// refused press must leave the radio buttons as they were, and Qt would otherwise
// check one when the button is released or the focus moves.
class BusyPressFilter : public QObject {
public:
    BusyPressFilter(const DeviceLink& link, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const DeviceLink& link_;
};
