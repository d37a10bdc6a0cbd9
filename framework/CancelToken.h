#pragma once
// What a run of the player owns to be stopped by: every wait of the run waits on it, and the
// run tests it before every action. A cancel never kills a thread and never waits for one.

#include <atomic>

namespace framework {

class CancelToken {
public:
    virtual ~CancelToken() = default;

    // Returns at once, whatever the run is doing: a wait on the token ends, and the run starts
    // no action after it; one that it had started already may still complete.
    void cancel() {
        cancelled_ = true;
        wake();
    }
    bool cancelled() const { return cancelled_; }

protected:
    // Ends the waits on this token (the platform's waits are woken here).
    virtual void wake() {}

private:
    std::atomic<bool> cancelled_{false};
};

}  // namespace framework
