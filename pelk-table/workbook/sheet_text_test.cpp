#include "pelk-table/workbook/sheet_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

BOOK_CELL_ text(const std::string& shown) {
    BOOK_CELL_ cell;
    cell.text = shown;
    return cell;
}

// The stretch of a sheet past what it shows: by whom, and of which kind.
std::string stretchesOf(const CSheetGrid& grid) {
    std::vector<SHEET_PROBLEM_> problems;
    CSheetText::convert(grid, problems);
    std::string list;
    for (const SHEET_PROBLEM_& problem : problems) {
        const char* kinds[] = {"width", "height", "both"};
        if (problem.kind >= SHEET_PROBLEM_::kStretchedWidth)
            list += (list.empty() ? "" : " ") + std::to_string(problem.row) + "," + std::to_string(problem.column) +
                    ":" + kinds[problem.kind - SHEET_PROBLEM_::kStretchedWidth];
    }
    return list;
}

TEST(SheetText, NamesTheCellsThatStretchTheSheet) {
    std::string error;
    CSheetGrid table;
    ASSERT_TRUE(table.set(0, 0, text("START"), error));
    ASSERT_TRUE(table.set(0, 2, text("GO"), error));
    ASSERT_TRUE(table.set(1, 0, text("IDLE"), error));
    EXPECT_EQ(stretchesOf(table), "");

    CSheetGrid both = table;  // a space far away: wider and longer
    ASSERT_TRUE(both.set(9, 5, text(" "), error));
    EXPECT_EQ(stretchesOf(both), "9,5:both");

    CSheetGrid two = table;  // a note to the right, a space below
    ASSERT_TRUE(two.stretch(1, 7, error));
    ASSERT_TRUE(two.set(12, 1, text("  "), error));
    EXPECT_EQ(stretchesOf(two), "1,7:width 12,1:height");

    CSheetGrid none;  // no table: nothing to stretch
    ASSERT_TRUE(none.set(0, 0, text("notes"), error));
    ASSERT_TRUE(none.stretch(5, 5, error));
    EXPECT_EQ(stretchesOf(none), "");
}

}  // namespace
