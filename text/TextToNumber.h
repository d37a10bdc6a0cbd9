#pragma once
// Text to number, wherever a control's text becomes a coordinate, a count or a delay.

#include <cstdint>
#include <string_view>

namespace text {

// Full-width forms of ASCII characters (and the ideographic space) are narrowed first; then
// leading white space is skipped and the longest leading decimal number is read: optional
// sign, digits, optional point and fraction, optional exponent. No number gives 0.
double textToNumber(std::string_view utf8);

// Truncation toward zero (12.7 gives 12, -3.5 gives -3), bounded to the 32-bit range.
std::int32_t truncateToInt32(double value);

// textToNumber, then truncateToInt32.
inline std::int32_t textToInt32(std::string_view utf8) { return truncateToInt32(textToNumber(utf8)); }

}  // namespace text
