#pragma once
// The data file: for every row, columns 1 to 6 with FieldSeparator between them and
// RecordSeparator after each record. No header, no line ends; an empty list is an empty file.
// The bytes are code page 936; the separators are never escaped.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandList.h"

namespace scriptfile {

inline constexpr std::string_view FieldSeparator = "]]][[[";
inline constexpr std::string_view RecordSeparator = "+++---";
inline constexpr int FieldCount = 6;  // columns 1 to 6; the number column is not stored

// Splits the code page 936 text at every occurrence of the separator that starts at a
// character boundary (a byte of 0x80 or above and the byte after it are stepped over
// together). Pieces are kept even when empty, except that an empty piece after the last
// separator is dropped.
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

// The file's bytes for every row of the list.
std::string scriptBytes(const commands::CommandList& list);

// Calls back with the six fields, as UTF-8 text, of each record in the file's bytes, in order.
// The text ends at the first zero byte; fields after the sixth are ignored; a record with
// fewer than six fields (an empty record included) is skipped whole.
void forEachRecord(std::string_view bytes, const std::function<void(const std::array<std::string, FieldCount>&)>& row);

// Appends one numbered row per record of the bytes.
void appendRecords(std::string_view bytes, commands::CommandList& list);

}  // namespace scriptfile
