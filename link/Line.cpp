#include "Line.h"

#include "SerialLine.h"

#include <algorithm>

void Line::skip(qint64 count) {
    char scrap[256];
    while (count > 0) {
        const qint64 got = read(scrap, std::min<qint64>(count, sizeof scrap));
        if (got <= 0)
            return;
        count -= got;
    }
}

std::unique_ptr<Line> makeLine(const QString& name) {
    Q_UNUSED(name);
    return std::make_unique<SerialLine>();
}
