#include "framework/win32/Controls.h"

#include <commdlg.h>

#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;

std::optional<std::string> FileDialog::showFileDialog() {
    const HWND owner = form_.formWindow();
    if (!owner) return std::nullopt;
    std::wstring filter = widen(definition().filter);
    for (wchar_t& ch : filter)
        if (ch == L'|') ch = L'\0';
    filter.append(2, L'\0');
    std::wstring path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return narrow(path.c_str());
}

void Timer::setInterval(int milliseconds) {
    const HWND owner = form_.formWindow();
    if (!owner) return;
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    const auto timer = static_cast<UINT_PTR>(identifier());
    if (interval_ > 0)
        SetTimer(owner, timer, static_cast<UINT>(interval_), nullptr);
    else
        KillTimer(owner, timer);
}

void Timer::onTimer() {
    if (interval_ > 0) fire(Event::Tick);
}

}  // namespace framework::win32
