#pragma once
// The program's text is UTF-8; Windows' wide APIs take UTF-16. Conversions at the boundary.

#include <string>
#include <string_view>

namespace text {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace text
