#pragma once
// What a run of the player owns to be stopped by: every wait of the run waits on it, and every
// action of the run is made through it. A cancel never kills a thread.

#include <atomic>
#include <mutex>

namespace framework {

class CancelToken {
public:
    virtual ~CancelToken() = default;

    // After cancel() returns, no action starts through this token and none is in progress; a
    // wait on it ends at once.
    void cancel() {
        const std::lock_guard lock(actions_);
        cancelled_ = true;
        wake();
    }
    bool cancelled() const { return cancelled_; }

    // Runs the action unless the token is cancelled; true when it ran.
    template <class Action>
    bool run(Action&& action) {
        const std::lock_guard lock(actions_);
        if (cancelled_) return false;
        action();
        return true;
    }

protected:
    // Ends the waits on this token (the platform's waits are woken here).
    virtual void wake() {}

private:
    std::mutex actions_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace framework
