#ifndef PELK_TABLE_WORKBOOK_SHEET_TEXT_H
#define PELK_TABLE_WORKBOOK_SHEET_TEXT_H

#include <string>
#include <vector>

#include "pelk-table/workbook/sheet_grid.h"

/// A cell the text of a sheet could not carry as the spreadsheet shows it:
/// an error within the table, a warning outside it (the cell is written
/// empty) or for a merged area that covers table cells; or the cell that
/// stretches the sheet past its table. It is data: the kind and the
/// arguments of its message, which the check layer words.
struct SHEET_PROBLEM_ {
    enum Kind {
        kNumberFormat,         ///< value, format (style): a format whose text is not certain
        kDate,                 ///< value, format (style): a date or time
        kRoundedNumber,        ///< value: a General number shown rounded or in exponent form
        kLocaleNumber,         ///< value: a number with decimals
        kBoolean,              ///< value: a logical value
        kErrorValue,           ///< value (formula): an error value
        kNoCachedResult,       ///< formula: a formula saved without its result
        kVolatileFormula,      ///< value, formula: calculated anew on opening
        kRecalculatedFormula,  ///< value, formula: a file calculated anew on opening
        kUnknownValue,         ///< value: a value of a kind the reader does not know
        kTab,                  ///< the text holds a tab
        kLineBreak,            ///< ... a line break or several paragraphs
        kCarriageReturn,       ///< ... a carriage return
        kDoubleQuote,          ///< ... a double quote
        kNulCharacter,         ///< ... a NUL character
        kTooLong,              ///< length: more bytes than pelk reads in a field
        kMergedCells,          ///< merge: a merged area covering table cells
        kStretchedWidth,       ///< value: the cell that makes the sheet wider than its table
        kStretchedHeight,      ///< value: the cell that makes the sheet longer than its table
        kStretched             ///< value: the cell that makes it both
    };
    int row;     ///< from 0
    int column;  ///< from 0
    bool error;
    bool inTable;  ///< the cell lies in the table (or the merged area covers it)
    Kind kind;
    std::string value;       ///< the cell's value or text, as stored
    std::string format;      ///< the number format's code
    std::string style;       ///< the .ods data style of that format
    std::string formula;     ///< the cell's formula ("=ROW()-4"), when it holds one
    std::string shown;       ///< kNumberFormat: the text the file saved as shown, when known
    std::size_t length = 0;  ///< kTooLong: the bytes of the text
    MERGE_ merge = MERGE_{0, 0, 0, 0};
};

/// CSheetText turns the cells of a sheet into the tab-separated text that
/// pelk reads and that the spreadsheet's own export gives ("save cell
/// contents as shown"): line N is row N, field i is column i, every row
/// padded with empty fields to the used width, a line feed after each.
/// The table is the header row (the first that holds a cell "START") and
/// every row after it, from START's column on; a cell there whose text is
/// not certain, or that the text cannot carry (a tab, a line break, a
/// double quote), is an error. Elsewhere such a cell is written empty, with
/// a warning. A sheet wider or longer than its content (a note, a space, a
/// hyperlink far from the table) is a warning naming the cell that
/// stretches it.
class CSheetText {
public:
    /// The header row and key column of grid; false when no cell is
    /// "START".
    static bool findHeader(const CSheetGrid& grid, int& row, int& column);
    /// The text of grid, and its problems in row order.
    static std::string convert(const CSheetGrid& grid, std::vector<SHEET_PROBLEM_>& problems);
    /// False, with kind set, when cell cannot be written as it is shown.
    static bool writable(const BOOK_CELL_& cell, SHEET_PROBLEM_::Kind& kind);
};

#endif
