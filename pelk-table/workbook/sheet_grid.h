#ifndef PELK_TABLE_WORKBOOK_SHEET_GRID_H
#define PELK_TABLE_WORKBOOK_SHEET_GRID_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/book_cell.h"

/// A merged area of a sheet, rows and columns from 0, both ends inclusive.
struct MERGE_ {
    int firstRow;
    int firstColumn;
    int lastRow;
    int lastColumn;
};

/// CSheetGrid holds the cells of one sheet that hold something, row by row,
/// with the used area (up to the last row and column that hold something)
/// bounded so that a hostile file cannot make it huge.
class CSheetGrid {
public:
    /// The most rows and columns a sheet may have, and the most cells its
    /// used area may span.
    static const int kMaxRows = 1048576;
    static const int kMaxColumns = 16384;
    static const long long kMaxArea = 4000000;
    static const std::size_t kMaxMerges = 65536;

    /// Stores cell at row, column (from 0). False, with error set, when the
    /// place is beyond the limits.
    bool set(int row, int column, BOOK_CELL_ cell, std::string& error);
    /// Stretches the used area to row, column without a cell (a note, as
    /// the spreadsheet counts it). False, with error set, beyond the limits.
    bool stretch(int row, int column, std::string& error);
    /// The cell at row, column, to change; null when it holds nothing.
    BOOK_CELL_* cellAt(int row, int column);
    /// Records a merged area (the first kMaxMerges of them).
    void addMerge(const MERGE_& merge) {
        if (m_merges.size() < kMaxMerges)
            m_merges.push_back(merge);
    }

    /// The used area: one past the last row and column that hold a cell.
    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }
    /// The cell at row, column; null when it holds nothing.
    const BOOK_CELL_* cell(int row, int column) const;
    /// The cells of row (index = column; empty text for holes); null when
    /// the row holds nothing.
    const std::vector<BOOK_CELL_>* row(int row) const;
    const std::vector<MERGE_>& merges() const { return m_merges; }
    /// The first cell (or note) to reach the last column, and the last row,
    /// of the used area: row, column.
    std::pair<int, int> widthCell() const { return m_widthCell; }
    std::pair<int, int> heightCell() const { return m_heightCell; }

private:
    std::map<int, std::vector<BOOK_CELL_>> m_rows;
    std::vector<MERGE_> m_merges;
    int m_rowCount = 0;
    int m_columnCount = 0;
    std::pair<int, int> m_widthCell{0, 0};
    std::pair<int, int> m_heightCell{0, 0};
};

#endif
