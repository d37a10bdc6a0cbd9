#pragma once
// The moments of one run. Each wait ends at a deadline counted from the moment the step before
// it was due, not from when it got done: the reads of cells, the cost of ordinary calls and a
// wait that ended late never add up over a run. A call that takes longer than the allowance (a
// long text typed, a busy target) moves the timeline to its return, so the wait after it is
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

    // Makes a call of the step; one that takes longer than the allowance counts on from its return.
    template <class Call>
    void call(Call&& call) {
        const std::int64_t issued = platform_.clockMicroseconds();
        call();
        const std::int64_t returned = platform_.clockMicroseconds();
        if (returned - issued > CallAllowanceMicroseconds) due_ = returned;
    }

private:
    framework::Platform& platform_;
    framework::CancelToken& token_;
    std::int64_t due_;
};

}  // namespace playback
