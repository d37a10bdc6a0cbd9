#include "component/Input.h"

#include <new>

#include "component/KeyNames.h"
#include "component/Module.h"
#include "utils/ScopedWin.h"

namespace qdauto::input {
namespace {

SRWLOCK inputLock = SRWLOCK_INIT;

// How long typing waits, in milliseconds, for a window whose message queue is full to take the
// next character.
constexpr ULONGLONG FullQueuePatience = 2000;

// One input call at a time.
class Serialized : utils::ScopedExclusiveLock {
public:
    Serialized() : ScopedExclusiveLock(inputLock) {}
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

// Under Wine's X11 desktops a new cursor position can be undone, a few milliseconds later or
// more on a busy machine, by a late pointer motion of the position before. A thread of the
// library therefore places the cursor once more 5 ms after a move, and until 150 ms after it
// places it again whenever it has left the point, so that a move returns at once and a click
// that follows lands on the point. (Not longer: a user's own move after that is left alone.)
// It exists only under Wine.
class PlacementKeeper {
public:
    // Made on first use and kept as long as the process runs; null where it is not needed or
    // its thread could not start. (No static guard of the runtime is involved.)
    static PlacementKeeper* instance() {
        static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
        alignas(PlacementKeeper) static unsigned char storage[sizeof(PlacementKeeper)];
        void* keeper = nullptr;
        InitOnceExecuteOnce(&once, make, storage, &keeper);
        return static_cast<PlacementKeeper*>(keeper);
    }

    // A move to a new point: the placements start again for it.
    void moved(int x, int y) {
        {
            const utils::ScopedExclusiveLock lock(lock_);
            point_ = {x, y};
            movedAt_ = now();
            ++moves_;
            watching_ = true;
            placed_ = false;
        }
        WakeAllConditionVariable(&changed_);
    }

    // A move to where the cursor already is: placements still due go to this point.
    void aim(int x, int y) {
        const utils::ScopedExclusiveLock lock(lock_);
        if (watching_) point_ = {x, y};
    }

    // Returns once the first placement after the last move is made (a click must not come
    // before it), with the cursor on the point again should a late motion have undone that
    // placement meanwhile.
    void settle() {
        const utils::ScopedExclusiveLock lock(lock_);
        while (watching_ && !placed_) SleepConditionVariableSRW(&done_, &lock_, INFINITE, 0);
        if (watching_) {
            PhysicalPixels physical;
            if (!cursorIsAt(point_.x, point_.y)) SetCursorPos(point_.x, point_.y);
        }
    }

private:
    static BOOL CALLBACK make(INIT_ONCE*, void* place, void** made) {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return TRUE;
        auto* keeper = new (place) PlacementKeeper;
        if (keeper->start()) *made = keeper;
        return TRUE;
    }

    // Milliseconds after a move: the first placement, then the checks.
    static constexpr double Placements[] = {5, 20, 50, 100, 150};

    PlacementKeeper() = default;

    bool start() {
        // The thread runs on without its handle.
        if (!utils::ScopedHandle(CreateThread(nullptr, 0, run, this, 0, nullptr))) return false;
        module::addUse();  // the thread keeps the library loaded
        return true;
    }

    static double now() {
        LARGE_INTEGER counter, frequency;
        QueryPerformanceCounter(&counter);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    }

    static DWORD WINAPI run(void* self) {
        auto& keeper = *static_cast<PlacementKeeper*>(self);
        AcquireSRWLockExclusive(&keeper.lock_);
        for (;;) {
            while (!keeper.watching_) SleepConditionVariableSRW(&keeper.changed_, &keeper.lock_, INFINITE, 0);
            const unsigned move = keeper.moves_;
            for (const double after : Placements) {
                for (double left = keeper.movedAt_ + after - now(); left > 0 && keeper.moves_ == move;
                     left = keeper.movedAt_ + after - now())
                    SleepConditionVariableSRW(&keeper.changed_, &keeper.lock_, static_cast<DWORD>(left) + 1, 0);
                if (keeper.moves_ != move) break;  // a newer move starts again
                PhysicalPixels physical;
                if (!keeper.placed_ || !cursorIsAt(keeper.point_.x, keeper.point_.y))
                    SetCursorPos(keeper.point_.x, keeper.point_.y);
                keeper.placed_ = true;
                WakeAllConditionVariable(&keeper.done_);
            }
            if (keeper.moves_ == move) keeper.watching_ = false;
        }
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE done_ = CONDITION_VARIABLE_INIT;
    POINT point_{};
    double movedAt_ = 0;
    unsigned moves_ = 0;
    bool watching_ = false;
    bool placed_ = false;
};

// The cursor is placed directly rather than by injected absolute moves: where those are applied
// late (as under X11 desktops), a late one undoes the next move and the following click lands
// where the cursor was before. Placing the cursor still moves the pointer as a user's move does.
bool moveTo(int x, int y) {
    Serialized serialized;
    PhysicalPixels physical;
    PlacementKeeper* const keeper = PlacementKeeper::instance();
    if (cursorIsAt(x, y)) {  // holding the cursor on its point moves nothing
        if (keeper) keeper->aim(x, y);
        return true;
    }
    if (keeper) keeper->moved(x, y);
    SetCursorPos(x, y);
    if (cursorIsAt(x, y)) return true;
    if (!keeper) return false;
    // Undone already by a late motion: the answer is where the next placement leaves it.
    keeper->settle();
    return cursorIsAt(x, y);
}

bool click(Button button, int times) {
    if (PlacementKeeper* keeper = PlacementKeeper::instance()) keeper->settle();
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
    // A full message queue drains as the window reads it; a closed window does not, and one
    // that took no character for the patience on the clock (whatever a sleep lasts) is given up.
    ULONGLONG lastProgress = GetTickCount64();
    for (const wchar_t unit : text) {
        while (!PostMessageW(window, WM_CHAR, static_cast<WPARAM>(unit), 1)) {
            if (GetLastError() != ERROR_NOT_ENOUGH_QUOTA || GetTickCount64() - lastProgress > FullQueuePatience ||
                !IsWindow(window))
                return false;
            Sleep(1);
        }
        lastProgress = GetTickCount64();
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
