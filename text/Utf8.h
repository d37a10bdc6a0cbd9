#pragma once
// Characters of UTF-8 text, one at a time.

#include <string>
#include <string_view>

namespace text::utf8 {

// The length of the sequence that starts with this byte.
constexpr size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return 2;
}

// The first character of the text (its whole sequence, or what is left of a cut one).
constexpr std::string_view firstCharacter(std::string_view text) {
    const size_t length = sequenceLength(static_cast<unsigned char>(text[0]));
    return text.substr(0, length < text.size() ? length : text.size());
}

// The code point of one character's sequence.
constexpr char32_t codePoint(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead;
    char32_t point = lead & (0xFFu >> (character.size() + 1));
    for (size_t i = 1; i < character.size(); ++i) point = (point << 6) | (static_cast<unsigned char>(character[i]) & 0x3Fu);
    return point;
}

inline void append(char32_t point, std::string& out) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace text::utf8
