#include "component/KeyNames.h"

#include "keys/KeyCodeTable.h"

namespace qdauto {
namespace {

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
    for (const auto group : keys::keyGroups())
        for (const keys::Key& key : group)
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
