// The platform's clock and its waits: the performance counter, and waitable timers that a
// cancel token's event can end early.

#include "framework/win32/Win32Platform.h"

#include <windows.h>
#include <timeapi.h>

#include <memory>

#include "utils/ScopedWin.h"

namespace framework::win32 {

namespace {

// A token whose cancel sets an event that waits on it watch.
class EventToken final : public CancelToken {
public:
    EventToken() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    HANDLE event() const { return event_.get(); }

protected:
    void wake() override { SetEvent(event_.get()); }

private:
    utils::ScopedHandle event_;
};

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// One waitable timer per thread: high resolution where the system has it; else a plain one,
// with the system timer period lowered to 1 ms while it runs.
struct ThreadTimer {
    utils::ScopedHandle handle{CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS)};
    bool highResolution = static_cast<bool>(handle);
    ThreadTimer() {
        if (!handle) handle.reset(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    }
};

}  // namespace

std::shared_ptr<CancelToken> Win32Platform::newCancelToken() { return std::make_shared<EventToken>(); }

namespace {

long long performanceCounter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

long long performanceFrequency() {
    static const long long frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return frequency;
}

// Calls sent from other threads are answered meanwhile (the user-interface thread's waits
// serve the player's thread); nothing else is.
void answerSentCalls() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Sleeps on the thread's timer; false only when the token's event ended the sleep. (Should the
// timer fail, the caller's spin to the end keeps the time.)
bool sleepOnTimer(int milliseconds, HANDLE cancelled) {
    thread_local ThreadTimer timer;
    if (!timer.highResolution) timeBeginPeriod(1);
    LARGE_INTEGER due;
    due.QuadPart = -10000LL * milliseconds;  // relative, in 100 ns
    SetWaitableTimer(timer.handle.get(), &due, 0, nullptr, nullptr, FALSE);
    const HANDLE handles[] = {cancelled, timer.handle.get()};
    DWORD woken = 0;
    while ((woken = MsgWaitForMultipleObjectsEx(2, handles, INFINITE, QS_SENDMESSAGE, 0)) == WAIT_OBJECT_0 + 2)
        answerSentCalls();
    CancelWaitableTimer(timer.handle.get());
    if (!timer.highResolution) timeEndPeriod(1);
    return woken != WAIT_OBJECT_0;
}

// The timer wakes up to this much late; the rest of a wait is spent yielding the processor
// until the performance counter reaches the end.
constexpr int TimerMargin = 2;

}  // namespace

std::int64_t Win32Platform::clockMicroseconds() {
    const long long counter = performanceCounter(), frequency = performanceFrequency();
    return counter / frequency * 1'000'000 + counter % frequency * 1'000'000 / frequency;  // no overflow
}

bool Win32Platform::waitUntil(std::int64_t deadline, CancelToken& token) {
    if (token.cancelled()) return false;
    const long long frequency = performanceFrequency();
    const long long end = deadline / 1'000'000 * frequency + deadline % 1'000'000 * frequency / 1'000'000;
    if (performanceCounter() >= end) return true;
    const long long milliseconds = (end - performanceCounter()) * 1000 / frequency;
    const HANDLE cancelled = static_cast<EventToken&>(token).event();
    if (milliseconds > TimerMargin && !sleepOnTimer(static_cast<int>(milliseconds - TimerMargin), cancelled))
        return false;
    // Looking for sent calls asks the server under Wine: only the thread they come to does.
    const bool answersCalls = GetCurrentThreadId() == answeringThread_;
    while (performanceCounter() < end) {
        if (token.cancelled()) return false;
        if (answersCalls) answerSentCalls();
        SwitchToThread();
    }
    return !token.cancelled();
}

}  // namespace framework::win32
