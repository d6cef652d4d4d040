#include "pelk-table/workbook/ods_sheet.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "pelk-table/workbook/general_number.h"
#include "pelk-table/workbook/number_format.h"
#include "pelk-table/workbook/ods_styles.h"
#include "pelk-table/workbook/sheet_grid.h"
#include "pelk-table/workbook/shown_text.h"
#include "pelk-table/workbook/volatile_formulas.h"

namespace {

const char kOffice[] = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
const char kTable[] = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
const char kText[] = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const char kCalcExtension[] = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";

const char* attribute(const char** attributes, const char* uri, const char* local) {
    return CXmlReader::attribute(attributes, (std::string(uri) + " " + local).c_str());
}

// Repeat counts and the row and column counters are held at this ceiling,
// far below the counters' range: any count so large is beyond the sheet's
// limits anyway.
const long long kCeiling = 1ll << 40;

// A repeat count: 1 when absent; 0 when it is no positive number.
long long repeatOf(const char* text) {
    if (!text)
        return 1;
    char* end = nullptr;
    const long long n = std::strtoll(text, &end, 10);
    return end != text && !*end && n > 0 ? (n > kCeiling ? kCeiling : n) : 0;
}

}  // namespace

void COdsSheet::start(const char* name, const char** attributes) {
    ++m_depth;
    if (m_skipDepth)
        return;
    if (CXmlReader::is(name, kTable, "table")) {
        if (m_tableDepth == 0) {
            const char* tableName = attribute(attributes, kTable, "name");
            m_names.push_back(tableName ? tableName : "Sheet" + std::to_string(m_names.size() + 1));
            m_tableDepth = m_depth;
            m_row = 0;
            m_columnStyles.clear();
        } else {
            m_skipDepth = m_depth;  // a table inside a cell
        }
        return;
    }
    if (!reading())
        return;
    if (m_inCell) {
        startInCell(name, attributes);
        return;
    }
    if (CXmlReader::is(name, kTable, "table-column")) {
        const long long repeat = repeatOf(attribute(attributes, kTable, "number-columns-repeated"));
        const char* style = attribute(attributes, kTable, "default-cell-style-name");
        if (static_cast<long long>(m_columnStyles.size()) + repeat <= CSheetGrid::kMaxColumns && style &&
            std::strcmp(style, "Default") != 0)
            m_columnStyles.resize(m_columnStyles.size() + static_cast<std::size_t>(repeat), style);
        else if (static_cast<long long>(m_columnStyles.size()) + repeat <= CSheetGrid::kMaxColumns)
            m_columnStyles.resize(m_columnStyles.size() + static_cast<std::size_t>(repeat));
    } else if (CXmlReader::is(name, kTable, "table-row")) {
        m_rowRepeat = repeatOf(attribute(attributes, kTable, "number-rows-repeated"));
        if (m_rowRepeat == 0)
            return fail("a row of sheet \"" + m_names.back() + "\" has a repeat count that is no number");
        m_column = 0;
        m_rowCells.clear();
        m_rowNotes.clear();
        m_rowFormulas.clear();
        const char* style = attribute(attributes, kTable, "default-cell-style-name");
        m_rowStyle = style && std::strcmp(style, "Default") != 0 ? style : "";
    } else if (CXmlReader::is(name, kTable, "table-cell") || CXmlReader::is(name, kTable, "covered-table-cell")) {
        startCell(attributes);
    }
}

void COdsSheet::end(const char* name) {
    const int depth = m_depth--;
    if (m_skipDepth) {
        if (depth == m_skipDepth)
            m_skipDepth = 0;
        return;
    }
    if (depth == m_tableDepth) {
        if (reading())
            finishTable();
        m_tableDepth = 0;
        return;
    }
    if (!reading())
        return;
    if (m_inCell) {
        if (depth == m_cellDepth)
            endCell();
        else if (CXmlReader::is(name, kText, "p") || CXmlReader::is(name, kText, "h"))
            --m_paragraph;
        return;
    }
    if (CXmlReader::is(name, kTable, "table-row"))
        endRow();
}

void COdsSheet::text(const char* text, int length) {
    if (m_inCell && !m_skipDepth && m_paragraph > 0)
        m_text.append(text, static_cast<std::size_t>(length));
}

void COdsSheet::startCell(const char** attributes) {
    m_inCell = true;
    m_cellDepth = m_depth;
    m_paragraphs = 0;
    m_paragraph = 0;
    m_text.clear();
    m_cellRepeat = repeatOf(attribute(attributes, kTable, "number-columns-repeated"));
    const char* type = attribute(attributes, kOffice, "value-type");
    const char* extension = attribute(attributes, kCalcExtension, "value-type");
    const char* value = attribute(attributes, kOffice, "value");
    const char* boolean = attribute(attributes, kOffice, "boolean-value");
    const char* style = attribute(attributes, kTable, "style-name");
    m_type = type ? type : "";
    m_error = extension && std::strcmp(extension, "error") == 0;
    m_value = value ? value : (boolean ? boolean : "");
    // A text shown through a format is saved as its value and, in the
    // paragraphs, as shown.
    const char* stringValue = attribute(attributes, kOffice, "string-value");
    m_hasStringValue = stringValue != nullptr;
    m_stringValue = stringValue ? stringValue : "";
    const char* formula = attribute(attributes, kTable, "formula");
    m_formula = formula != nullptr;
    m_formulaText = formula ? CVolatileFormulas::fromOpenFormula(formula) : std::string();
    m_note = false;
    const char* columns = attribute(attributes, kTable, "number-columns-spanned");
    const char* rows = attribute(attributes, kTable, "number-rows-spanned");
    const long long spanColumns = repeatOf(columns);
    const long long spanRows = repeatOf(rows);
    if ((spanColumns > 1 || spanRows > 1) && m_row < CSheetGrid::kMaxRows && m_column < CSheetGrid::kMaxColumns) {
        const long long lastRow = std::min<long long>(m_row + spanRows - 1, CSheetGrid::kMaxRows - 1);
        const long long lastColumn = std::min<long long>(m_column + spanColumns - 1, CSheetGrid::kMaxColumns - 1);
        m_grid->addMerge(MERGE_{static_cast<int>(m_row), static_cast<int>(m_column), static_cast<int>(lastRow),
                                static_cast<int>(lastColumn)});
    }
    // A cell without a style of its own takes its row's default, else its
    // column's.
    m_style = style                 ? style
              : !m_rowStyle.empty() ? m_rowStyle
                                    : (m_column < static_cast<long long>(m_columnStyles.size())
                                           ? m_columnStyles[static_cast<std::size_t>(m_column)]
                                           : std::string());
}

void COdsSheet::startInCell(const char* name, const char** attributes) {
    if (CXmlReader::is(name, kOffice, "annotation")) {
        m_note = true;
        m_skipDepth = m_depth;
    } else if (std::strncmp(name, "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0 ", 51) == 0) {
        m_skipDepth = m_depth;
    } else if (CXmlReader::is(name, kText, "p") || CXmlReader::is(name, kText, "h")) {
        if (m_paragraph == 0 && m_paragraphs++ > 0)
            m_text += '\n';
        ++m_paragraph;
    } else if (m_paragraph > 0 && CXmlReader::is(name, kText, "s")) {
        const long long count = repeatOf(attribute(attributes, kText, "c"));
        if (count > 65536 || m_text.size() + static_cast<std::size_t>(count) > (1u << 20))
            return fail("a cell of sheet \"" + m_names.back() + "\" repeats a space too often");
        m_text.append(static_cast<std::size_t>(count), ' ');
    } else if (m_paragraph > 0 && CXmlReader::is(name, kText, "tab")) {
        m_text += '\t';
    } else if (m_paragraph > 0 && CXmlReader::is(name, kText, "line-break")) {
        m_text += '\n';
    }
}

// The cell's value as the file stores it, shown through its style.
CELL_VALUE_ COdsSheet::valueOfCell(const CNumberFormat& format) const {
    CELL_VALUE_ value;
    value.stored = m_value;
    value.hasShown = m_paragraphs > 0;
    value.shown = m_text;
    double number = 0;
    if (m_error) {
        value.kind = CELL_VALUE_::kError;
        value.stored = m_text;
    } else if (m_type.empty()) {
        // A formula's result saved without a type is its text (="" gives
        // an empty paragraph); without a paragraph there is none.
        value.kind = m_formula && m_paragraphs == 0 ? CELL_VALUE_::kNoResult : CELL_VALUE_::kText;
        value.stored = m_text;
    } else if (m_type == "string") {
        value.stored = m_hasStringValue ? m_stringValue : m_text;
    } else if (m_type == "float") {
        value.kind = CELL_VALUE_::kNumber;
        // A logical result of a formula in a cell of no data style: shown
        // TRUE or FALSE.
        if (format.isGeneral() && format.name().empty() && m_formula && CGeneralNumber::parse(m_value, number) &&
            ((m_text == "TRUE" && number == 1) || (m_text == "FALSE" && number == 0))) {
            value.kind = CELL_VALUE_::kBoolean;
            value.stored = number == 1 ? "1" : "0";
        }
    } else if (m_type == "boolean") {
        value.kind = CELL_VALUE_::kBoolean;
        value.stored = m_value == "true" ? "1" : m_value == "false" ? "0" : m_value;
    } else if (m_type == "date" || m_type == "time") {
        value.kind = CELL_VALUE_::kDate;
        value.stored = m_text;
    } else if (m_type == "percentage" || m_type == "currency") {
        value.kind = CELL_VALUE_::kNumber;
    } else {
        value.kind = CELL_VALUE_::kUnknown;
        value.stored = m_type;
    }
    return value;
}

void COdsSheet::endCell() {
    m_inCell = false;
    const long long repeat = m_cellRepeat;
    const long long column = m_column;
    m_column = std::min(m_column + repeat, kCeiling);
    if (repeat == 0)
        return fail("a cell of sheet \"" + m_names.back() + "\" has a repeat count that is no number");
    if (column + repeat > CSheetGrid::kMaxColumns &&
        (m_note || m_formula || m_error || m_paragraphs > 0 || !(m_type.empty() || m_type == "void")))
        return fail("a cell of sheet \"" + m_names.back() + "\" lies beyond column " +
                    std::to_string(CSheetGrid::kMaxColumns));
    if (m_note) {
        for (long long i = 0; i < repeat; ++i)
            m_rowNotes.push_back(static_cast<int>(column + i));
    }
    if (m_type == "void" || (!m_error && m_type.empty() && !m_formula && m_paragraphs == 0))
        return;
    CNumberFormat format = m_styles.format(m_style);
    if ((m_type == "percentage" || m_type == "currency") && format.isGeneral()) {
        // Shown as a percentage or an amount, whatever the style says.
        FORMAT_SECTION_ section;
        section.parts.push_back(FORMAT_PART_{FORMAT_PART_::kOther, m_type == "percentage" ? "0%" : "[$]0", 0, false});
        format = CNumberFormat();
        format.addNumberSection(section);
    }
    const CELL_VALUE_ value = valueOfCell(format);
    // An empty text counts for nothing, as in the spreadsheet; a formula
    // giving one is a cell.
    if (value.kind == CELL_VALUE_::kText && value.stored.empty() && !m_formula)
        return;
    BOOK_CELL_ cell = CShownText::of(value, format);
    if (m_formula) {
        cell.formula = "=" + m_formulaText;
        // The spreadsheet calculates the file's formulas anew on opening.
        if (m_recalculated && cell.refusal == BOOK_CELL_::kNone)
            cell.refusal = BOOK_CELL_::kRecalculated;
        m_rowFormulas.push_back(ROW_FORMULA_{static_cast<int>(column), repeat, m_formulaText});
    }
    if (column + repeat > CSheetGrid::kMaxColumns)
        return fail("a cell of sheet \"" + m_names.back() + "\" lies beyond column " +
                    std::to_string(CSheetGrid::kMaxColumns));
    for (long long i = 0; i < repeat; ++i)
        m_rowCells.emplace_back(static_cast<int>(column + i), cell);
    if (m_rowCells.size() > static_cast<std::size_t>(CSheetGrid::kMaxColumns))
        return fail("a row of sheet \"" + m_names.back() + "\" holds too many cells");
}

void COdsSheet::endRow() {
    const long long row = m_row;
    m_row = std::min(m_row + m_rowRepeat, kCeiling);
    if (m_rowCells.empty() && m_rowNotes.empty())
        return;
    if (row + m_rowRepeat > CSheetGrid::kMaxRows)
        return fail("a row of sheet \"" + m_names.back() + "\" lies beyond row " +
                    std::to_string(CSheetGrid::kMaxRows));
    std::string error;
    for (long long r = 0; r < m_rowRepeat; ++r) {
        for (const auto& cell : m_rowCells) {
            if (!m_grid->set(static_cast<int>(row + r), cell.first, cell.second, error))
                return fail("sheet \"" + m_names.back() + "\": " + error);
        }
        for (int column : m_rowNotes) {
            if (!m_grid->stretch(static_cast<int>(row + r), column, error))
                return fail("sheet \"" + m_names.back() + "\": " + error);
        }
        // A repeated formula's text is its first cell's, moved.
        for (const ROW_FORMULA_& formula : m_rowFormulas) {
            for (long long i = 0; i < formula.repeat && m_volatile; ++i)
                m_volatile->add(static_cast<int>(row + r), formula.column + static_cast<int>(i),
                                CVolatileFormulas::shifted(formula.text, static_cast<int>(r), static_cast<int>(i)));
        }
    }
}

void COdsSheet::finishTable() {
    if (!m_volatile)
        return;
    m_volatile->markUncertain(*m_grid);
}
