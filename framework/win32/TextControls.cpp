#include "framework/win32/Controls.h"

#include "framework/IntegerInput.h"
#include "framework/win32/Shell.h"
#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;

void Edit::create(HWND parent) {
    window_ = createWindow(parent, 0, L"EDIT", definition().caption, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL);
    SendMessageW(window_, EM_SETLIMITTEXT, 0, 0);
    subclass();
    if (const auto& range = definition().spinner) {
        spinner_ = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                   WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                   0, 0, 0, 0, parent, nullptr, form_.instance(), nullptr);
        SendMessageW(spinner_, UDM_SETRANGE32, static_cast<WPARAM>(range->minimum), static_cast<LPARAM>(range->maximum));
    }
}

void Edit::setVisible(bool visible) {
    Win32Control::setVisible(visible);
    if (spinner_) ShowWindow(spinner_, visible ? SW_SHOW : SW_HIDE);
}

void Edit::setEnabled(bool enabled) {
    Win32Control::setEnabled(enabled);
    if (spinner_) EnableWindow(spinner_, enabled);
}

// The up-down control sits at the box's right edge, wherever the box went.
void Edit::placed(int, int) {
    if (spinner_) SendMessageW(spinner_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(window_), 0);
}

LRESULT Edit::onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool integersOnly = definition().input == EditInput::Integers;
    switch (message) {
        case WM_CHAR:
            if (integersOnly && !integerBoxKeeps(static_cast<char32_t>(wParam))) return 0;
            break;
        case WM_PASTE:
            if (integersOnly) {
                pasteIntegers(window);
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = classProcedure(window, message, wParam, lParam);
            fire(Event::DoubleClick);
            return result;
        }
        default: break;
    }
    return classProcedure(window, message, wParam, lParam);
}

// Of the clipboard's text, only what an integer box keeps goes in.
void Edit::pasteIntegers(HWND window) {
    std::wstring pasted;
    if (const utils::ScopedClipboard clipboard(window); clipboard.opened()) {
        const utils::ScopedGlobalLock<const wchar_t> text(GetClipboardData(CF_UNICODETEXT));
        if (text.get()) pasted = text.get();
    }
    const std::wstring kept = widen(keepIntegerCharacters(narrow(pasted)));
    SendMessageW(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

void Label::create(HWND parent) {
    // A link takes the mouse (for its hand cursor) even before it has a handler.
    const bool takesMouse = definition().linkStyle || handles(Event::LeftButtonDown);
    window_ = createWindow(parent, 0, L"STATIC", definition().caption, SS_LEFT | SS_NOPREFIX | (takesMouse ? SS_NOTIFY : 0));
    subclass();
}

void Label::connected(Event event) {
    if (event == Event::LeftButtonDown && window_)
        SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | SS_NOTIFY);
}

LRESULT Label::onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        fire(Event::LeftButtonDown);
        return 0;
    }
    return classProcedure(window, message, wParam, lParam);
}

namespace {

std::string hyperlinkMarkup(std::string_view caption, std::string_view target) {
    return "<a href=\"" + std::string(target) + "\">" + std::string(caption) + "</a>";
}

}  // namespace

void Hyperlink::create(HWND parent) {
    window_ = createWindow(parent, 0, WC_LINK, hyperlinkMarkup(caption_, definition().target), WS_TABSTOP);
}

void Hyperlink::setText(std::string_view text) {
    caption_ = text;
    SetWindowTextW(window_, widen(hyperlinkMarkup(text, definition().target)).c_str());
}

bool Hyperlink::onNotify(const NMHDR& header) {
    if (header.code != NM_CLICK && header.code != NM_RETURN) return false;
    openWithShell(definition().target);
    return true;
}

}  // namespace framework::win32
