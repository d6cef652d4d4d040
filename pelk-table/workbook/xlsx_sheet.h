#ifndef PELK_TABLE_WORKBOOK_XLSX_SHEET_H
#define PELK_TABLE_WORKBOOK_XLSX_SHEET_H

#include <string>
#include <vector>

#include "pelk-table/workbook/shown_text.h"
#include "pelk-table/workbook/xlsx_string_item.h"
#include "pelk-table/workbook/xml_reader.h"

class CSheetGrid;
class CXlsxStyles;

/// CXlsxSheet reads a worksheet part into a grid: each cell's value shown
/// through its number format, and the merged areas.
class CXlsxSheet : public CXmlHandler {
public:
    /// The grid, strings and styles must outlive the reading.
    CXlsxSheet(CSheetGrid& grid, const std::vector<std::string>& strings, const CXlsxStyles& styles)
        : m_grid(grid),
          m_strings(strings),
          m_styles(styles) {}

    /// "C3" -> row 2, column 2. False when reference is no cell reference.
    static bool parseReference(const char* reference, int& row, int& column);

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override;

private:
    void startCell(const char** attributes);
    void endCell();
    CELL_VALUE_ valueOfCell();

    CSheetGrid& m_grid;
    const std::vector<std::string>& m_strings;
    const CXlsxStyles& m_styles;
    int m_row = -1;
    int m_column = -1;
    int m_cellRow = 0;
    int m_cellColumn = 0;
    bool m_inCell = false;
    bool m_inValue = false;
    bool m_inInline = false;
    bool m_hasValue = false;
    bool m_hasFormula = false;
    bool m_hasInline = false;
    std::string m_type;
    std::string m_value;
    long long m_style = 0;
    CXlsxStringItem m_inline;
};

#endif
