#pragma once
#include <QString>
#include <QStringList>

// The machine's serial ports in the platform's order: port names on Windows (COM3),
// system locations elsewhere (/dev/ttyUSB0).
QStringList platformSerialPorts();

// The path that opens port `name`. On Windows a name whose fourth and fifth characters
// read as 10 or more needs the "\\.\" prefix (throws ConversionError when they are not
// a number); elsewhere the name is the path.
QString portOpenPath(const QString& name);

// The system's name of port `name`, as the line that opens it reports it (a network
// line's is its name). Throws as portOpenPath does.
QString portSystemName(const QString& name);
