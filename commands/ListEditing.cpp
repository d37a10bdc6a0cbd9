#include "commands/ListEditing.h"

#include <array>
#include <string>

#include "commands/CommandRow.h"

namespace commands {

using namespace ui::main_window;

ListEditing::ListEditing(framework::Form& main, framework::Platform& platform, MouseCommandEditor& mouseEditor)
    : main_(main), platform_(platform), mouseEditor_(mouseEditor) {}

void ListEditing::refreshSelectionCommands() {
    const bool selected = list().selectedRow() != -1;
    for (int entry : {toolbar::Delete, toolbar::Modify, toolbar::Clear}) main_.setEntryEnabled(工具条_添加工具, entry, selected);
    for (int item : {menu::Delete, menu::Modify, menu::Clear}) main_.setEntryEnabled(右键单击, item, selected);
    main_.setEnabled(按钮_插入鼠标, selected);
    main_.setEnabled(按钮_插入键盘, selected);
}

void ListEditing::openContextMenu() {
    refreshSelectionCommands();
    if (list().selectedRow() != -1) main_.popUp(右键单击);
}

void ListEditing::deleteSelected() {
    CommandList rows = list();
    rows.deleteRow(rows.selectedRow());
}

void ListEditing::clearAfterAsking() {
    if (platform_.messageBox("是否清空所有?", "蓝豆", framework::MessageIcon::Question, framework::MessageButtons::YesNo) ==
        framework::MessageAnswer::Yes)
        list().clearRows();
}

void ListEditing::clear() { list().clearRows(); }

void ListEditing::modifySelected() { mouseEditor_.loadForModifying(); }

void ListEditing::moveSelectedUp() { moveSelected(-1); }

void ListEditing::moveSelectedDown() { moveSelected(+1); }

// The row is taken out and put back one place away, every cell exactly as it was (its number
// included). A negative target appends, so the first row moved up goes to the end; the last
// row moved down stays last.
void ListEditing::moveSelected(int step) {
    CommandList rows = list();
    const int selected = rows.selectedRow();
    if (selected < 0) return;
    std::array<std::string, ColumnCount> cells;
    for (int column = 0; column < ColumnCount; ++column) cells[static_cast<size_t>(column)] = rows.cellText(selected, column);
    rows.deleteRow(selected);
    const int row = rows.insertRow(selected + step);
    for (int column = 0; column < ColumnCount; ++column) rows.setCellText(row, column, cells[static_cast<size_t>(column)]);
}

void ListEditing::insertDelay(std::string_view delay) {
    CommandList rows = list();
    rows.createRow(rows.selectedRow() + 1, DelayRow, {NotApplicable, NotApplicable, NotApplicable, NotApplicable, delay});
}

}  // namespace commands
