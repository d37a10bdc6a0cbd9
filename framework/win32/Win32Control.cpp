#include "framework/win32/Win32Control.h"

#include "framework/win32/FormFonts.h"
#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;

// Short texts, nearly all, in one message; the length is asked for only when a text fills the buffer.
std::wstring windowText(HWND window, WNDPROC procedure) {
    const auto ask = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        return static_cast<size_t>(procedure ? CallWindowProcW(procedure, window, message, wParam, lParam)
                                             : SendMessageW(window, message, wParam, lParam));
    };
    wchar_t buffer[128];
    const size_t length = ask(WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
    if (length + 1 < std::size(buffer)) return std::wstring(buffer, length);
    std::wstring text(ask(WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(ask(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

Win32Control::Win32Control(FormContext& form, const ControlDefinition& definition, int index)
    : form_(form),
      caption_(definition.caption),
      definition_(definition),
      index_(index),
      position_{definition.place.left, definition.place.top} {}

HWND Win32Control::createWindow(HWND parent, DWORD exStyle, const wchar_t* windowClass, std::string_view text,
                                DWORD style) {
    const DWORD base = WS_CHILD | WS_CLIPSIBLINGS | (definition_.visible ? WS_VISIBLE : 0) |
                       (definition_.enabled ? 0 : WS_DISABLED);
    // The form is the creation parameter that its containers' window procedure looks for.
    return CreateWindowExW(exStyle, windowClass, widen(text).c_str(), base | style, 0, 0, 0, 0, parent,
                           childIdentifier(identifier()), form_.instance(), &form_);
}

void Win32Control::applyFonts() {
    if (window_) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.fonts().of(definition_)), TRUE);
}

void Win32Control::place() {
    if (!window_) return;
    int width = form_.scale(definition_.place.width);
    int height = form_.scale(definition_.place.height);
    if (definition_.fullWidth) {
        RECT client;
        GetClientRect(form_.formWindow(), &client);
        width = client.right;
    }
    height = windowHeight(width, height);
    SetWindowPos(window_, nullptr, form_.scale(position_.x), form_.scale(position_.y), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    placed(width, height);
}

bool Win32Control::visible() const { return window_ && (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Win32Control::setVisible(bool visible) {
    if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

bool Win32Control::enabled() const { return window_ && IsWindowEnabled(window_); }

void Win32Control::setEnabled(bool enabled) {
    if (window_) EnableWindow(window_, enabled);
}

// A subclassed control's text comes from its class's own procedure, past the subclasses on the
// window (an up-down control's on its box), which have nothing to say about it.
std::string Win32Control::text() const { return window_ ? narrow(windowText(window_, classProcedure_)) : caption_; }

void Win32Control::setText(std::string_view text) {
    caption_ = text;
    if (window_) SetWindowTextW(window_, widen(text).c_str());
}

void Win32Control::focus() {
    if (window_) SetFocus(window_);
}

void Win32Control::connect(Event event, Handler handler) {
    handlers_[event] = std::move(handler);
    connected(event);
}

void Win32Control::fire(Event event, int argument) {
    const auto it = handlers_.find(event);
    if (it == handlers_.end()) return;
    const Handler handler = it->second;  // a handler may replace itself or destroy the form
    handler(argument);
}

void Win32Control::subclass() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    classProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProcedure)));
}

LRESULT CALLBACK Win32Control::subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (message == WM_NCDESTROY || !self->form_.formWindow())
        return self->classProcedure(window, message, wParam, lParam);
    return self->onOwnMessage(window, message, wParam, lParam);
}

LRESULT Win32Control::onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return classProcedure(window, message, wParam, lParam);
}

}  // namespace framework::win32
