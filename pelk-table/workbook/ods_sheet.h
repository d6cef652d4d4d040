#ifndef PELK_TABLE_WORKBOOK_ODS_SHEET_H
#define PELK_TABLE_WORKBOOK_ODS_SHEET_H

#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/book_cell.h"
#include "pelk-table/workbook/shown_text.h"
#include "pelk-table/workbook/xml_reader.h"

class COdsStyles;
class CSheetGrid;
class CNumberFormat;
class CVolatileFormulas;

/// COdsSheet reads the tables of content.xml: their names, and the cells of
/// one of them (its repeated rows and columns without allocating the
/// repeats that hold nothing; the paragraphs, spaces, tabs and line breaks
/// of each cell; each value shown through the data style of its style, else
/// its row's or its column's default; notes, which stretch the used area;
/// formulas whose result is calculated anew on opening).
class COdsSheet : public CXmlHandler {
public:
    /// Reads table wanted (from 0) into grid; with no grid, only the names.
    /// The styles and grid must outlive the reading.
    /// volatileFormulas is given the table's formulas; with recalculated,
    /// the spreadsheet calculates every formula of the file anew on opening.
    COdsSheet(const COdsStyles& styles, int wanted, CSheetGrid* grid, CVolatileFormulas* volatileFormulas,
              bool recalculated)
        : m_styles(styles),
          m_wanted(wanted),
          m_grid(grid),
          m_volatile(volatileFormulas),
          m_recalculated(recalculated) {}

    /// The tables' names, in order.
    const std::vector<std::string>& names() const { return m_names; }

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override;

private:
    bool reading() const { return m_tableDepth && static_cast<int>(m_names.size()) - 1 == m_wanted && m_grid; }
    void startCell(const char** attributes);
    void startInCell(const char* name, const char** attributes);
    CELL_VALUE_ valueOfCell(const CNumberFormat& format) const;
    void endCell();
    void endRow();
    void finishTable();

    const COdsStyles& m_styles;
    const int m_wanted;
    CSheetGrid* m_grid;
    CVolatileFormulas* m_volatile;
    const bool m_recalculated;
    std::string m_rowStyle;
    bool m_note = false;
    std::string m_formulaText;
    std::string m_stringValue;
    bool m_hasStringValue = false;
    /// The formulas of the row being read: first column, repeat, text.
    struct ROW_FORMULA_ {
        int column;
        long long repeat;
        std::string text;
    };
    std::vector<ROW_FORMULA_> m_rowFormulas;
    std::vector<int> m_rowNotes;  // the columns of the row's notes
    std::vector<std::string> m_names;
    int m_depth = 0;
    int m_skipDepth = 0;
    int m_tableDepth = 0;
    long long m_row = 0;
    long long m_rowRepeat = 1;
    long long m_column = 0;
    std::vector<std::string> m_columnStyles;
    std::vector<std::pair<int, BOOK_CELL_>> m_rowCells;
    bool m_inCell = false;
    int m_cellDepth = 0;
    long long m_cellRepeat = 1;
    int m_paragraphs = 0;
    int m_paragraph = 0;
    std::string m_text;
    std::string m_type;
    std::string m_value;
    std::string m_style;
    bool m_formula = false;
    bool m_error = false;
};

#endif
