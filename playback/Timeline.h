#pragma once
// The moments of one run. Each wait ends at a deadline counted from the moment the step before
// it was due, not from when it got done: the reads of cells and the cost of ordinary calls
// never add up over a run. A step that ends later than the allowance after its due moment (a
// long text typed, a busy target) moves the timeline to its end, so the wait after it is
// never shortened by more than the allowance.

#include <cstdint>

#include "framework/CancelToken.h"
#include "framework/Platform.h"

namespace playback {

inline constexpr std::int64_t CallAllowanceMicroseconds = 3000;

class Timeline {
public:
    Timeline(framework::Platform& platform, framework::CancelToken& token)
        : platform_(platform), token_(token), due_(platform.clockMicroseconds()) {}

    framework::CancelToken& token() { return token_; }

    // Waits until the milliseconds (a negative count waits 0) after the due moment of the step
    // before; that deadline is the next step's due moment. False when the run is cancelled.
    bool wait(int milliseconds) {
        if (milliseconds > 0) due_ += 1000LL * milliseconds;
        return platform_.waitUntil(due_, token_);
    }

    // A call of the step has returned: one that overran the allowance counts on from now.
    void callReturned() {
        const std::int64_t now = platform_.clockMicroseconds();
        if (now - due_ > CallAllowanceMicroseconds) due_ = now;
    }

private:
    framework::Platform& platform_;
    framework::CancelToken& token_;
    std::int64_t due_;
};

}  // namespace playback
