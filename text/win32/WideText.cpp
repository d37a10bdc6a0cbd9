#include "text/win32/WideText.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace text {

int converterCount(std::size_t units, int unitsOut) {
    if (units > static_cast<std::size_t>(INT_MAX / unitsOut)) throw std::length_error("a text too long to convert");
    return static_cast<int>(units);
}

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = converterCount(utf8.size(), 1);
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = converterCount(utf16.size(), 3);
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

}  // namespace text
