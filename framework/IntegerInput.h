#pragma once
// What an integers-only edit box lets the user type. Text that the program puts into the box
// is not filtered.

#include <string>
#include <string_view>

namespace framework {

// Digits, the minus sign and control keys (backspace and the like) pass; everything else is
// discarded, DEL too (Ctrl+Backspace types it, and an edit box would show it). No range is
// checked.
constexpr bool integerBoxKeeps(char32_t typed) {
    return typed < 0x20 || (typed >= U'0' && typed <= U'9') || typed == U'-';
}

// Pasted text keeps what typing it would keep (line breaks included in the discarded).
inline std::string keepIntegerCharacters(std::string_view pasted) {
    std::string kept;
    for (const char c : pasted)
        if ((c >= '0' && c <= '9') || c == '-') kept += c;
    return kept;
}

}  // namespace framework
