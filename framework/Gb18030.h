#pragma once
// GB18030's four-byte forms, for the characters that code page 936 (GBK) cannot hold.

#include <optional>
#include <string>
#include <string_view>

namespace framework {

// The four bytes of the code point; nothing for code points GB18030 writes otherwise.
std::optional<std::string> gb18030FourBytes(char32_t codePoint);

// The code point of four bytes (a lead byte, a digit, a lead byte, a digit); nothing when they
// name no character.
std::optional<char32_t> gb18030CodePoint(std::string_view fourBytes);

}  // namespace framework
