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
#include "component/KeyNames.h"

namespace {

using qdauto::isExtendedKey;
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

}  // namespace
