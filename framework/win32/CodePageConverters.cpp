// The code page converters of the system: 936, and 54936 for GB18030.

#include "framework/CodePageConverters.h"

#include <windows.h>

#include "framework/win32/WideText.h"

namespace framework {

namespace {
UINT windowsCodePage(CodePage codePage) { return codePage == CodePage::Gbk ? 936 : 54936; }
}  // namespace

bool encodeRun(CodePage codePage, std::string_view utf8, std::string& out) {
    const std::wstring wide = win32::widen(utf8);
    if (wide.empty()) return true;
    const UINT cp = windowsCodePage(codePage);
    // GB18030 has a form for every character; 936 reports those it has not.
    const DWORD flags = codePage == CodePage::Gbk ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL defaulted = FALSE;
    BOOL* check = codePage == CodePage::Gbk ? &defaulted : nullptr;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(cp, flags, wide.data(), size, nullptr, 0, nullptr, check);
    if (length <= 0 || defaulted) return false;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(length));
    WideCharToMultiByte(cp, flags, wide.data(), size, out.data() + at, length, nullptr, nullptr);
    return true;
}

void decodeRun(CodePage codePage, std::string_view bytes, std::string& out) {
    if (bytes.empty()) return;
    const UINT cp = windowsCodePage(codePage);
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(cp, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        for (size_t i = 0; i < bytes.size(); ++i) out += "\xEF\xBF\xBD";
        return;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(cp, 0, bytes.data(), size, wide.data(), length);
    out += win32::narrow(wide);
}

}  // namespace framework
