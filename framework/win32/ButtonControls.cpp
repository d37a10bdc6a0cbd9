#include "framework/win32/Controls.h"

#include "text/win32/WideText.h"

namespace framework::win32 {

void Button::create(HWND parent) {
    window_ = createWindow(parent, 0, L"BUTTON", definition().caption, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE);
}

// A button paints a new caption at once, as it takes it; here the caption is set as the default
// window procedure sets it (which is where a button keeps it) and painted with the window's
// next paint, so that the run button's caption does not hold up the start of a run.
void Button::setText(std::string_view text) {
    caption_ = text;
    if (!window_) return;
    DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text::widen(text).c_str()));
    InvalidateRect(window_, nullptr, TRUE);
}

bool Button::onCommand(WPARAM wParam) {
    if (HIWORD(wParam) == BN_CLICKED) fire(Event::Click);
    return true;
}

void CheckBox::create(HWND parent) {
    window_ = createWindow(parent, 0, L"BUTTON", definition().caption, WS_TABSTOP | BS_AUTOCHECKBOX);
    setChecked(definition().checked);
}

bool CheckBox::checked() const { return window_ && SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::setChecked(bool checked) {
    if (window_) SendMessageW(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace framework::win32
