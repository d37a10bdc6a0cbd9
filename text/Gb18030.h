#pragma once
// GB18030's forms for the characters that code page 936 (GBK) cannot hold: four-byte forms, and
// the two-byte forms GB18030 added (the euro sign, CJK radicals, some ideographs).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// The four bytes of the code point; nothing for code points GB18030 writes otherwise.
std::optional<std::string> gb18030FourBytes(char32_t codePoint);

// The code point of four bytes (a lead byte, a digit, a lead byte, a digit); nothing when they
// name no character.
std::optional<char32_t> gb18030CodePoint(std::string_view fourBytes);

// The two bytes (lead byte high) of a character that GB18030 writes in two bytes and GBK lacks;
// nothing for any other code point.
std::optional<std::uint16_t> gb18030TwoBytes(char32_t codePoint);

// The character of such a two-byte form; nothing for any other pair of bytes.
std::optional<char32_t> gb18030TwoByteCharacter(std::uint16_t bytes);

}  // namespace text
