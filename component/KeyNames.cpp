#include "component/KeyNames.h"

#include <iterator>

namespace qdauto {
namespace {

struct KeyName {
    std::string_view name;
    int code;
};

// The names of the key code table that the program shows the user, in its order.
constexpr KeyName kKeyNames[] = {
    {"1", 49}, {"2", 50}, {"3", 51}, {"4", 52}, {"5", 53}, {"6", 54}, {"7", 55}, {"8", 56}, {"9", 57}, {"0", 48},
    {"-", 189}, {"=", 187}, {"back", 8},
    {"a", 65}, {"b", 66}, {"c", 67}, {"d", 68}, {"e", 69}, {"f", 70}, {"g", 71}, {"h", 72}, {"i", 73},
    {"j", 74}, {"k", 75}, {"l", 76}, {"m", 77}, {"n", 78}, {"o", 79}, {"p", 80}, {"q", 81}, {"r", 82},
    {"s", 83}, {"t", 84}, {"u", 85}, {"v", 86}, {"w", 87}, {"x", 88}, {"y", 89}, {"z", 90},
    {"ctrl", 17}, {"alt", 18}, {"shift", 16}, {"win", 91}, {"space", 32}, {"cap", 20}, {"tab", 9},
    {"~", 192}, {"esc", 27}, {"enter", 13},
    {"up", 38}, {"down", 40}, {"left", 37}, {"right", 39}, {"option", 93},
    {"print", 44}, {"delete", 46}, {"home", 36}, {"end", 35}, {"pgup", 33}, {"pgdn", 34},
    {"f1", 112}, {"f2", 113}, {"f3", 114}, {"f4", 115}, {"f5", 116}, {"f6", 117},
    {"f7", 118}, {"f8", 119}, {"f9", 120}, {"f10", 121}, {"f11", 122}, {"f12", 123},
    {"[", 219}, {"]", 221}, {"\\\\", 220}, {";", 186}, {"'", 222}, {",", 188}, {".", 190}, {"/", 191},
};
static_assert(std::size(kKeyNames) == 80);

constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

std::optional<int> decimalCode(std::string_view text) {
    if (text.empty() || text.size() > 3 || text.front() == '0') return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 254) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int> virtualKeyFromName(std::string_view text) {
    for (const KeyName& key : kKeyNames)
        if (sameIgnoringAsciiCase(key.name, text)) return key.code;
    return decimalCode(text);
}

bool isExtendedKey(int virtualKey) {
    switch (virtualKey) {
        case 0x21: case 0x22: case 0x23: case 0x24:  // page up, page down, end, home
        case 0x25: case 0x26: case 0x27: case 0x28:  // the arrows
        case 0x2C: case 0x2D: case 0x2E:             // print screen, insert, delete
        case 0x5B: case 0x5C: case 0x5D:             // left and right Windows keys, menu key
        case 0x6F:                                   // keypad divide
        case 0x90:                                   // num lock
        case 0xA3: case 0xA5:                        // right control, right alt
            return true;
        default:
            return virtualKey >= 0xA6 && virtualKey <= 0xB7;  // browser, volume, media and launch keys
    }
}

}  // namespace qdauto
