#pragma once
// The rows of a report list: text cells and a single selection. Both backends keep the rows
// of a list control here; the Win32 list view only shows them.

#include <functional>
#include <string>
#include <vector>

namespace framework {

class ReportRows {
public:
    enum class Change { Inserted, Deleted, Cleared, CellChanged, SelectionChanged };
    using Listener = std::function<void(Change, int row)>;

    explicit ReportRows(int columnCount) : columnCount_(columnCount) {}

    int columnCount() const { return columnCount_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }

    // The whole text of a cell; an index outside the list gives the empty text.
    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);

    // A negative index, or one at or past the end, appends. The new row has empty cells and
    // is not selected; a row selected behind it stays selected. Returns the new row's index.
    int insertRow(int index);
    // An index outside the list does nothing. The selected row stays selected; deleting it
    // leaves no selection.
    void deleteRow(int index);
    void clear();

    int selectedRow() const { return selected_; }
    // -1 or an index outside the list clears the selection.
    void select(int row);

    void setListener(Listener listener) { listener_ = std::move(listener); }

private:
    bool contains(int row) const { return row >= 0 && row < rowCount(); }
    void notify(Change change, int row) const {
        if (listener_) listener_(change, row);
    }

    int columnCount_;
    std::vector<std::vector<std::string>> rows_;
    int selected_ = -1;
    Listener listener_;
};

}  // namespace framework
