#pragma once
// Text in the program is UTF-8; data files hold code page 936 (GBK) bytes. A character that
// GBK cannot hold is written in its GB18030 four-byte form, so nothing is lost, while text that
// GBK holds is byte for byte GBK.

#include <string>
#include <string_view>

namespace framework {

std::string toCodePage936(std::string_view text);
// Bytes that are no valid GBK or GB18030 become U+FFFD.
std::string fromCodePage936(std::string_view bytes);

}  // namespace framework
