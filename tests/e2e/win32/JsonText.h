#pragma once
// JSON string literals for the helpers' output.

#include <cstdio>
#include <string>
#include <string_view>

// The text in double quotes, with quotes, backslashes and control characters escaped.
inline std::string jsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}
