#include "pelk-table/workbook/sheet_text.h"

#include <algorithm>

#include "pelk-table/model/table_rules.h"
#include "pelk-table/workbook/sheet_grid.h"
#include "splitter/tsv_scanner.h"

namespace {

// The longest field pelk's reading takes.
const std::size_t kMaxField = CTsvScanner::kMaxFieldLength;

const char kFix[] = "; format the cell as text and type the text it should show";

}  // namespace

bool CSheetText::findHeader(const CSheetGrid& grid, int& row, int& column) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        const std::vector<BOOK_CELL_>* cells = grid.row(r);
        if (!cells)
            continue;
        for (std::size_t c = 0; c < cells->size(); ++c) {
            const BOOK_CELL_& cell = (*cells)[c];
            if (cell.refusal == BOOK_CELL_::kNone && cell.text == "START") {
                row = r;
                column = static_cast<int>(c);
                return true;
            }
        }
    }
    return false;
}

std::string CSheetText::refusal(const BOOK_CELL_& cell) {
    switch (cell.refusal) {
    case BOOK_CELL_::kNone:
        break;
    case BOOK_CELL_::kNumberFormat:
        return "the value " + cell.text + " is shown through a number format other than General" +
               (cell.format.empty() ? std::string() : " (" + cell.format + ")") + ", so its text is not certain" + kFix;
    case BOOK_CELL_::kDate:
        return "the cell holds a date or time (" + cell.text + "), which is shown in a date format" + kFix;
    case BOOK_CELL_::kRoundedNumber:
        return "the number " + cell.text +
               " is shown rounded, or in the exponent form of the General format, so its text is not certain" + kFix;
    case BOOK_CELL_::kErrorValue:
        return "the cell holds the error value " + cell.text + "; mend its formula, or format the cell as text";
    case BOOK_CELL_::kNoCachedResult:
        return "the cell holds a formula saved without its result; open and save the workbook in the spreadsheet "
               "so that it is calculated, or format the cell as text";
    case BOOK_CELL_::kUnknownValue:
        return "the cell holds a value of a kind pelk-table does not read (" + cell.text.substr(0, 40) + ")" + kFix;
    }
    const std::string& text = cell.text;
    if (text.find('\t') != std::string::npos)
        return "the cell holds a tab, which splits the field in the tab-separated text pelk reads; remove it";
    if (text.find('\n') != std::string::npos)
        return "the cell holds a line break (or several paragraphs), which splits the record in the tab-separated "
               "text pelk reads; remove it";
    if (text.find('\r') != std::string::npos)
        return "the cell holds a carriage return, which pelk's reading of tab-separated text drops or takes as a "
               "field's end; remove it";
    if (text.find('"') != std::string::npos)
        return "the cell holds a double quote, which the tab-separated text pelk reads takes as the start or end "
               "of a quoted field; remove it";
    if (text.find('\0') != std::string::npos)
        return "the cell holds a NUL character, which pelk cannot read; remove it";
    if (text.size() > kMaxField)
        return "the cell holds " + std::to_string(text.size()) + " bytes; pelk reads at most " +
               std::to_string(kMaxField) + " in a field";
    return std::string();
}

std::string CSheetText::convert(const CSheetGrid& grid, std::vector<SHEET_PROBLEM_>& problems) {
    int headerRow = grid.rowCount();
    int keyColumn = 0;
    findHeader(grid, headerRow, keyColumn);
    const auto inTable = [headerRow, keyColumn](int row, int column) {
        return row >= headerRow && column >= keyColumn;
    };
    std::string text;
    const int width = grid.columnCount();
    for (int r = 0; r < grid.rowCount(); ++r) {
        const std::vector<BOOK_CELL_>* cells = grid.row(r);
        const int held = cells ? static_cast<int>(cells->size()) : 0;
        for (int c = 0; c < held; ++c) {
            if (c > 0)
                text += '\t';
            const BOOK_CELL_& cell = (*cells)[static_cast<std::size_t>(c)];
            const std::string why = refusal(cell);
            if (why.empty()) {
                text += cell.text;
                continue;
            }
            if (inTable(r, c))
                problems.push_back(SHEET_PROBLEM_{r, c, true, true, why});
            else
                problems.push_back(SHEET_PROBLEM_{r, c, false, false,
                                                  why + " (left empty in the text: the cell is outside the table)"});
        }
        if (width > held)
            text.append(static_cast<std::size_t>(width - held - (held == 0 ? 1 : 0)), '\t');
        text += '\n';
    }
    // An empty sheet is one empty line, as the spreadsheet exports it.
    if (text.empty())
        text = "\n";
    for (const MERGE_& merge : grid.merges()) {
        if (merge.lastRow < headerRow || merge.lastColumn < keyColumn ||
            (merge.firstRow == merge.lastRow && merge.firstColumn == merge.lastColumn))
            continue;
        const int row = std::max(merge.firstRow, headerRow);
        const int column = std::max(merge.firstColumn, keyColumn);
        problems.push_back(SHEET_PROBLEM_{
            row, column, false, true,
            "the merged cells " + CTableRules::cellName(merge.firstRow, merge.firstColumn) + ":" +
                CTableRules::cellName(merge.lastRow, merge.lastColumn) + " cover cells of the table; only " +
                CTableRules::cellName(merge.firstRow, merge.firstColumn) +
                " holds the text, the others read as empty"});
    }
    std::stable_sort(problems.begin(), problems.end(), [](const SHEET_PROBLEM_& a, const SHEET_PROBLEM_& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return text;
}
