#include "commands/CommandList.h"

#include "commands/CommandRow.h"

namespace commands {

int CommandList::createRow(int index, std::string_view kind, const std::array<std::string_view, 5>& columns2To6) {
    const int row = insertRow(index);
    setCellText(row, NumberColumn, std::to_string(rowCount()));
    setCellText(row, KindColumn, kind);
    for (int column = XColumn; column < ColumnCount; ++column)
        setCellText(row, column, columns2To6[static_cast<size_t>(column - XColumn)]);
    return row;
}

}  // namespace commands
