#include "ScriptedLine.h"

#include <QThread>

#include <algorithm>
#include <cstring>

LineOpen ScriptedLine::open(const QString& name) {
    name_ = name;
    open_ = true;
    return LineOpen::Opened;
}

void ScriptedLine::write(const QByteArray& bytes) {
    writes_.append(bytes);
    if (answer_)
        feed(answer_(bytes));
}

qint64 ScriptedLine::read(char* into, qint64 max) {
    const qint64 n = std::min<qint64>(max, pending_.size());
    std::memcpy(into, pending_.constData(), static_cast<std::size_t>(n));
    pending_.remove(0, n);
    return n;
}

void ScriptedLine::waitForBytes(int maxWaitMs) {
    if (pending_.isEmpty())
        QThread::msleep(static_cast<unsigned long>(maxWaitMs));
}

void ScriptedLine::discardInput() {
    pending_.clear();
    ++discards_;
}

void ScriptedLine::feed(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    pending_ += bytes;
    emit bytesArrived();
}

void ScriptedLine::answerWith(std::function<QByteArray(const QByteArray&)> answer) {
    answer_ = std::move(answer);
}

QByteArray ScriptedLine::written() const {
    QByteArray all;
    for (const QByteArray& bytes : writes_)
        all += bytes;
    return all;
}
