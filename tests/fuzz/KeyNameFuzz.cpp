// Fuzz target: any bytes as the key that a scripting host asks the component to press.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "component/KeyNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto key = qdauto::virtualKeyFromName(text);
    // A key is a virtual-key code that the input calls accept.
    if (key && (*key < 1 || *key > 254)) __builtin_trap();
    // ASCII letter case never changes the key.
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (qdauto::virtualKeyFromName(upper) != key) __builtin_trap();
    return 0;
}
