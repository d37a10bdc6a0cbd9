// The table's text, apart from the table itself, so that a program that only looks keys up (the
// component) links no text handling.

#include <string_view>

#include "keys/KeyCodeTable.h"

namespace keys {
namespace {

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

std::string keyCodeTableText() {
    const auto groups = keyGroups();
    constexpr std::string_view lineEnd = "\r\n";
    std::string text = "可以直接输入 也可输入键代码\r\n\r\n直接输入    键代码\r\n";
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g > 0) text += " \r\n\r\n";
        for (const Key& key : groups[g]) {
            text += entryLine(key);
            text += lineEnd;
            const bool lastOfFile = g + 1 == groups.size() && &key == &groups[g].back();
            if (!lastOfFile) text += lineEnd;
        }
    }
    return text;
}

}  // namespace keys
