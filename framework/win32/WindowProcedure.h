#pragma once
// One window procedure for every window class whose windows an object of ours handles.

#include <windows.h>

namespace framework::win32 {

// The object given to CreateWindowEx as its last argument is kept with the window; each message
// then goes to (owner->*Handle)(window, message, wParam, lParam), up to and with WM_NCDESTROY.
// Messages before WM_NCCREATE, and after, go to DefWindowProc.
template <class Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return owner ? (owner->*Handle)(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace framework::win32
