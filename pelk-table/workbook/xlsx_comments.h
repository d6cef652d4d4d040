#ifndef PELK_TABLE_WORKBOOK_XLSX_COMMENTS_H
#define PELK_TABLE_WORKBOOK_XLSX_COMMENTS_H

#include "pelk-table/workbook/xml_reader.h"

class CSheetGrid;

/// CXlsxComments reads a sheet's comments part (its notes): the spreadsheet
/// counts a note's cell as used, so each one stretches the grid's used area
/// to its cell, whether or not the cell holds anything.
class CXlsxComments : public CXmlHandler {
public:
    /// The grid must outlive the reading.
    explicit CXlsxComments(CSheetGrid& grid)
        : m_grid(grid) {}

    void start(const char* name, const char** attributes) override;
    void end(const char*) override {}
    void text(const char*, int) override {}

private:
    CSheetGrid& m_grid;
};

#endif
