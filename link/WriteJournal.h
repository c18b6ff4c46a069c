#pragma once
#include <QByteArray>
#include <QElapsedTimer>

#include <cstddef>
#include <deque>

// The last writes to the port with their monotonic times, so pacing can be checked
// from outside. Bounded: a long transfer keeps only its most recent writes.
class WriteJournal {
public:
    struct Entry {
        qint64 nsecs; // since the journal was created
        QByteArray bytes;
    };

    explicit WriteJournal(std::size_t capacity = 4096);
    void note(const QByteArray& bytes);
    void clear() { entries_.clear(); }
    const std::deque<Entry>& entries() const { return entries_; }

private:
    std::size_t capacity_;
    QElapsedTimer clock_;
    std::deque<Entry> entries_;
};
