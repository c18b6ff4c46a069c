#pragma once
#include <QObject>

class DeviceLink;

// Swallows mouse presses on the controls it is installed on while the link runs an
// operation: a refused press must leave a radio button as it was, and Qt would
// otherwise check it when the button is released.
class BusyPressFilter : public QObject {
public:
    BusyPressFilter(const DeviceLink& link, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const DeviceLink& link_;
};
