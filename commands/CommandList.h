#pragma once
// The macro: the rows of the main window's command list. There is no other store of it.

#include <array>
#include <string>
#include <string_view>

#include "framework/ReportRows.h"

namespace commands {

class CommandList {
public:
    explicit CommandList(framework::ReportRows& rows) : rows_(&rows) {}

    int rowCount() const { return rows_->rowCount(); }
    // The whole text; a row index outside the list gives the empty text.
    std::string cellText(int row, int column) const { return rows_->cell(row, column); }
    void setCellText(int row, int column, std::string_view text) { rows_->setCell(row, column, std::string(text)); }
    // A negative index, or one at or past the end, appends; the new row is not selected.
    int insertRow(int index) { return rows_->insertRow(index); }
    // An index outside the list does nothing.
    void deleteRow(int index) { rows_->deleteRow(index); }
    void clearRows() { rows_->clear(); }
    int selectedRow() const { return rows_->selectedRow(); }

    // The one way in which rows come into being: inserts a row at the index, numbers it with
    // the row count right after the insertion (nothing is ever renumbered), and fills it.
    // Returns the new row's index.
    int createRow(int index, std::string_view kind, const std::array<std::string_view, 5>& columns2To6);

private:
    framework::ReportRows* rows_;
};

}  // namespace commands
