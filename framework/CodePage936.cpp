#include "framework/CodePage936.h"

#include <algorithm>

#include "framework/CodePageConverters.h"
#include "framework/Gb18030.h"

namespace framework {
namespace {

size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return 2;
}

char32_t decodeUtf8(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead;
    char32_t codePoint = lead & (0xFFu >> (character.size() + 1));
    for (size_t i = 1; i < character.size(); ++i) codePoint = (codePoint << 6) | (static_cast<unsigned char>(character[i]) & 0x3Fu);
    return codePoint;
}

void appendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string toCodePage936(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (encodeGbk(utf8, out)) return out;
    // Character by character: GBK where it can, GB18030's four-byte form where it cannot.
    out.clear();
    while (!utf8.empty()) {
        const std::string_view character = utf8.substr(0, std::min(utf8Length(static_cast<unsigned char>(utf8[0])), utf8.size()));
        utf8.remove_prefix(character.size());
        if (encodeGbk(character, out)) continue;
        const auto fourBytes = gb18030FourBytes(decodeUtf8(character));
        out += fourBytes ? *fourBytes : "?";
    }
    return out;
}

std::string fromCodePage936(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    // Runs of one- and two-byte characters are GBK; a lead byte followed by a digit starts a
    // GB18030 four-byte form.
    size_t run = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81 || lead > 0xFE || i + 1 >= bytes.size()) {
            ++i;
            continue;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second >= 0x30 && second <= 0x39 && i + 3 < bytes.size()) {
            decodeGbk(bytes.substr(run, i - run), out);
            const auto codePoint = gb18030CodePoint(bytes.substr(i, 4));
            appendUtf8(codePoint ? *codePoint : U'\uFFFD', out);
            i += 4;
            run = i;
        } else {
            i += 2;
        }
    }
    decodeGbk(bytes.substr(run), out);
    return out;
}

}  // namespace framework
