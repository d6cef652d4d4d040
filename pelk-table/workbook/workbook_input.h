#ifndef PELK_TABLE_WORKBOOK_WORKBOOK_INPUT_H
#define PELK_TABLE_WORKBOOK_WORKBOOK_INPUT_H

#include <string>
#include <vector>

#include "pelk-table/workbook/sheet_text.h"

/// CWorkbookInput reads a workbook file and gives one sheet of it as the
/// tab-separated text pelk reads, with the problems of its cells. The sheet
/// is the one named (by name, or by number from 1 as the tabs count), or
/// else the one sheet that holds a cell "START".
class CWorkbookInput {
public:
    /// The most bytes a workbook file may have.
    static const long long kMaxFileSize = 256ll << 20;

    /// True when the file at path begins as a workbook (a ZIP archive or a
    /// compound file); false for text, and for a file that cannot be read.
    static bool isWorkbook(const std::string& path);

    /// Reads the workbook at path and converts the sheet chosen by sheet
    /// (empty: the one holding START; with anyTable, a workbook of one sheet
    /// gives that sheet even without START). False, with error set, when
    /// the file or the choice of sheet fails.
    bool read(const std::string& path, const std::string& sheet, bool anyTable, std::string& error);
    /// As read, on the bytes of a workbook held in memory.
    bool convert(std::string bytes, const std::string& sheet, bool anyTable, std::string& error);

    /// The chosen sheet's name, as its tab shows it.
    const std::string& sheetName() const { return m_sheetName; }
    /// The sheet's name as a cell reference writes it: quoted when it holds
    /// anything but letters, digits and underscores.
    std::string sheetReference() const;
    /// The text of the sheet.
    const std::string& text() const { return m_text; }
    /// The problems of its cells, in row order.
    const std::vector<SHEET_PROBLEM_>& problems() const { return m_problems; }
    /// True when a problem is an error.
    bool hasErrors() const;
    /// True when read() or convert() failed because the sheet asked for is
    /// not in the workbook.
    bool sheetNotFound() const { return m_sheetNotFound; }

private:
    std::string m_sheetName;
    std::string m_text;
    std::vector<SHEET_PROBLEM_> m_problems;
    bool m_sheetNotFound = false;
};

#endif
