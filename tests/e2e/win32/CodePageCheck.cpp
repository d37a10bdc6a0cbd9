// codepage-check.exe: every character through the program's code page 936 conversion with the
// system's converter, and back. Prints JSON: how many were checked and the first ones that did
// not come back unchanged, or came out as bytes that are not one character of two or four.

#include <cstdio>
#include <string>
#include <vector>

#include "text/CodePage936.h"
#include "text/Utf8.h"

int main() {
    int checked = 0;
    std::vector<char32_t> lost;
    for (char32_t c = 0x80; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 7) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        std::string text;
        text::utf8::append(c, text);
        const std::string bytes = text::toCodePage936(text);
        ++checked;
        if ((bytes.size() != 2 && bytes.size() != 4) || text::fromCodePage936(bytes) != text) lost.push_back(c);
    }
    std::printf("{\"checked\":%d,\"lost\":%zu,\"first\":[", checked, lost.size());
    for (size_t i = 0; i < lost.size() && i < 20; ++i) std::printf("%s%u", i ? "," : "", static_cast<unsigned>(lost[i]));
    std::printf("]}\n");
    return 0;
}
