#include "framework/win32/Controls.h"

#include "framework/win32/FormFonts.h"
#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;

void GroupBox::create(HWND parent) {
    window_ = createWindow(parent, WS_EX_CONTROLPARENT, ContainerClass, definition().caption, 0);
    frame_ = CreateWindowExW(0, L"BUTTON", widen(definition().caption).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, 0, 0, 0, window_, nullptr,
                             form_.instance(), nullptr);
}

void GroupBox::applyFonts() {
    Win32Control::applyFonts();
    if (frame_) SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.fonts().message()), TRUE);
}

void GroupBox::keepFrameBehind() {
    if (frame_) SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::string GroupBox::text() const { return frame_ ? narrow(windowText(frame_)) : Win32Control::text(); }

void GroupBox::setText(std::string_view text) {
    if (frame_) SetWindowTextW(frame_, widen(text).c_str());
    Win32Control::setText(text);
}

void GroupBox::placed(int width, int height) {
    if (frame_) SetWindowPos(frame_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HtmlViewer::create(HWND parent) { window_ = createWindow(parent, 0, ContainerClass, "", 0); }

void HtmlViewer::navigate(std::string_view address) {
    if (!window_) return;
    SetWindowTextW(window_, widen(address).c_str());
    if (!browser_) browser_ = std::make_unique<WebBrowserHost>(window_);
    browser_->navigate(address);
}

void HtmlViewer::placed(int, int) {
    if (browser_) browser_->fit();
}

}  // namespace framework::win32
