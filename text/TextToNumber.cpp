#include "text/TextToNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace text {
namespace {

// Replaces U+FF01..U+FF5E by U+0021..U+007E and U+3000 by a space. Other text is kept.
std::string narrowFullWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 == 0xEF && i + 2 < text.size()) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            const unsigned cp = ((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
            if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80 && cp >= 0xFF01 && cp <= 0xFF5E) {
                out += static_cast<char>(cp - 0xFF01 + 0x21);
                i += 3;
                continue;
            }
        } else if (b0 == 0xE3 && text.substr(i, 3) == "\xE3\x80\x80") {
            out += ' ';
            i += 3;
            continue;
        }
        out += static_cast<char>(b0);
        ++i;
    }
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

size_t skipDigits(std::string_view s, size_t i) {
    while (i < s.size() && isDigit(s[i])) ++i;
    return i;
}

}  // namespace

double textToNumber(std::string_view utf8) {
    const std::string text = narrowFullWidth(utf8);
    const std::string_view s = text;
    size_t i = 0;
    while (i < s.size() && isSpace(s[i])) ++i;

    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    const size_t mantissaStart = i;
    const size_t integerEnd = skipDigits(s, i);
    size_t end = integerEnd;
    bool anyDigit = integerEnd > mantissaStart;
    if (end < s.size() && s[end] == '.') {
        const size_t fractionEnd = skipDigits(s, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) return 0.0;

    long long exponent = 0;  // saturated; only its sign matters beyond a double's range
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        size_t j = end + 1;
        const bool exponentNegative = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const size_t exponentEnd = skipDigits(s, j);
        if (exponentEnd > j) {
            for (size_t k = j; k < exponentEnd; ++k)
                exponent = std::min<long long>(exponent * 10 + (s[k] - '0'), 1'000'000'000);
            if (exponentNegative) exponent = -exponent;
            end = exponentEnd;
        }
    }

    double magnitude = 0.0;
    const auto result = std::from_chars(s.data() + mantissaStart, s.data() + end, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double: infinite when the first significant digit stands left of the
        // point after the exponent is applied, else too small to be told from 0.
        const std::string_view integer = s.substr(mantissaStart, integerEnd - mantissaStart);
        const size_t firstSignificant = integer.find_first_not_of('0');
        long long order = 0;
        if (firstSignificant != std::string_view::npos) {
            order = static_cast<long long>(integer.size() - firstSignificant);
        } else if (integerEnd < end && s[integerEnd] == '.') {
            const size_t fractionStart = integerEnd + 1;
            const size_t firstNonZero = s.find_first_not_of('0', fractionStart);
            order = -static_cast<long long>(firstNonZero - fractionStart);
        }
        magnitude = order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

std::int32_t truncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (value >= highest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(value));
}

}  // namespace text
