#include "framework/CodePage936.h"

#include <algorithm>

#include "framework/CodePageConverters.h"

namespace framework {
namespace {

size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return 2;
}

}  // namespace

std::string toCodePage936(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (encodeRun(CodePage::Gbk, utf8, out)) return out;
    // Character by character: GBK where it can, GB18030's four-byte form where it cannot.
    out.clear();
    while (!utf8.empty()) {
        const std::string_view character = utf8.substr(0, std::min(utf8Length(static_cast<unsigned char>(utf8[0])), utf8.size()));
        utf8.remove_prefix(character.size());
        if (!encodeRun(CodePage::Gbk, character, out) && !encodeRun(CodePage::Gb18030, character, out)) out += '?';
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
            decodeRun(CodePage::Gbk, bytes.substr(run, i - run), out);
            decodeRun(CodePage::Gb18030, bytes.substr(i, 4), out);
            i += 4;
            run = i;
        } else {
            i += 2;
        }
    }
    decodeRun(CodePage::Gbk, bytes.substr(run), out);
    return out;
}

}  // namespace framework
