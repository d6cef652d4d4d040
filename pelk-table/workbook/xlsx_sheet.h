#ifndef PELK_TABLE_WORKBOOK_XLSX_SHEET_H
#define PELK_TABLE_WORKBOOK_XLSX_SHEET_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/shown_text.h"
#include "pelk-table/workbook/xlsx_string_item.h"
#include "pelk-table/workbook/xml_reader.h"

class CSheetGrid;
class CVolatileFormulas;
class CXlsxStyles;

/// CXlsxSheet reads a worksheet part into a grid: each cell's value shown
/// through its number format (the cell's own, else its row's, else its
/// column's), the merged areas, and the formulas whose result the
/// spreadsheet calculates anew on opening.
class CXlsxSheet : public CXmlHandler {
public:
    /// The grid, strings and styles must outlive the reading.
    /// volatileFormulas knows the workbook's names; it is given the sheet's
    /// formulas.
    CXlsxSheet(CSheetGrid& grid, const std::vector<std::string>& strings, const CXlsxStyles& styles,
               CVolatileFormulas& volatileFormulas)
        : m_grid(grid),
          m_strings(strings),
          m_styles(styles),
          m_volatile(volatileFormulas) {}

    /// Refuses the formulas whose result is not certain; called once the
    /// part is read.
    void finish();

    /// "C3" -> row 2, column 2. False when reference is no cell reference.
    static bool parseReference(const char* reference, int& row, int& column);

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override;

private:
    void startCell(const char** attributes);
    void startFormula(const char** attributes);
    long long styleOfCell() const;
    void endCell();
    CELL_VALUE_ valueOfCell();

    CSheetGrid& m_grid;
    const std::vector<std::string>& m_strings;
    const CXlsxStyles& m_styles;
    CVolatileFormulas& m_volatile;
    /// The columns' styles: first and last column (from 0), style.
    struct COLUMN_STYLE_ {
        long long first, last, style;
    };
    std::vector<COLUMN_STYLE_> m_columnStyles;
    long long m_rowStyle = -1;  // -1: the row has no style of its own
    /// The shared formulas' text, cell and id.
    struct SHARED_ {
        std::string text;
        int row, column;
    };
    std::map<std::string, SHARED_> m_shared;
    std::string m_formula;
    std::string m_sharedId;
    bool m_inFormula = false;
    std::vector<std::pair<int, int>> m_formulaCells;
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
    long long m_style = -1;  // -1: no style of its own
    CXlsxStringItem m_inline;
};

#endif
