// The component's portable part: which key a key command names, and where absolute mouse input
// lands.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "commands/KeyCodeTable.h"
#include "component/AbsoluteCoordinates.h"
#include "component/KeyNames.h"

namespace {

using qdauto::isExtendedKey;
using qdauto::normalizedCoordinate;
using qdauto::virtualKeyFromName;

// The name and code of each line '"name",   code' of the table the user is shown.
std::vector<std::pair<std::string, int>> userTableEntries() {
    std::vector<std::pair<std::string, int>> entries;
    std::istringstream lines(commands::keyCodeTableBytes());
    for (std::string line; std::getline(lines, line);) {
        const size_t end = line.rfind("\",");
        if (line.empty() || line.front() != '"' || end == std::string::npos || end == 0) continue;
        entries.emplace_back(line.substr(1, end - 1), std::stoi(line.substr(end + 2)));
    }
    return entries;
}

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

TEST(KeyNamesTest, EveryNameOfTheUsersTablePressesItsCodeInAnyCase) {
    const auto entries = userTableEntries();
    ASSERT_EQ(entries.size(), 80u);
    for (const auto& [name, code] : entries) {
        EXPECT_EQ(virtualKeyFromName(name), code) << name;
        EXPECT_EQ(virtualKeyFromName(upper(name)), code) << name;
    }
    EXPECT_EQ(virtualKeyFromName("Enter"), 13);
    EXPECT_EQ(virtualKeyFromName("eNtEr"), 13);
    EXPECT_EQ(virtualKeyFromName("PgUp"), 33);
    EXPECT_EQ(virtualKeyFromName("\\\\"), 220);  // the name is two backslashes
}

TEST(KeyNamesTest, DecimalCodesFrom1To254) {
    EXPECT_EQ(virtualKeyFromName("13"), 13);
    EXPECT_EQ(virtualKeyFromName("10"), 10);
    EXPECT_EQ(virtualKeyFromName("116"), 116);
    EXPECT_EQ(virtualKeyFromName("254"), 254);
    EXPECT_EQ(virtualKeyFromName("enter"), virtualKeyFromName("13"));
}

TEST(KeyNamesTest, DigitNamesAreTheDigitKeysNotCodes) {
    EXPECT_EQ(virtualKeyFromName("0"), 48);
    EXPECT_EQ(virtualKeyFromName("1"), 49);
    EXPECT_EQ(virtualKeyFromName("9"), 57);
}

TEST(KeyNamesTest, AnythingElseNamesNoKey) {
    for (const std::string text :
         {"", " ", "enterx", "ente", " 13", "13 ", "enter ", "\t13", "255", "256", "999", "1000", "00", "013",
          "+13", "-1", "1e2", "0x0d", "13.0", "1,3", "\\", "\\\\\\", "f0", "f13", "ctrl+a", "left ctrl", "{", "`",
          "\xef\xbd\x85nter" /* full-width e */, "\xc3\xa9"}) {
        EXPECT_EQ(virtualKeyFromName(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(virtualKeyFromName(std::string("enter\0", 6)), std::nullopt);
    EXPECT_EQ(virtualKeyFromName(std::string("13\0", 3)), std::nullopt);
}

TEST(KeyNamesTest, NavigationArrowsWindowsMenuAndRightModifiersAreExtended) {
    for (const char* name : {"up", "down", "left", "right", "home", "end", "pgup", "pgdn", "delete", "win", "option"})
        EXPECT_TRUE(isExtendedKey(*virtualKeyFromName(name))) << name;
    for (int code : {45 /* insert */, 92 /* right Windows */, 163 /* right ctrl */, 165 /* right alt */})
        EXPECT_TRUE(isExtendedKey(code)) << code;
    for (const char* name : {"enter", "a", "f5", "ctrl", "alt", "shift", "space", "back", "tab", "esc", "0"})
        EXPECT_FALSE(isExtendedKey(*virtualKeyFromName(name))) << name;
    for (int code : {96 /* keypad 0 */, 110 /* keypad point */, 162 /* left ctrl */, 164 /* left alt */})
        EXPECT_FALSE(isExtendedKey(code)) << code;
}

// The pixels that the system may map a normalized unit to: rounding down, or to the nearest.
std::int64_t pixelRoundingDown(std::int32_t unit, std::int32_t origin, std::int32_t extent) {
    return origin + (std::int64_t{unit} * extent) / 65536;
}
std::int64_t pixelRoundingToNearest(std::int32_t unit, std::int32_t origin, std::int32_t extent) {
    return origin + std::llround(static_cast<double>(unit) * extent / 65536.0);
}

TEST(AbsoluteCoordinatesTest, EveryPixelOfTheVirtualScreenIsReachedExactly) {
    // Single monitors, monitors left of or above the primary one, odd sizes, very wide desks.
    const std::pair<std::int32_t, std::int32_t> screens[] = {
        {0, 1}, {0, 2}, {0, 1280}, {0, 1366}, {0, 1000}, {-1920, 3840}, {-1366, 3286}, {-2560, 7680},
        {-1080, 2160}, {100, 1023}, {0, 16384}, {-7, 32767}};
    for (const auto& [origin, extent] : screens) {
        std::int32_t previous = -1;
        for (std::int32_t pixel = origin; pixel < origin + extent; ++pixel) {
            const std::int32_t unit = normalizedCoordinate(pixel, origin, extent);
            ASSERT_GE(unit, 0);
            ASSERT_LE(unit, 65535);
            ASSERT_GT(unit, previous) << "origin " << origin << " extent " << extent << " pixel " << pixel;
            ASSERT_EQ(pixelRoundingDown(unit, origin, extent), pixel) << "origin " << origin << " extent " << extent;
            ASSERT_EQ(pixelRoundingToNearest(unit, origin, extent), pixel) << "origin " << origin << " extent " << extent;
            previous = unit;
        }
    }
}

TEST(AbsoluteCoordinatesTest, PixelsOffTheScreenGiveTheNearestEdge) {
    EXPECT_EQ(normalizedCoordinate(-1, 0, 1280), 0);
    EXPECT_EQ(normalizedCoordinate(-5000, -1920, 3840), 0);
    EXPECT_EQ(normalizedCoordinate(1280, 0, 1280), normalizedCoordinate(1279, 0, 1280));
    EXPECT_EQ(normalizedCoordinate(2147483647, -2147483647 - 1, 65536), 65535);
    EXPECT_EQ(normalizedCoordinate(5, 0, 0), 0);
}

}  // namespace
