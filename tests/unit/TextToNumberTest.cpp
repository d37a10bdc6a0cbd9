#include "text/TextToNumber.h"

#include <gtest/gtest.h>

#include <limits>

using text::textToInt32;
using text::textToNumber;
using text::truncateToInt32;

TEST(TextToNumber, ReadsTheLongestLeadingDecimal) {
    EXPECT_EQ(textToNumber("123"), 123.0);
    EXPECT_EQ(textToNumber("  42abc"), 42.0);
    EXPECT_EQ(textToNumber("\t7"), 7.0);
    EXPECT_EQ(textToNumber("-12.5x"), -12.5);
    EXPECT_EQ(textToNumber("+3"), 3.0);
    EXPECT_EQ(textToNumber(".5"), 0.5);
    EXPECT_EQ(textToNumber("5."), 5.0);
    EXPECT_EQ(textToNumber("1.2.3"), 1.2);
    EXPECT_EQ(textToNumber("12 34"), 12.0);
}

TEST(TextToNumber, ReadsExponentsOnlyWhenComplete) {
    EXPECT_EQ(textToNumber("1e3"), 1000.0);
    EXPECT_EQ(textToNumber("2.5E-1"), 0.25);
    EXPECT_EQ(textToNumber("1e+2"), 100.0);
    EXPECT_EQ(textToNumber("7e"), 7.0);
    EXPECT_EQ(textToNumber("7e+"), 7.0);
    EXPECT_EQ(textToNumber("7ex"), 7.0);
}

TEST(TextToNumber, GivesZeroWithoutANumber) {
    for (const char* text : {"", " ", "abc", "-", "+", ".", "-.", "e5", "x1", "--1", "+-1"})
        EXPECT_EQ(textToNumber(text), 0.0) << '"' << text << '"';
}

TEST(TextToNumber, NarrowsFullWidthForms) {
    EXPECT_EQ(textToNumber("１２３"), 123.0);
    EXPECT_EQ(textToNumber("－４．５"), -4.5);
    EXPECT_EQ(textToNumber("　　８"), 8.0);     // ideographic spaces lead
    EXPECT_EQ(textToNumber("１ｅ２"), 100.0);
    EXPECT_EQ(textToNumber("12３"), 123.0);      // mixed widths
    EXPECT_EQ(textToNumber("鼠标12"), 0.0);      // other characters are kept, and stop the number
}

TEST(TextToNumber, SurvivesValuesBeyondADouble) {
    EXPECT_EQ(textToNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("1e-999"), 0.0);
    EXPECT_EQ(textToNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(textToNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(TextToNumber, TruncatesTowardZeroWithinThe32BitRange) {
    EXPECT_EQ(textToInt32("12.7"), 12);
    EXPECT_EQ(textToInt32("-3.5"), -3);
    EXPECT_EQ(textToInt32("-0.9"), 0);
    EXPECT_EQ(textToInt32("2147483647"), 2147483647);
    EXPECT_EQ(textToInt32("99999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(textToInt32("-99999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(truncateToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(truncateToInt32(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::min());
}
