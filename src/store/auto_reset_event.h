#pragma once
// An auto-reset event: Set wakes one waiter, and the wait that sees it clears it again.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kov {

class AutoResetEvent {
public:
    void Set() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        cv_.notify_one();
    }

    // True when the event was (or became) signalled within timeout; the event is then reset.
    bool WaitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, timeout, [this] { return signalled_; }))
            return false;
        signalled_ = false;
        return true;
    }

    bool IsSet() const {
        std::lock_guard lock(mutex_);
        return signalled_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

// The process-wide state-changed event: every change of a card record signals it.
AutoResetEvent& StateChangedEvent();

}  // namespace kov
