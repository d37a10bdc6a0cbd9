#pragma once
// The system's converter between UTF-8 and code page 936 (GBK), one per platform.

#include <string>
#include <string_view>

namespace text {

// Appends the UTF-8 text in code page 936; false (and nothing appended) when a character has no
// form there.
bool encodeGbk(std::string_view utf8, std::string& out);
// Appends the bytes as UTF-8; bytes that form no character become U+FFFD.
void decodeGbk(std::string_view bytes, std::string& out);

}  // namespace text
