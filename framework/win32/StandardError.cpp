// The standard error of a program built for the windowed subsystem, which Windows starts
// without a console: where the standard error is redirected (to a file or a pipe) it is that;
// where it is not, the console of the program that started this one, if there is one.

#include <windows.h>

#include <string>

#include "framework/win32/Win32Platform.h"
#include "text/win32/WideText.h"

namespace framework::win32 {
namespace {

// Found at the first line and kept: attaching to a console twice is refused.
HANDLE errorOutput() {
    static const HANDLE output = [] {
        const HANDLE redirected = GetStdHandle(STD_ERROR_HANDLE);
        if (redirected && redirected != INVALID_HANDLE_VALUE && GetFileType(redirected) != FILE_TYPE_UNKNOWN)
            return redirected;
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
        return CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }();
    return output;
}

}  // namespace

// A console takes the text as UTF-16, whatever its code page; a file or a pipe takes UTF-8.
void Win32Platform::writeStandardError(std::string_view line) {
    const HANDLE output = errorOutput();
    if (output == INVALID_HANDLE_VALUE) return;
    const std::string text = std::string(line) + "\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(output, &mode)) {
        const std::wstring wide = text::widen(text);
        WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

}  // namespace framework::win32
