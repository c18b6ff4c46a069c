#pragma once
#include "Line.h"

#include <QString>

#include <memory>

// The line for port `name`, chosen by the name's form: a network serial server for
// "tcp://HOST:PORT" (raw bytes) and "rfc2217://HOST:PORT" (Telnet COM port control), a
// local serial port otherwise.
std::unique_ptr<Line> makeLine(const QString& name);
