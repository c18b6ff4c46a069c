#include "WriteJournal.h"

WriteJournal::WriteJournal(std::size_t capacity) : capacity_(capacity) {
    clock_.start();
}

void WriteJournal::note(const QByteArray& bytes) {
    if (entries_.size() >= capacity_)
        entries_.pop_front();
    entries_.push_back({clock_.nsecsElapsed(), bytes});
}
