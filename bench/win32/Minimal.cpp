// minimal.exe: the smallest Win32 window program, the yardstick of the start-up benchmark.
// minimal-list-view.exe (LIST_VIEW defined): the same with the program's manifest (common
// controls 6, per-monitor DPI awareness) and an empty report list view filling the window:
// what the platform costs before any work of the program.

#include <windows.h>
#ifdef LIST_VIEW
#include <commctrl.h>
#endif

#include "framework/win32/Identifiers.h"  // the probe finds a window of the program's class

using framework::win32::FormClass;

static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef LIST_VIEW
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = FormClass;
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(FormClass, L"minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 511,
                                      483, nullptr, nullptr, instance, nullptr);
#ifdef LIST_VIEW
    CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 495, 444, window, nullptr, instance, nullptr);
#endif
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
