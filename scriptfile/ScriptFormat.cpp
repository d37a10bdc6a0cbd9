#include "scriptfile/ScriptFormat.h"

#include "commands/CommandRow.h"
#include "text/CodePage936.h"

namespace scriptfile {

namespace {

// Calls back with each piece that splitText gives, in order, while the callback returns true.
template <class Piece>
void forEachPiece(std::string_view text, std::string_view separator, Piece&& piece) {
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        // The first byte is looked at before the rest: most positions start no separator.
        if (text[i] == separator.front() && text.compare(i, separator.size(), separator) == 0) {
            if (!piece(text.substr(start, i - start))) return;
            i += separator.size();
            start = i;
        } else {
            i += static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size() ? 2 : 1;
        }
    }
    if (start < text.size()) piece(text.substr(start));
}

}  // namespace

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    forEachPiece(text, separator, [&](std::string_view piece) {
        pieces.push_back(piece);
        return true;
    });
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
    return text::toCodePage936(text);
}

// Records and fields are taken one by one as they are found, so that no file, however many
// separators it holds, needs more than its own bytes and its rows in memory.
void forEachRecord(std::string_view bytes, const std::function<void(const std::array<std::string, FieldCount>&)>& row) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::array<std::string, FieldCount> fields;
    forEachPiece(bytes, RecordSeparator, [&](std::string_view record) {
        std::array<std::string_view, FieldCount> pieces;
        size_t count = 0;
        forEachPiece(record, FieldSeparator, [&](std::string_view piece) {
            pieces[count++] = piece;
            return count < pieces.size();  // fields after the sixth are not looked at
        });
        if (count == pieces.size()) {
            for (size_t f = 0; f < fields.size(); ++f) fields[f] = text::fromCodePage936(pieces[f]);
            row(fields);
        }
        return true;
    });
}

void appendRecords(std::string_view bytes, commands::CommandList& list) {
    forEachRecord(bytes, [&](const std::array<std::string, FieldCount>& fields) {
        list.createRow(-1, fields[0], {fields[1], fields[2], fields[3], fields[4], fields[5]});
    });
}

}  // namespace scriptfile
