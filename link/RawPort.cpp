#include "RawPort.h"

#include "DeviceLink.h"

#include <QCoreApplication>

qint64 waitForRawInput(DeviceLink& link, int maxWaitMs) {
    QCoreApplication::processEvents();
    if (link.isShutDown() || !link.portOpen())
        return 0;
    QSerialPort& port = link.comHandle();
    port.clearError();
    // Blocks this thread for at most maxWaitMs; the events of that time are handled on
    // the next call.
    if (port.bytesAvailable() == 0)
        port.waitForReadyRead(maxWaitMs);
    return port.isOpen() ? port.bytesAvailable() : 0;
}
