#include "text/CodePage936.h"
#include "text/Gb18030.h"
#include "text/Utf8.h"

#include <vector>

#include <gtest/gtest.h>

using text::fromCodePage936;
using text::toCodePage936;

TEST(CodePage936, GbkTextIsGbkBytes) {
    EXPECT_EQ(toCodePage936("鼠标]]][[[100"), "\xCA\xF3\xB1\xEA]]][[[100");
    EXPECT_EQ(toCodePage936("延时"), "\xD1\xD3\xCA\xB1");
    EXPECT_EQ(fromCodePage936("\xCA\xF3\xB1\xEA"), "鼠标");
    EXPECT_EQ(toCodePage936(""), "");
}

TEST(CodePage936, CharactersOutsideGbkTakeTheirGb18030Form) {
    const std::string text = "a😀b€ \u20AC";
    const std::string bytes = toCodePage936(text);
    EXPECT_EQ(bytes.substr(0, 5), "a\x94\x39\xFC\x36");  // U+1F600 in GB18030
    EXPECT_EQ(fromCodePage936(bytes), text);
    for (const char* sample : {"中文 abc", "ㄅ㐀䶵", "\U00020000", "\u00E9t\u00E9"})
        EXPECT_EQ(fromCodePage936(toCodePage936(sample)), sample) << sample;
}

// Every character comes back, and every byte above 0x7F begins a character of two or four
// bytes (data files are split on that rule). The private use area is left to the system.
TEST(CodePage936, EveryCharacterComesBackFromItsBytes) {
    std::vector<char32_t> lost;
    for (char32_t c = 0x80; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 97) {
        if ((c >= 0xD800 && c <= 0xDFFF) || (c >= 0xE000 && c <= 0xF8FF)) continue;
        std::string text;
        text::utf8::append(c, text);
        const std::string bytes = toCodePage936(text);
        if (fromCodePage936(bytes) != text || (bytes.size() != 2 && bytes.size() != 4)) lost.push_back(c);
    }
    EXPECT_EQ(lost.size(), 0u) << "first: U+" << std::hex << static_cast<unsigned>(lost.empty() ? 0 : lost[0]);
    EXPECT_EQ(toCodePage936("5€"), "5\xA2\xE3");
    EXPECT_EQ(toCodePage936("\u2E81\u3447"), "\xFE\x50\xFE\x56");
}

TEST(CodePage936, BrokenBytesDecodeWithoutLoss) {
    EXPECT_EQ(fromCodePage936("ab\xCA"), "ab\xEF\xBF\xBD");  // a lead byte cut off at the end
    EXPECT_EQ(fromCodePage936("\x81" "123abc"), "\xEF\xBF\xBD" "123abc");  // no four-byte form: the lead alone
    EXPECT_EQ(fromCodePage936(std::string("x\0y", 3)), std::string("x\0y", 3));
    const std::string garbage = "\xFF\xFE\x81\x30\x81";
    EXPECT_FALSE(fromCodePage936(garbage).empty());
}

TEST(Gb18030, FourByteFormsBothWays) {
    using text::gb18030CodePoint;
    using text::gb18030FourBytes;
    const std::pair<char32_t, const char*> pairs[] = {
        {U'\x80', "\x81\x30\x81\x30"},      {U'\x3400', "\x81\x39\xEE\x39"}, {U'\xFFFF', "\x84\x31\xA4\x39"},
        {U'\x1F600', "\x94\x39\xFC\x36"}, {U'\x10FFFF', "\xE3\x32\x9A\x35"}};
    for (const auto& [codePoint, bytes] : pairs) {
        EXPECT_EQ(gb18030FourBytes(codePoint), std::string(bytes)) << std::hex << static_cast<unsigned>(codePoint);
        EXPECT_EQ(gb18030CodePoint(bytes), codePoint) << std::hex << static_cast<unsigned>(codePoint);
    }
    EXPECT_EQ(gb18030FourBytes(U'中'), std::nullopt);  // a two-byte character
    EXPECT_EQ(gb18030CodePoint("\xE3\x32\x9A\x36"), std::nullopt);  // past U+10FFFF
    EXPECT_EQ(gb18030CodePoint("\x84\x31\xA5\x30"), std::nullopt);  // between the planes' forms
    EXPECT_EQ(gb18030CodePoint("\x81\x30\x81"), std::nullopt);
    EXPECT_EQ(gb18030CodePoint("\x81\x30\x30\x30"), std::nullopt);
}
