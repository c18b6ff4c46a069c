#include "BusyGuard.h"

#include <utility>

BusyGuard::Operation BusyGuard::tryBegin() {
    return Operation::claim(*this);
}

BusyGuard::Operation BusyGuard::Operation::claim(BusyGuard& guard) {
    if (guard.busy_)
        return {};
    guard.busy_ = true;
    return Operation(&guard, guard.session_);
}

BusyGuard::Operation::Operation(Operation&& other) noexcept
    : guard_(std::exchange(other.guard_, nullptr)), session_(other.session_) {}

BusyGuard::Operation& BusyGuard::Operation::operator=(Operation&& other) noexcept {
    if (this != &other) {
        release();
        guard_ = std::exchange(other.guard_, nullptr);
        session_ = other.session_;
    }
    return *this;
}

BusyGuard::Operation::~Operation() {
    release();
}

void BusyGuard::Operation::release() {
    BusyGuard* guard = std::exchange(guard_, nullptr);
    if (!guard)
        return;
    guard->busy_ = false;
    if (guard->ended_)
        guard->ended_();
}

bool BusyGuard::Operation::cancelled() const {
    return !guard_ || guard_->session_ != session_;
}
