#ifndef PELK_TABLE_WORKBOOK_SHEET_TEXT_H
#define PELK_TABLE_WORKBOOK_SHEET_TEXT_H

#include <string>
#include <vector>

class CSheetGrid;
struct BOOK_CELL_;

/// A cell the text of a sheet could not carry as the spreadsheet shows it:
/// an error within the table, a warning outside it (the cell is written
/// empty) or for a merged area that covers table cells.
struct SHEET_PROBLEM_ {
    int row;     ///< from 0
    int column;  ///< from 0
    bool error;
    bool inTable;  ///< the cell lies in the table (or the merged area covers it)
    std::string message;
};

/// CSheetText turns the cells of a sheet into the tab-separated text that
/// pelk reads and that the spreadsheet's own export gives ("save cell
/// contents as shown"): line N is row N, field i is column i, every row
/// padded with empty fields to the used width, a line feed after each.
/// The table is the header row (the first that holds a cell "START") and
/// every row after it, from START's column on; a cell there whose text is
/// not certain, or that the text cannot carry (a tab, a line break, a
/// double quote), is an error. Elsewhere such a cell is written empty, with
/// a warning.
class CSheetText {
public:
    /// The header row and key column of grid; false when no cell is
    /// "START".
    static bool findHeader(const CSheetGrid& grid, int& row, int& column);
    /// The text of grid, and its problems in row order.
    static std::string convert(const CSheetGrid& grid, std::vector<SHEET_PROBLEM_>& problems);
    /// Why cell cannot be written as it is shown; empty when it can.
    static std::string refusal(const BOOK_CELL_& cell);
};

#endif
