#include "scriptfile/ScriptFormat.h"

#include "commands/CommandRow.h"
#include "framework/CodePage936.h"

namespace scriptfile {

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, separator.size(), separator) == 0) {
            pieces.push_back(text.substr(start, i - start));
            i += separator.size();
            start = i;
        } else {
            i += static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size() ? 2 : 1;
        }
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

std::string scriptBytes(const commands::CommandList& list) {
    std::string text;
    const int rows = list.rowCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = commands::KindColumn; column <= commands::TextColumn; ++column) {
            if (column > commands::KindColumn) text += FieldSeparator;
            text += list.cellText(row, column);
        }
        text += RecordSeparator;
    }
    return framework::toCodePage936(text);
}

void forEachRecord(std::string_view bytes, const std::function<void(const std::array<std::string, FieldCount>&)>& row) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::array<std::string, FieldCount> fields;
    for (const std::string_view record : splitText(bytes, RecordSeparator)) {
        const std::vector<std::string_view> pieces = splitText(record, FieldSeparator);
        if (pieces.size() < static_cast<size_t>(FieldCount)) continue;
        for (size_t f = 0; f < fields.size(); ++f) fields[f] = framework::fromCodePage936(pieces[f]);
        row(fields);
    }
}

void appendRecords(std::string_view bytes, commands::CommandList& list) {
    forEachRecord(bytes, [&](const std::array<std::string, FieldCount>& fields) {
        const int row = list.insertRow(-1);
        list.setCellText(row, commands::NumberColumn, std::to_string(list.rowCount()));
        for (int f = 0; f < FieldCount; ++f) list.setCellText(row, commands::KindColumn + f, fields[static_cast<size_t>(f)]);
    });
}

}  // namespace scriptfile
