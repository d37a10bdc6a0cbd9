#pragma once
// Finding windows and reading their texts and classes, for the helpers that look at windows
// from outside.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline std::wstring windowText(HWND window) {
    wchar_t buffer[4096];
    const int length = static_cast<int>(SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer)));
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

// A control's text within the time, or nothing when its thread does not answer by then.
inline std::optional<std::wstring> textWithin(HWND window, UINT milliseconds) {
    wchar_t buffer[256] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, milliseconds, &length))
        return std::nullopt;
    return std::wstring(buffer);
}

inline std::wstring className(HWND window) {
    wchar_t buffer[256];
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, static_cast<size_t>(length));
}

// A top-level window's caption, read without a message: a window that hangs does not hold the probe.
inline std::wstring captionOf(HWND window) {
    wchar_t buffer[512];
    const int length = GetWindowTextW(window, buffer, 512);
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

// The windows that pass a test, in the order Windows enumerates them.
using WindowTest = std::function<bool(HWND)>;

struct Search {
    const WindowTest& test;
    std::vector<HWND> found;
};

inline BOOL CALLBACK collectWhere(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (search->test(window)) search->found.push_back(window);
    return TRUE;
}

inline std::vector<HWND> topWindowsWhere(const WindowTest& test) {
    Search search{test, {}};
    EnumWindows(collectWhere, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// All descendants, not only the direct children.
inline std::vector<HWND> childrenWhere(HWND parent, const WindowTest& test) {
    Search search{test, {}};
    EnumChildWindows(parent, collectWhere, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::vector<HWND> children(HWND parent) {
    return childrenWhere(parent, [](HWND) { return true; });
}

inline HWND first(const std::vector<HWND>& windows) { return windows.empty() ? nullptr : windows.front(); }

inline std::vector<HWND> visibleOfClass(std::wstring_view windowClass) {
    return topWindowsWhere([&](HWND w) { return IsWindowVisible(w) && className(w) == windowClass; });
}
