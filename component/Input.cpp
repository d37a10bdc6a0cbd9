#include "component/Input.h"

#include "component/KeyNames.h"
#include "component/Module.h"

#include <new>

namespace qdauto::input {
namespace {

SRWLOCK inputLock = SRWLOCK_INIT;

class Serialized {
public:
    Serialized() { AcquireSRWLockExclusive(&inputLock); }
    ~Serialized() { ReleaseSRWLockExclusive(&inputLock); }
    Serialized(const Serialized&) = delete;
    Serialized& operator=(const Serialized&) = delete;
};

// Screen coordinates in physical pixels for this thread, for the length of a call.
class PhysicalPixels {
public:
    PhysicalPixels() : previous_(SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        if (!previous_) previous_ = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    }
    ~PhysicalPixels() {
        if (previous_) SetThreadDpiAwarenessContext(previous_);
    }
    PhysicalPixels(const PhysicalPixels&) = delete;
    PhysicalPixels& operator=(const PhysicalPixels&) = delete;

private:
    DPI_AWARENESS_CONTEXT previous_;
};

bool cursorIsAt(int x, int y) {
    POINT position;
    return GetCursorPos(&position) && position.x == x && position.y == y;
}

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT keyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

// Sends press and release pairs in one call. Input blocked part-way can leave the last press
// without its release; the release is sent on its own then, so nothing stays held down.
bool sendReleasingOnFailure(INPUT* events, UINT count, INPUT release) {
    const UINT sent = SendInput(count, events, sizeof(INPUT));
    if (sent % 2 == 1) SendInput(1, &release, sizeof(INPUT));
    return sent == count;
}

}  // namespace

// Under Wine's X11 desktops a new cursor position can be undone a few milliseconds later by a
// pointer motion of the one before; placed once more after that, it stays. A thread of the
// library does that second placement, so that a move returns at once.
bool runningUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

class SecondPlacement {
public:
    // Made on first use, and kept as long as the process runs (no static guard of the runtime).
    static SecondPlacement& instance() {
        static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
        alignas(SecondPlacement) static unsigned char storage[sizeof(SecondPlacement)];
        InitOnceExecuteOnce(
            &once, [](INIT_ONCE*, void* place, void**) -> BOOL { return new (place) SecondPlacement != nullptr; }, storage,
            nullptr);
        return *reinterpret_cast<SecondPlacement*>(storage);
    }

    void schedule(int x, int y) {
        AcquireSRWLockExclusive(&lock_);
        point_ = {x, y};
        due_ = now() + kDelay;
        pending_ = true;
        ReleaseSRWLockExclusive(&lock_);
        WakeAllConditionVariable(&changed_);
    }

    // Returns once no second placement is due (a click must not come before it).
    void settle() {
        AcquireSRWLockExclusive(&lock_);
        while (pending_) SleepConditionVariableSRW(&done_, &lock_, INFINITE, 0);
        ReleaseSRWLockExclusive(&lock_);
    }

private:
    static constexpr double kDelay = 5.0;  // milliseconds

    SecondPlacement() {
        module::addUse();  // the thread keeps the library loaded
        CloseHandle(CreateThread(nullptr, 0, run, this, 0, nullptr));
    }

    static double now() {
        LARGE_INTEGER counter, frequency;
        QueryPerformanceCounter(&counter);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    }

    static DWORD WINAPI run(void* self) {
        auto& placement = *static_cast<SecondPlacement*>(self);
        AcquireSRWLockExclusive(&placement.lock_);
        for (;;) {
            while (!placement.pending_) SleepConditionVariableSRW(&placement.changed_, &placement.lock_, INFINITE, 0);
            // A later move before the time is due moves the time on.
            for (double left = placement.due_ - now(); left > 0; left = placement.due_ - now())
                SleepConditionVariableSRW(&placement.changed_, &placement.lock_, static_cast<DWORD>(left) + 1, 0);
            PhysicalPixels physical;
            SetCursorPos(placement.point_.x, placement.point_.y);
            placement.pending_ = false;
            WakeAllConditionVariable(&placement.done_);
        }
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE done_ = CONDITION_VARIABLE_INIT;
    POINT point_{};
    double due_ = 0;
    bool pending_ = false;
};

// The cursor is placed directly rather than by injected absolute moves: where those are applied
// late (as under X11 desktops), a late one undoes the next move and the following click lands
// where the cursor was before. Placing the cursor still moves the pointer as a user's move does.
bool moveTo(int x, int y) {
    Serialized serialized;
    PhysicalPixels physical;
    const bool moves = !cursorIsAt(x, y);  // holding the cursor on its point moves nothing
    const bool wine = moves && runningUnderWine();
    if (wine) SecondPlacement::instance().schedule(x, y);
    SetCursorPos(x, y);
    if (cursorIsAt(x, y)) return true;
    if (!wine) return false;
    // Undone already by the late motion: the answer is where the second placement leaves it.
    SecondPlacement::instance().settle();
    return cursorIsAt(x, y);
}

bool click(Button button, int times) {
    if (runningUnderWine()) SecondPlacement::instance().settle();
    Serialized serialized;
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    const bool physicalLeft = (button == Button::Left) != swapped;
    const DWORD down = physicalLeft ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    const DWORD up = physicalLeft ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    // All events in one call: the second click follows the first at once, well within the
    // double-click time, and nothing else's input comes between them.
    INPUT events[4];
    UINT count = 0;
    for (int i = 0; i < times && count + 2 <= 4; ++i) {
        events[count++] = mouseInput(down);
        events[count++] = mouseInput(up);
    }
    return sendReleasingOnFailure(events, count, mouseInput(up));
}

bool sendText(HWND window, std::wstring_view text) {
    Serialized serialized;
    if (!IsWindow(window)) return false;
    // One WM_CHAR per UTF-16 unit, in order: a surrogate pair arrives as its two halves, one
    // after the other, which the window puts together again.
    for (const wchar_t unit : text) {
        int attempts = 0;
        while (!PostMessageW(window, WM_CHAR, static_cast<WPARAM>(unit), 1)) {
            // A full message queue drains as the window reads it; a closed window does not.
            if (GetLastError() != ERROR_NOT_ENOUGH_QUOTA || ++attempts > 2000 || !IsWindow(window)) return false;
            Sleep(1);
        }
    }
    return true;
}

bool pressKey(int virtualKey) {
    if (virtualKey < 1 || virtualKey > 254) return false;
    Serialized serialized;
    const WORD key = static_cast<WORD>(virtualKey);
    const WORD scanCode = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    const DWORD extended = isExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0;
    INPUT events[] = {keyInput(key, scanCode, extended), keyInput(key, scanCode, extended | KEYEVENTF_KEYUP)};
    return sendReleasingOnFailure(events, 2, events[1]);
}

}  // namespace qdauto::input
