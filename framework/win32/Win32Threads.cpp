// The platform's run threads, kept once started.

#include "framework/win32/Win32Platform.h"

#include <windows.h>
#include <objbase.h>

#include <deque>
#include <exception>
#include <memory>
#include <thread>

#include "utils/ScopedWin.h"

namespace framework::win32 {

namespace {

// Threads whose body has returned wait here for the next one: a run then starts on a thread
// that exists and is in COM already (creating a thread and entering COM cost milliseconds).
// Shared with the threads, so that it outlives the platform; the process ends them as they wait.
// The system's own lock and condition variable: under Wine a wake through them is one call to
// the kernel, where the C++ library's go through the server's semaphores.
struct IdleThreads {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE woken = CONDITION_VARIABLE_INIT;
    std::deque<std::function<void()>> bodies;
    int waiting = 0;
};

void serve(const std::shared_ptr<IdleThreads>& idle, std::function<void()> body) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    for (;;) {
        body();
        body = nullptr;  // what it holds is let go before the thread waits
        const utils::ScopedExclusiveLock lock(idle->lock);
        ++idle->waiting;
        while (idle->bodies.empty()) SleepConditionVariableSRW(&idle->woken, &idle->lock, INFINITE, 0);
        body = std::move(idle->bodies.front());
        idle->bodies.pop_front();
    }
}

}  // namespace

bool Win32Platform::startThread(std::function<void()> body) {
    static const auto idle = std::make_shared<IdleThreads>();
    try {
        {
            const utils::ScopedExclusiveLock lock(idle->lock);
            if (idle->waiting > 0) {
                idle->bodies.push_back(std::move(body));
                --idle->waiting;
                WakeConditionVariable(&idle->woken);
                return true;
            }
        }
        std::thread(serve, idle, std::move(body)).detach();
        return true;
    } catch (const std::exception&) {  // the system made no thread (std::system_error), or memory ran out
        return false;
    }
}

}  // namespace framework::win32
