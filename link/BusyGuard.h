#pragma once
#include <functional>

// One device operation at a time. An operation holds a BusyGuard::Operation for its
// whole run; a second one is refused while it lives. Disconnect never asks: it ends the
// current session, and the running operation sees that through cancelled().
class BusyGuard {
public:
    class Operation {
    public:
        Operation() = default;
        Operation(Operation&& other) noexcept;
        Operation& operator=(Operation&& other) noexcept;
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;
        ~Operation();

        explicit operator bool() const { return guard_ != nullptr; }
        // True once the link was disconnected (or the program began closing, or the
        // operation was stopped) since this began: the operation must send nothing more
        // and end as a failure.
        bool cancelled() const;

        // What BusyGuard::tryBegin() does.
        static Operation claim(BusyGuard& guard);

    private:
        Operation(BusyGuard* guard, unsigned session) : guard_(guard), session_(session) {}
        void release();

        BusyGuard* guard_ = nullptr;
        unsigned session_ = 0;
    };

    // An empty (false) Operation when another one runs: the caller does nothing.
    Operation tryBegin();
    bool busy() const { return busy_; }
    // The link was disconnected, is closing, or stops the running operation: running
    // operations are cancelled.
    void endSession() { ++session_; }
    // Runs each time an operation ends.
    void onOperationEnd(std::function<void()> ended) { ended_ = std::move(ended); }

private:
    bool busy_ = false;
    unsigned session_ = 0;
    std::function<void()> ended_;
};
