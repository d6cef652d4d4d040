#include "pelk-table/workbook/sheet_grid.h"

#include <utility>

bool CSheetGrid::set(int row, int column, BOOK_CELL_ cell, std::string& error) {
    if (!stretch(row, column, error))
        return false;
    std::vector<BOOK_CELL_>& cells = m_rows[row];
    if (static_cast<int>(cells.size()) <= column)
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = std::move(cell);
    return true;
}

bool CSheetGrid::stretch(int row, int column, std::string& error) {
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) {
        error = "a cell lies beyond row " + std::to_string(kMaxRows) + " or column " + std::to_string(kMaxColumns);
        return false;
    }
    const int rows = row + 1 > m_rowCount ? row + 1 : m_rowCount;
    const int columns = column + 1 > m_columnCount ? column + 1 : m_columnCount;
    if (static_cast<long long>(rows) * columns > kMaxArea) {
        error = "the used area of the sheet (" + std::to_string(rows) + " rows by " + std::to_string(columns) +
                " columns) holds more than " + std::to_string(kMaxArea) + " cells";
        return false;
    }
    if (columns > m_columnCount)
        m_widthCell = {row, column};
    if (rows > m_rowCount)
        m_heightCell = {row, column};
    m_rowCount = rows;
    m_columnCount = columns;
    return true;
}

BOOK_CELL_* CSheetGrid::cellAt(int row, int column) {
    const auto found = m_rows.find(row);
    if (found == m_rows.end() || column < 0 || column >= static_cast<int>(found->second.size()))
        return nullptr;
    return &found->second[static_cast<std::size_t>(column)];
}

const BOOK_CELL_* CSheetGrid::cell(int row, int column) const {
    const std::vector<BOOK_CELL_>* cells = this->row(row);
    if (!cells || column < 0 || column >= static_cast<int>(cells->size()))
        return nullptr;
    return &(*cells)[static_cast<std::size_t>(column)];
}

const std::vector<BOOK_CELL_>* CSheetGrid::row(int row) const {
    const auto found = m_rows.find(row);
    return found == m_rows.end() ? nullptr : &found->second;
}
