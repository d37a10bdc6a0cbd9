#include "commands/KeyCodeTable.h"

#include <iterator>
#include <span>
#include <string_view>

#include "framework/CodePage936.h"

namespace commands {
namespace {

struct Key {
    std::string_view name;
    int code;
};

// In groups, as the user is shown them.
constexpr Key kDigitsAndEditing[] = {{"1", 49}, {"2", 50}, {"3", 51}, {"4", 52}, {"5", 53}, {"6", 54}, {"7", 55},
                                     {"8", 56}, {"9", 57}, {"0", 48}, {"-", 189}, {"=", 187}, {"back", 8}};
constexpr Key kLetters[] = {{"a", 65}, {"b", 66}, {"c", 67}, {"d", 68}, {"e", 69}, {"f", 70}, {"g", 71},
                            {"h", 72}, {"i", 73}, {"j", 74}, {"k", 75}, {"l", 76}, {"m", 77}, {"n", 78},
                            {"o", 79}, {"p", 80}, {"q", 81}, {"r", 82}, {"s", 83}, {"t", 84}, {"u", 85},
                            {"v", 86}, {"w", 87}, {"x", 88}, {"y", 89}, {"z", 90}};
constexpr Key kModifiersAndSpecial[] = {{"ctrl", 17},  {"alt", 18}, {"shift", 16}, {"win", 91}, {"space", 32},
                                        {"cap", 20},   {"tab", 9},  {"~", 192},    {"esc", 27}, {"enter", 13}};
constexpr Key kArrows[] = {{"up", 38}, {"down", 40}, {"left", 37}, {"right", 39}};
constexpr Key kMenu[] = {{"option", 93}};
constexpr Key kNavigation[] = {{"print", 44}, {"delete", 46}, {"home", 36}, {"end", 35}, {"pgup", 33}, {"pgdn", 34}};
constexpr Key kFunctionKeys[] = {{"f1", 112}, {"f2", 113},  {"f3", 114},  {"f4", 115},  {"f5", 116},  {"f6", 117},
                                 {"f7", 118}, {"f8", 119},  {"f9", 120},  {"f10", 121}, {"f11", 122}, {"f12", 123}};
constexpr Key kPunctuation[] = {{"[", 219}, {"]", 221}, {"\\\\", 220}, {";", 186},
                                {"'", 222}, {",", 188}, {".", 190},    {"/", 191}};

constexpr std::span<const Key> kGroups[] = {kDigitsAndEditing, kLetters, kModifiersAndSpecial, kArrows,
                                            kMenu,              kNavigation, kFunctionKeys,    kPunctuation};

// A quoted name and a comma, padded with spaces to 14 characters, then the code.
std::string entryLine(const Key& key) {
    std::string line(1, '"');
    line += key.name;
    line += "\",";
    line.resize(14, ' ');
    line += std::to_string(key.code);
    return line;
}

}  // namespace

std::string keyCodeTableBytes() {
    constexpr std::string_view lineEnd = "\r\n";
    std::string text = "可以直接输入 也可输入键代码\r\n\r\n直接输入    键代码\r\n";
    for (size_t g = 0; g < std::size(kGroups); ++g) {
        if (g > 0) text += " \r\n\r\n";
        for (const Key& key : kGroups[g]) {
            text += entryLine(key);
            text += lineEnd;
            const bool lastOfFile = g + 1 == std::size(kGroups) && &key == &kGroups[g].back();
            if (!lastOfFile) text += lineEnd;
        }
    }
    return framework::toCodePage936(text);
}

std::string keyCodeTablePath(framework::Platform& platform) {
    return platform.executableFolder() + "\\蓝豆程序集_键代码对照表.txt";
}

void showKeyCodeTable(framework::Platform& platform) {
    const std::string path = keyCodeTablePath(platform);
    if (!platform.fileExists(path)) platform.writeFile(path, keyCodeTableBytes());
    platform.shellOpen(path);
}

}  // namespace commands
