#include "text/CodePage936.h"

#include <optional>

#include "text/CodePageConverters.h"
#include "text/Gb18030.h"
#include "text/Utf8.h"

namespace text {
namespace {

// GBK where the system's converter can; "?" for a character it cannot write at all.
void appendGbk(std::string_view run, std::string& out) {
    if (encodeGbk(run, out)) return;
    while (!run.empty()) {
        const std::string_view character = utf8::firstCharacter(run);
        run.remove_prefix(character.size());
        if (!encodeGbk(character, out)) out += '?';
    }
}

// GB18030's form of a character that GBK lacks; nothing for a character GBK holds.
std::optional<std::string> gb18030Form(char32_t codePoint) {
    if (const auto bytes = gb18030TwoBytes(codePoint))
        return std::string{static_cast<char>(*bytes >> 8), static_cast<char>(*bytes & 0xFF)};
    return gb18030FourBytes(codePoint);
}

}  // namespace

// Runs of characters that GBK holds go to the system's converter in one call each. The others
// take their GB18030 forms, the euro sign included (which the system would write as the single
// byte 0x80): so every byte of 0x80 or above begins a character of two or four bytes, as the
// splitting of data files expects.
std::string toCodePage936(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t run = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t start = i;
        const std::string_view character = utf8::firstCharacter(text.substr(start));
        i += character.size();
        if (const auto form = gb18030Form(utf8::codePoint(character))) {
            appendGbk(text.substr(run, start - run), out);
            out += *form;
            run = i;
        }
    }
    appendGbk(text.substr(run), out);
    return out;
}

// Runs of GBK go to the system's converter; GB18030's four-byte forms (a lead byte and a digit
// begin one) and its two-byte forms beyond GBK are read here.
std::string fromCodePage936(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t run = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81 || lead > 0xFE || i + 1 >= bytes.size()) {
            ++i;
            continue;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        std::optional<char32_t> character;
        size_t length = 2;
        if (second >= 0x30 && second <= 0x39) {
            character = gb18030CodePoint(bytes.substr(i, 4));
            length = 4;
            if (!character) {  // no character: only the lead byte is lost
                character = U'\uFFFD';
                length = 1;
            }
        } else {
            character = gb18030TwoByteCharacter(static_cast<std::uint16_t>(lead << 8 | second));
        }
        if (character) {
            decodeGbk(bytes.substr(run, i - run), out);
            utf8::append(*character, out);
            run = i + length;
        }
        i += length;
    }
    decodeGbk(bytes.substr(run), out);
    return out;
}

}  // namespace text
