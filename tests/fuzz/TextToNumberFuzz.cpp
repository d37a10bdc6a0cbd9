// Fuzz target: any bytes as the text of a box that becomes a number.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/TextToNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double number = text::textToNumber(text);
    const std::int32_t integer = text::truncateToInt32(number);
    // Truncation toward zero, within the 32-bit range, whatever the number.
    if (!std::isnan(number) && std::fabs(static_cast<double>(integer)) > std::fabs(number) + 0.0) __builtin_trap();
    // Leading spaces change nothing; text after a number's end changes nothing.
    if (text::textToNumber(" " + std::string(text)) != number && !std::isnan(number)) __builtin_trap();
    return 0;
}
