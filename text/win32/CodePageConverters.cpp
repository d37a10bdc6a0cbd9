// Code page 936 through the system's converter.

#include "text/CodePageConverters.h"

#include <windows.h>

#include "text/win32/WideText.h"

namespace text {

namespace {
constexpr UINT Gbk = 936;
}  // namespace

bool encodeGbk(std::string_view utf8, std::string& out) {
    const std::wstring wide = widen(utf8);
    if (wide.empty()) return true;
    BOOL defaulted = FALSE;
    const int size = converterCount(wide.size(), 2);
    const int length = WideCharToMultiByte(Gbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &defaulted);
    if (length <= 0 || defaulted) return false;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(length));
    WideCharToMultiByte(Gbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data() + at, length, nullptr, nullptr);
    return true;
}

void decodeGbk(std::string_view bytes, std::string& out) {
    if (bytes.empty()) return;
    const int size = converterCount(bytes.size(), 1);
    const int length = MultiByteToWideChar(Gbk, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        for (size_t i = 0; i < bytes.size(); ++i) out += "\xEF\xBF\xBD";
        return;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(Gbk, 0, bytes.data(), size, wide.data(), length);
    out += narrow(wide);
}

}  // namespace text
