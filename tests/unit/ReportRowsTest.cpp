#include "framework/ReportRows.h"

#include <gtest/gtest.h>

using framework::ReportRows;

namespace {

ReportRows threeRows() {
    ReportRows rows(2);
    for (const char* name : {"P", "Q", "R"}) rows.setCell(rows.insertRow(-1), 0, name);
    return rows;
}

std::string names(const ReportRows& rows) {
    std::string out;
    for (int r = 0; r < rows.rowCount(); ++r) out += rows.cell(r, 0);
    return out;
}

}  // namespace

TEST(ReportRows, InsertsAtIndexOrAppends) {
    ReportRows rows = threeRows();
    EXPECT_EQ(rows.insertRow(1), 1);
    EXPECT_EQ(rows.insertRow(-5), 4);
    EXPECT_EQ(rows.insertRow(99), 5);
    rows.setCell(1, 0, "N");
    EXPECT_EQ(names(rows), "PNQR");
    EXPECT_EQ(rows.cell(4, 1), "");
}

TEST(ReportRows, OutOfRangeIsHarmless) {
    ReportRows rows = threeRows();
    EXPECT_EQ(rows.cell(-1, 0), "");
    EXPECT_EQ(rows.cell(3, 0), "");
    EXPECT_EQ(rows.cell(0, 7), "");
    rows.setCell(3, 0, "x");
    rows.setCell(0, -1, "x");
    rows.deleteRow(3);
    rows.deleteRow(-1);
    EXPECT_EQ(names(rows), "PQR");
}

TEST(ReportRows, SelectionFollowsTheSelectedRow) {
    ReportRows rows = threeRows();
    rows.select(1);  // Q
    rows.insertRow(0);
    EXPECT_EQ(rows.selectedRow(), 2);
    rows.insertRow(3);  // behind Q
    EXPECT_EQ(rows.selectedRow(), 2);
    rows.deleteRow(0);
    EXPECT_EQ(rows.selectedRow(), 1);
    EXPECT_EQ(rows.cell(rows.selectedRow(), 0), "Q");
    rows.deleteRow(1);
    EXPECT_EQ(rows.selectedRow(), -1);
    rows.select(0);
    rows.clear();
    EXPECT_EQ(rows.selectedRow(), -1);
    rows.select(0);
    EXPECT_EQ(rows.selectedRow(), -1);
}

TEST(ReportRows, TellsItsListenerWhatChanged) {
    ReportRows rows = threeRows();
    std::vector<std::pair<ReportRows::Change, int>> seen;
    rows.setListener([&](ReportRows::Change change, int row) { seen.emplace_back(change, row); });
    rows.select(2);
    rows.setCell(2, 1, "x");
    rows.deleteRow(2);
    using C = ReportRows::Change;
    const std::vector<std::pair<C, int>> expected{
        {C::SelectionChanged, 2}, {C::CellChanged, 2}, {C::Deleted, 2}, {C::SelectionChanged, -1}};
    EXPECT_EQ(seen, expected);
}
