#pragma once
// The program's text is UTF-8; Windows' wide APIs take UTF-16. Conversions at the boundary.

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The count of units handed to one of the system's converters, which count in int, when each
// unit can become at most unitsOut units: a text whose converted form could pass an int is
// refused (std::length_error) rather than cut or emptied.
int converterCount(std::size_t units, int unitsOut);

}  // namespace text
