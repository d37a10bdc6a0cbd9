#include "framework/win32/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;

void openWithShell(std::string_view target) {
    ShellExecuteW(nullptr, L"open", widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace framework::win32
