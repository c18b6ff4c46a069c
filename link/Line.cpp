#include "Line.h"

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
