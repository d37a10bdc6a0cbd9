#include "framework/win32/Controls.h"

#include "text/win32/WideText.h"

namespace framework::win32 {
namespace {

constexpr UINT ShowCaption = WM_APP + 1;

}  // namespace

void Button::create(HWND parent) {
    window_ = createWindow(parent, 0, L"BUTTON", definition().caption, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE);
    subclass();
}

// A button paints a new caption as it takes it, which would hold up what set it (the run
// button's caption is set as a run starts): the caption is the control's at once, and its
// window's when the thread next reads its messages, before any input that comes after.
void Button::setText(std::string_view text) {
    caption_ = text;
    if (!window_ || captionPending_) return;
    captionPending_ = PostMessageW(window_, ShowCaption, 0, 0) != FALSE;
    if (!captionPending_) SetWindowTextW(window_, text::widen(caption_).c_str());
}

LRESULT Button::onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != ShowCaption) return classProcedure(window, message, wParam, lParam);
    captionPending_ = false;
    SetWindowTextW(window, text::widen(caption_).c_str());
    return 0;
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
