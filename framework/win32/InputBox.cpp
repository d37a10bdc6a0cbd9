#include "framework/win32/InputBox.h"

#include <windows.h>

#include <vector>

namespace framework::win32 {
namespace {

constexpr WORD PromptId = 100;
constexpr WORD TextId = 101;

// Builds a dialog template in memory: no resource script is needed for one small box.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const std::wstring& title, WORD items) {
        add(LOWORD(style));
        add(HIWORD(style));
        add(0);
        add(0);  // extended style
        add(items);
        add(0);
        add(0);  // x, y
        add(static_cast<WORD>(width));
        add(static_cast<WORD>(height));
        add(0);  // no menu
        add(0);  // default class
        addText(title);
        add(9);  // point size of the font
        addText(L"MS Shell Dlg");
    }

    void item(DWORD style, short x, short y, short width, short height, WORD id, WORD windowClass, const std::wstring& text) {
        while (words_.size() % 2) add(0);  // DWORD alignment
        style |= WS_CHILD | WS_VISIBLE;
        add(LOWORD(style));
        add(HIWORD(style));
        add(0);
        add(0);
        for (short v : {x, y, width, height}) add(static_cast<WORD>(v));
        add(id);
        add(0xFFFF);
        add(windowClass);
        addText(text);
        add(0);  // no creation data
    }

    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void add(WORD w) { words_.push_back(w); }
    void addText(const std::wstring& text) {
        words_.insert(words_.end(), text.begin(), text.end());
        add(0);
    }
    std::vector<WORD> words_;
};

struct Exchange {
    const std::wstring& prompt;
    const std::wstring& initialText;
    std::wstring entered;
};

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto* exchange = reinterpret_cast<const Exchange*>(lParam);
            SetDlgItemTextW(dialog, PromptId, exchange->prompt.c_str());
            SetDlgItemTextW(dialog, TextId, exchange->initialText.c_str());
            SendDlgItemMessageW(dialog, TextId, EM_SETLIMITTEXT, 0, 0);
            SetForegroundWindow(dialog);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* exchange = reinterpret_cast<Exchange*>(GetWindowLongPtrW(dialog, DWLP_USER));
                const HWND text = GetDlgItem(dialog, TextId);
                exchange->entered.assign(static_cast<size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
                exchange->entered.resize(static_cast<size_t>(
                    GetWindowTextW(text, exchange->entered.data(), static_cast<int>(exchange->entered.size()))));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

BOOL CALLBACK collectEnabledWindow(HWND window, LPARAM windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

}  // namespace

std::optional<std::wstring> showInputBox(const std::wstring& prompt, const std::wstring& title,
                                         const std::wstring& initialText) {
    DialogTemplate box(DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 220, 62,
                       title, 4);
    box.item(SS_LEFT | SS_NOPREFIX, 7, 7, 206, 9, PromptId, 0x0082, L"");
    box.item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 19, 206, 13, TextId, 0x0081, L"");
    box.item(WS_TABSTOP | BS_DEFPUSHBUTTON, 109, 40, 50, 14, IDOK, 0x0080, L"确定");
    box.item(WS_TABSTOP | BS_PUSHBUTTON, 163, 40, 50, 14, IDCANCEL, 0x0080, L"取消");

    // Task-modal: the thread's other windows take no input while the box is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), collectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND w : disabled) EnableWindow(w, FALSE);
    Exchange exchange{prompt, initialText, {}};
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.data(), nullptr, dialogProcedure,
                                                   reinterpret_cast<LPARAM>(&exchange));
    for (HWND w : disabled) EnableWindow(w, TRUE);
    if (answer != IDOK) return std::nullopt;
    return exchange.entered;
}

}  // namespace framework::win32
