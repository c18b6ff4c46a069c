#pragma once
#include "Line.h"

#include <QByteArray>
#include <QList>

#include <functional>

// A line the test plays the device on, without a port: it opens under any name, records
// every write, and holds the bytes the test feeds until the program reads them.
class ScriptedLine : public Line {
    Q_OBJECT
public:
    LineOpen open(const QString& name) override;
    bool isOpen() const override { return open_; }
    QString systemName() const override { return name_; }
    void write(const QByteArray& bytes) override;
    qint64 bytesWaiting() const override { return pending_.size(); }
    qint64 read(char* into, qint64 max) override;
    // Nothing can arrive while it blocks: with nothing waiting it sleeps `maxWaitMs`.
    void waitForBytes(int maxWaitMs) override;
    void discardInput() override;
    void close() override { open_ = false; }

    // The device sends `bytes`.
    void feed(const QByteArray& bytes);
    // The device answers each write with what `answer` returns for it.
    void answerWith(std::function<QByteArray(const QByteArray&)> answer);
    // The line is gone (hung up, unplugged).
    void lose() { emit lost(); }

    // Every write so far, one entry each, and all of them as one stream.
    const QList<QByteArray>& writes() const { return writes_; }
    QByteArray written() const;
    // How often the program dropped the input.
    int discards() const { return discards_; }

private:
    bool open_ = true;
    QString name_;
    QByteArray pending_;
    QList<QByteArray> writes_;
    std::function<QByteArray(const QByteArray&)> answer_;
    int discards_ = 0;
};
