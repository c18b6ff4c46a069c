#pragma once
#include "Line.h"

#include <QString>

#include <memory>

// The line for port `name`, chosen by the name's form: a local serial port.
std::unique_ptr<Line> makeLine(const QString& name);
