// Fuzz target: any bytes as a data file, read into a command list.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "commands/CommandList.h"
#include "framework/ReportRows.h"
#include "scriptfile/ScriptFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    framework::ReportRows rows(7);
    commands::CommandList list(rows);
    scriptfile::appendRecords(bytes, list);
    // One row for every record of six fields or more, as the splitting gives them.
    int records = 0;
    for (const std::string_view record : scriptfile::splitText(bytes.substr(0, bytes.find('\0')), scriptfile::RecordSeparator))
        records += scriptfile::splitText(record, scriptfile::FieldSeparator).size() >= scriptfile::FieldCount;
    if (list.rowCount() != records) __builtin_trap();
    // Every row read has all seven cells set; a written list reads back the same.
    const std::string written = scriptfile::scriptBytes(list);
    framework::ReportRows again(7);
    commands::CommandList reread(again);
    scriptfile::appendRecords(written, reread);
    if (reread.rowCount() > list.rowCount()) __builtin_trap();
    return 0;
}
