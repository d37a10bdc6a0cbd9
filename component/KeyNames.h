#pragma once
// Which key a key command presses: a key name of the user's key code table (any letter case) or a
// virtual-key code in decimal. Portable; the component turns the code into real key input.

#include <optional>
#include <string_view>

namespace qdauto {

// The virtual-key code that the text names, or nothing when it names no key.
//
// The text is either one of the table's names, compared without regard to ASCII letter case
// ("Enter", "ENTER" and "enter" are one key), or a code written in plain decimal: one to three
// digits, no sign, no spaces, no leading zero, 1 to 254. Names come first: the digit keys are
// named "0" to "9", so "5" is the key 5 (code 53), never code 5.
std::optional<int> virtualKeyFromName(std::string_view text);

// Whether the key's scan code carries the extended (E0) prefix: the navigation block, the
// arrows, the Windows and menu keys, the right-hand control and alt keys and the like. Input
// for these keys must say so, or programs take them for their numeric-keypad twins.
bool isExtendedKey(int virtualKey);

}  // namespace qdauto
