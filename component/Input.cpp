#include "component/Input.h"

#include "component/AbsoluteCoordinates.h"
#include "component/KeyNames.h"

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

bool samePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

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

}  // namespace

bool moveTo(int x, int y) {
    Serialized serialized;
    PhysicalPixels physical;
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width <= 0 || height <= 0) return false;

    // An absolute move over the whole virtual screen, never a relative one: relative moves go
    // through pointer acceleration.
    INPUT move = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK);
    move.mi.dx = normalizedCoordinate(x, left, width);
    move.mi.dy = normalizedCoordinate(y, top, height);
    POINT before{};
    GetCursorPos(&before);
    SendInput(1, &move, sizeof move);

    // The system may apply injected input a moment later. Wait for the cursor to arrive, or to
    // land somewhere else (a neighbouring pixel, or the edge for a point off every monitor).
    const POINT target{x, y};
    const ULONGLONG deadline = GetTickCount64() + 50;
    POINT now{};
    while (GetCursorPos(&now) && samePoint(now, before) && !samePoint(now, target) && GetTickCount64() < deadline)
        Sleep(1);
    if (samePoint(now, target)) return true;

    // It did not arrive: place it directly.
    SetCursorPos(x, y);
    return cursorIsAt(x, y);
}

bool click(Button button, int times) {
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
    return SendInput(count, events, sizeof(INPUT)) == count;
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
    return SendInput(2, events, sizeof(INPUT)) == 2;
}

}  // namespace qdauto::input
