// Fuzz target: any bytes as code page 936 text (GBK with GB18030's forms), decoded and written
// back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/CodePage936.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = text::fromCodePage936(bytes);
    // What was read is written so that it reads back the same, nothing lost.
    if (text::fromCodePage936(text::toCodePage936(text)) != text) __builtin_trap();
    return 0;
}
