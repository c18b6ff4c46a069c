#include "BusyGuard.h"

#include <utility>

BusyGuard::Operation BusyGuard::tryBegin() {
    if (busy_)
        return {};
    busy_ = true;
    return Operation(this, session_);
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
    if (guard_)
        guard_->busy_ = false;
    guard_ = nullptr;
}

bool BusyGuard::Operation::cancelled() const {
    return !guard_ || guard_->session_ != session_;
}
