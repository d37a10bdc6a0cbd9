#pragma once
// The system's converters between UTF-8 and the two Chinese code pages, one per platform.

#include <string>
#include <string_view>

namespace framework {

enum class CodePage { Gbk, Gb18030 };

// Appends the UTF-8 text in the code page; false (and nothing appended) when a character has
// no form there.
bool encodeRun(CodePage codePage, std::string_view utf8, std::string& out);
// Appends the bytes as UTF-8; bytes that form no character become U+FFFD.
void decodeRun(CodePage codePage, std::string_view bytes, std::string& out);

}  // namespace framework
