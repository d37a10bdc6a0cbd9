#include "framework/ReportRows.h"

namespace framework {

const std::string& ReportRows::cell(int row, int column) const {
    static const std::string empty;
    if (!contains(row) || column < 0 || column >= columnCount_) return empty;
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void ReportRows::setCell(int row, int column, std::string text) {
    if (!contains(row) || column < 0 || column >= columnCount_) return;
    rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(text);
    notify(Change::CellChanged, row);
}

int ReportRows::insertRow(int index) {
    if (index < 0 || index > rowCount()) index = rowCount();
    rows_.insert(rows_.begin() + index, std::vector<std::string>(static_cast<size_t>(columnCount_)));
    if (selected_ >= index) ++selected_;
    notify(Change::Inserted, index);
    return index;
}

void ReportRows::deleteRow(int index) {
    if (!contains(index)) return;
    rows_.erase(rows_.begin() + index);
    const bool lostSelection = selected_ == index;
    if (lostSelection)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    notify(Change::Deleted, index);
    if (lostSelection) notify(Change::SelectionChanged, -1);
}

void ReportRows::clear() {
    rows_.clear();
    const bool hadSelection = selected_ != -1;
    selected_ = -1;
    notify(Change::Cleared, -1);
    if (hadSelection) notify(Change::SelectionChanged, -1);
}

void ReportRows::select(int row) {
    if (!contains(row)) row = -1;
    if (row == selected_) return;
    selected_ = row;
    notify(Change::SelectionChanged, row);
}

}  // namespace framework
