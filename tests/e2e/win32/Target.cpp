// target.exe: a window that logs the input it receives, one JSON object a line, to the file
// given on its command line: mouse moves and buttons with their client coordinates, key downs
// and ups with their virtual keys, and characters, each with the time of the performance
// counter. Each line is written through at once.
//
//   target LOG-FILE [X Y WIDTH HEIGHT [cursor|hang|siblings]]
//
// With "cursor", a thread also logs every change of the cursor position on the screen
// ("cursor" events, in screen coordinates), polled every 0.1 ms: when a move took effect.
// With "hang", the window stops answering at its first character: it logs a "hung" event
// and never reads a message again, as a program that has stopped responding.
// With "siblings", the client area holds overlapping child windows, each logging the characters
// it receives with its name: "big" (0, 0, 280 x 180), then, later in the order of siblings,
// "medium" (100, 50, 150 x 100), "twin" (the same), "small" (120, 60, 60 x 40), "hidden" (125, 65, 20 x 20, not
// visible) and "wide" (0, 0, 290 x 190).

#include <windows.h>
#include <windowsx.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "utils/ScopedWin.h"

namespace {

std::FILE* logFile = nullptr;
bool hangAtFirstCharacter = false;

// Every line starts with the time, in microseconds of the performance counter.
void logLine(const char* format, ...) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    std::fprintf(logFile, "{\"t\":%lld,", static_cast<long long>(now.QuadPart * 1000000 / frequency.QuadPart));
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(logFile, format + 1, arguments);  // the format's own "{" is written above
    va_end(arguments);
    std::fputc('\n', logFile);
    std::fflush(logFile);
}

const char* mouseMessageName(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP: return "WM_LBUTTONUP";
        case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
        case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
        case WM_RBUTTONUP: return "WM_RBUTTONUP";
        case WM_RBUTTONDBLCLK: return "WM_RBUTTONDBLCLK";
        case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
        case WM_MBUTTONUP: return "WM_MBUTTONUP";
        default: return nullptr;
    }
}

const char* keyMessageName(UINT message) {
    switch (message) {
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
        case WM_SYSKEYUP: return "WM_SYSKEYUP";
        default: return nullptr;
    }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        static LPARAM last = -1;
        if (lParam != last) logLine("{\"event\":\"WM_MOUSEMOVE\",\"x\":%d,\"y\":%d}", GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        last = lParam;
        return 0;
    }
    if (const char* name = mouseMessageName(message)) {
        logLine("{\"event\":\"%s\",\"x\":%d,\"y\":%d}", name, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    }
    if (const char* name = keyMessageName(message)) {
        logLine("{\"event\":\"%s\",\"vk\":%u,\"scan\":%u,\"extended\":%s}", name, static_cast<unsigned>(wParam),
                static_cast<unsigned>((lParam >> 16) & 0xFF), (lParam & (1 << 24)) ? "true" : "false");
    } else if (message == WM_CHAR) {
        logLine("{\"event\":\"WM_CHAR\",\"char\":%u}", static_cast<unsigned>(wParam));
        if (hangAtFirstCharacter) {
            logLine("{\"event\":\"hung\"}");
            Sleep(INFINITE);
        }
        return 0;
    } else if (message == WM_SETFOCUS) {
        logLine("{\"event\":\"focus\"}");
    } else if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC handler, int brush, UINT style = 0) {
    WNDCLASSW windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = handler;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(brush));
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

LRESULT CALLBACK childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        char name[32] = {};
        GetWindowTextA(window, name, sizeof name);
        logLine("{\"event\":\"WM_CHAR\",\"char\":%u,\"child\":\"%s\"}", static_cast<unsigned>(wParam), name);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void createSiblings(HINSTANCE instance, HWND parent) {
    registerClass(instance, L"LandouInputChild", childProcedure, LTGRAY_BRUSH);
    struct Sibling {
        const wchar_t* name;
        int x, y, width, height;
        bool visible;
    };
    for (const Sibling& s : {Sibling{L"big", 0, 0, 280, 180, true}, Sibling{L"medium", 100, 50, 150, 100, true},
                             Sibling{L"twin", 100, 50, 150, 100, true}, Sibling{L"small", 120, 60, 60, 40, true}, Sibling{L"hidden", 125, 65, 20, 20, false},
                             Sibling{L"wide", 0, 0, 290, 190, true}})
        CreateWindowW(L"LandouInputChild", s.name, WS_CHILD | WS_BORDER | (s.visible ? WS_VISIBLE : 0), s.x, s.y, s.width,
                      s.height, parent, nullptr, instance, nullptr);
}

}  // namespace

CRITICAL_SECTION logLock;

DWORD WINAPI watchCursor(void*) {
    POINT last{-100000, -100000};
    for (;;) {
        POINT now;
        if (GetCursorPos(&now) && (now.x != last.x || now.y != last.y)) {
            EnterCriticalSection(&logLock);
            logLine("{\"event\":\"cursor\",\"x\":%ld,\"y\":%ld}", now.x, now.y);
            LeaveCriticalSection(&logLock);
            last = now;
        }
        SwitchToThread();
    }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2 || !(logFile = _wfopen(argv[1], L"w"))) return 2;
    const int x = argc >= 6 ? _wtoi(argv[2]) : 100, y = argc >= 6 ? _wtoi(argv[3]) : 100;
    const int width = argc >= 6 ? _wtoi(argv[4]) : 400, height = argc >= 6 ? _wtoi(argv[5]) : 300;
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    InitializeCriticalSection(&logLock);

    registerClass(instance, L"LandouInputTarget", procedure, WHITE_BRUSH, CS_DBLCLKS);
    const HWND window = CreateWindowW(L"LandouInputTarget", L"input target", WS_OVERLAPPEDWINDOW, x, y, width, height,
                                      nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
    SetFocus(window);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT client;
    GetClientRect(window, &client);
    logLine("{\"event\":\"ready\",\"window\":%ld,\"client\":[%ld,%ld,%ld,%ld]}",
            static_cast<long>(reinterpret_cast<LONG_PTR>(window)), origin.x, origin.y, client.right, client.bottom);

    if (argc >= 7 && std::wstring(argv[6]) == L"cursor") {
        // The watcher runs as long as the program; its handle is not needed.
        const utils::ScopedHandle watcher(CreateThread(nullptr, 0, watchCursor, nullptr, 0, nullptr));
    }
    hangAtFirstCharacter = argc >= 7 && std::wstring(argv[6]) == L"hang";
    if (argc >= 7 && std::wstring(argv[6]) == L"siblings") createSiblings(instance, window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        EnterCriticalSection(&logLock);
        DispatchMessageW(&message);
        LeaveCriticalSection(&logLock);
    }
    std::fclose(logFile);
    return 0;
}
