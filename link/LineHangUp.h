#pragma once
class QSerialPort;

// Whether the line of an open port was hung up (the device's end closed, a USB adapter
// pulled out): every read then returns nothing at once, for ever.
bool lineHungUp(const QSerialPort& port);
