#pragma once
#include <QtGlobal>

class DeviceLink;

// For a loop that reads the port itself (the firmware loader's unframed bytes): lets the
// window handle its pending events, then, when nothing is waiting at the port, waits at
// most `maxWaitMs` for bytes to arrive instead of spinning. Returns the number of bytes
// waiting; 0 when the port is closed or the link shut down.
qint64 waitForRawInput(DeviceLink& link, int maxWaitMs);
