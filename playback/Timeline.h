#pragma once
// The moments of one run. Each wait ends at a deadline counted from the moment the step before
// it was due, not from when it got done, so small costs (reading cells, an ordinary call, a
// wait that woke a little late) never add up over a run. But a wait is never cut short to make
// up for lateness: a step that ends later than the allowance after its due moment, for whatever
// reason (a late wake, a slow read, a wait for another run's call, a slow call), moves the
// timeline to the moment it ended. So every wait lasts at least its milliseconds less the
// allowance, counted from the moment the step before it actually happened.

#include <cstdint>

#include "framework/CancelToken.h"
#include "framework/Platform.h"

namespace playback {

inline constexpr std::int64_t LatenessAllowanceMicroseconds = 3000;

class Timeline {
public:
    Timeline(framework::Platform& platform, framework::CancelToken& token)
        : platform_(platform), token_(token), due_(platform.clockMicroseconds()) {}

    framework::CancelToken& token() { return token_; }

    // Waits until the milliseconds (a negative count waits 0) after the due moment of the step
    // before; that deadline is the next step's due moment. False when the run is cancelled.
    bool wait(int milliseconds) {
        if (milliseconds > 0) due_ += 1000LL * milliseconds;
        const bool waited = platform_.waitUntil(due_, token_);
        stepEnded();
        return waited;
    }

    // A call of the step that was due at the last deadline, and whatever came before it since
    // (reads, a wait for the call lock): the step ends when the call returns.
    template <class Call>
    void call(Call&& call) {
        call();
        stepEnded();
    }

private:
    void stepEnded() {
        const std::int64_t now = platform_.clockMicroseconds();
        if (now - due_ > LatenessAllowanceMicroseconds) due_ = now;
    }

    framework::Platform& platform_;
    framework::CancelToken& token_;
    std::int64_t due_;
};

}  // namespace playback
