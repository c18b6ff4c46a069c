// What devsim's trace shows, wherever devsim runs.
#include "DevsimProcess.h"

#include "EventWait.h"

#include <QFile>

std::vector<DevsimProcess::TraceLine> DevsimProcess::trace() const {
    std::vector<TraceLine> lines;
    QFile file(tracePath_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!file.atEnd()) {
        const QList<QByteArray> words = file.readLine().trimmed().split(' ');
        if (words.size() < 2)
            continue;
        TraceLine line{words[0].toLong(), words[1] == "rx", {}};
        for (qsizetype i = 2; i < words.size(); ++i)
            line.bytes.append(static_cast<char>(words[i].toInt(nullptr, 16)));
        lines.push_back(line);
    }
    return lines;
}

std::vector<QByteArray> DevsimProcess::requests() const {
    std::vector<QByteArray> sent;
    for (const TraceLine& line : trace())
        if (line.fromHost)
            sent.push_back(line.bytes);
    return sent;
}

int DevsimProcess::countRequests(const QByteArray& frame) const {
    int count = 0;
    for (const QByteArray& bytes : requests())
        count += bytes.startsWith(frame) ? 1 : 0;
    return count;
}

bool DevsimProcess::waitForLaterPoll() const {
    const QByteArray poll("\x01\x01\x01\x0d", 4);
    const int seen = countRequests(poll);
    return waitUntil([&] { return countRequests(poll) >= seen + 2; }, 30000);
}

QByteArray DevsimProcess::sentStream() const {
    QByteArray all;
    for (const QByteArray& bytes : requests())
        all += bytes;
    return all;
}
