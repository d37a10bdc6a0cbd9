#pragma once
// The key code table: the keys a key row may name, with their virtual-key codes, in the groups
// the user is shown. The program writes it out as a text file for the user; the component
// looks names up in it. Both build from this one table.

#include <span>
#include <string>
#include <string_view>

namespace keys {

struct Key {
    std::string_view name;  // as the user types it; compared without regard to ASCII letter case
    int code;               // the virtual-key code
};

// The groups, in the order the user is shown them.
std::span<const std::span<const Key>> keyGroups();

// The table as the user reads it, in UTF-8 with CR LF line ends: a heading, then one line
// '"name",  code' per key (the name quoted and followed by a comma, padded to 14 characters),
// keys and groups apart by blank lines.
std::string keyCodeTableText();

}  // namespace keys
