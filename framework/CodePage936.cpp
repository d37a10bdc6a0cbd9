#include "framework/CodePage936.h"

#include "framework/CodePageConverters.h"
#include "framework/Gb18030.h"
#include "framework/Utf8.h"

namespace framework {
std::string toCodePage936(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    if (encodeGbk(text, out)) return out;
    // Character by character: GBK where it can, GB18030's four-byte form where it cannot.
    out.clear();
    while (!text.empty()) {
        const std::string_view character = utf8::firstCharacter(text);
        text.remove_prefix(character.size());
        if (encodeGbk(character, out)) continue;
        const auto fourBytes = gb18030FourBytes(utf8::codePoint(character));
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
            utf8::append(codePoint ? *codePoint : U'\uFFFD', out);
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
