#pragma once
// Text in the program is UTF-8; data files hold code page 936 (GBK) bytes. A character that
// GBK cannot hold (or holds only as a single byte above 0x7F, as the euro sign) is written in
// its GB18030 form, so nothing is lost, while the rest of the text is byte for byte GBK.

#include <string>
#include <string_view>

namespace text {

std::string toCodePage936(std::string_view text);
// Bytes that are no valid GBK or GB18030 become U+FFFD.
std::string fromCodePage936(std::string_view bytes);

}  // namespace text
