#include "pelk-table/workbook/sheet_text.h"

#include <algorithm>

#include "pelk-table/workbook/sheet_grid.h"
#include "splitter/tsv_scanner.h"

namespace {

SHEET_PROBLEM_ problemAt(int row, int column, bool error, bool inTable, SHEET_PROBLEM_::Kind kind) {
    SHEET_PROBLEM_ problem;
    problem.row = row;
    problem.column = column;
    problem.error = error;
    problem.inTable = inTable;
    problem.kind = kind;
    return problem;
}

// The longest field pelk's reading takes.
const std::size_t kMaxField = CTsvScanner::kMaxFieldLength;

// The cell that makes the sheet wider, and the one that makes it longer,
// than what it shows: a note, spaces, a hyperlink's empty cell far from the
// table. The spreadsheet's export pads every row to them, so pelk reads
// empty events and states there.
void addStretch(const CSheetGrid& grid, int headerRow, std::vector<SHEET_PROBLEM_>& problems) {
    if (headerRow >= grid.rowCount())
        return;
    int lastRow = -1;
    int lastColumn = -1;
    for (int r = 0; r < grid.rowCount(); ++r) {
        const std::vector<BOOK_CELL_>* cells = grid.row(r);
        for (std::size_t c = 0; cells && c < cells->size(); ++c) {
            const BOOK_CELL_& cell = (*cells)[c];
            if (cell.refusal != BOOK_CELL_::kNone || cell.text.find_first_not_of(' ') != std::string::npos) {
                lastRow = r;
                lastColumn = std::max(lastColumn, static_cast<int>(c));
            }
        }
    }
    const auto add = [&grid, &problems](std::pair<int, int> place, SHEET_PROBLEM_::Kind kind) {
        SHEET_PROBLEM_ problem = problemAt(place.first, place.second, false, true, kind);
        const BOOK_CELL_* cell = grid.cell(place.first, place.second);
        problem.value = cell ? cell->text : std::string();
        problems.push_back(problem);
    };
    const bool wide = grid.columnCount() - 1 > lastColumn;
    const bool tall = grid.rowCount() - 1 > lastRow;
    if (wide && tall && grid.widthCell() == grid.heightCell()) {
        add(grid.widthCell(), SHEET_PROBLEM_::kStretched);
        return;
    }
    if (wide)
        add(grid.widthCell(), SHEET_PROBLEM_::kStretchedWidth);
    if (tall)
        add(grid.heightCell(), SHEET_PROBLEM_::kStretchedHeight);
}

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

bool CSheetText::writable(const BOOK_CELL_& cell, SHEET_PROBLEM_::Kind& kind) {
    static const SHEET_PROBLEM_::Kind kKinds[] = {
        SHEET_PROBLEM_::kUnknownValue,  // kNone: not used
        SHEET_PROBLEM_::kNumberFormat,    SHEET_PROBLEM_::kDate,
        SHEET_PROBLEM_::kRoundedNumber,   SHEET_PROBLEM_::kErrorValue,
        SHEET_PROBLEM_::kNoCachedResult,  SHEET_PROBLEM_::kUnknownValue,
        SHEET_PROBLEM_::kBoolean,         SHEET_PROBLEM_::kLocaleNumber,
        SHEET_PROBLEM_::kVolatileFormula, SHEET_PROBLEM_::kRecalculatedFormula};
    if (cell.refusal != BOOK_CELL_::kNone) {
        kind = kKinds[cell.refusal];
        return false;
    }
    const std::string& text = cell.text;
    if (text.find('\t') != std::string::npos)
        kind = SHEET_PROBLEM_::kTab;
    else if (text.find('\n') != std::string::npos)
        kind = SHEET_PROBLEM_::kLineBreak;
    else if (text.find('\r') != std::string::npos)
        kind = SHEET_PROBLEM_::kCarriageReturn;
    else if (text.find('"') != std::string::npos)
        kind = SHEET_PROBLEM_::kDoubleQuote;
    else if (text.find('\0') != std::string::npos)
        kind = SHEET_PROBLEM_::kNulCharacter;
    else if (text.size() > kMaxField)
        kind = SHEET_PROBLEM_::kTooLong;
    else
        return true;
    return false;
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
            SHEET_PROBLEM_::Kind kind;
            if (writable(cell, kind)) {
                text += cell.text;
                continue;
            }
            SHEET_PROBLEM_ problem = problemAt(r, c, inTable(r, c), inTable(r, c), kind);
            problem.value = cell.text;
            problem.format = cell.format;
            problem.style = cell.style;
            problem.formula = cell.formula;
            problem.shown = cell.shown;
            problem.length = cell.text.size();
            problems.push_back(problem);
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
        SHEET_PROBLEM_ problem = problemAt(row, column, false, true, SHEET_PROBLEM_::kMergedCells);
        problem.merge = merge;
        problems.push_back(problem);
    }
    addStretch(grid, headerRow, problems);
    std::stable_sort(problems.begin(), problems.end(), [](const SHEET_PROBLEM_& a, const SHEET_PROBLEM_& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return text;
}
