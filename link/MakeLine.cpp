#include "MakeLine.h"

#include "SerialLine.h"

std::unique_ptr<Line> makeLine(const QString& name) {
    Q_UNUSED(name);
    return std::make_unique<SerialLine>();
}
