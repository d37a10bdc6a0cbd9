#include "framework/CodePage936.h"

#include <gtest/gtest.h>

using framework::fromCodePage936;
using framework::toCodePage936;

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

TEST(CodePage936, BrokenBytesDecodeWithoutLoss) {
    EXPECT_EQ(fromCodePage936("ab\xCA"), "ab\xEF\xBF\xBD");  // a lead byte cut off at the end
    EXPECT_EQ(fromCodePage936(std::string("x\0y", 3)), std::string("x\0y", 3));
    const std::string garbage = "\xFF\xFE\x81\x30\x81";
    EXPECT_FALSE(fromCodePage936(garbage).empty());
}
