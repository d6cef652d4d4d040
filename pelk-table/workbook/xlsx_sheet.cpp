#include "pelk-table/workbook/xlsx_sheet.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "pelk-table/workbook/sheet_grid.h"
#include "pelk-table/workbook/volatile_formulas.h"
#include "pelk-table/workbook/xlsx_names.h"
#include "pelk-table/workbook/xlsx_styles.h"

bool CXlsxSheet::parseReference(const char* reference, int& row, int& column) {
    long long columnNumber = 0;
    const char* at = reference;
    while (*at >= 'A' && *at <= 'Z') {
        columnNumber = columnNumber * 26 + (*at - 'A' + 1);
        if (columnNumber > CSheetGrid::kMaxColumns)
            return false;
        ++at;
    }
    if (at == reference || *at < '1' || *at > '9')
        return false;
    long long rowNumber = 0;
    while (*at >= '0' && *at <= '9') {
        rowNumber = rowNumber * 10 + (*at - '0');
        if (rowNumber > CSheetGrid::kMaxRows)
            return false;
        ++at;
    }
    if (*at)
        return false;
    row = static_cast<int>(rowNumber - 1);
    column = static_cast<int>(columnNumber - 1);
    return true;
}

void CXlsxSheet::start(const char* name, const char** attributes) {
    const char* local = CXlsxNames::mainName(name);
    if (!local)
        return;
    if (m_inCell) {
        if (std::strcmp(local, "v") == 0) {
            m_inValue = true;
            m_hasValue = true;
        } else if (std::strcmp(local, "f") == 0) {
            startFormula(attributes);
        } else if (std::strcmp(local, "is") == 0) {
            m_inInline = true;
            m_hasInline = true;
        } else if (m_inInline) {
            m_inline.start(local);
        }
        return;
    }
    if (std::strcmp(local, "row") == 0) {
        const char* number = CXmlReader::attribute(attributes, "r");
        const long long row = number ? std::atoll(number) : m_row + 2;
        if (row < 1 || row > CSheetGrid::kMaxRows)
            return fail("a row number of the sheet is out of range");
        m_row = static_cast<int>(row - 1);
        m_column = -1;
        const char* style = CXmlReader::attribute(attributes, "s");
        const char* custom = CXmlReader::attribute(attributes, "customFormat");
        m_rowStyle = style && custom && (std::strcmp(custom, "1") == 0 || std::strcmp(custom, "true") == 0)
                         ? std::atoll(style)
                         : -1;
    } else if (std::strcmp(local, "col") == 0) {
        const char* first = CXmlReader::attribute(attributes, "min");
        const char* last = CXmlReader::attribute(attributes, "max");
        const char* style = CXmlReader::attribute(attributes, "style");
        if (first && last && style)
            m_columnStyles.push_back(COLUMN_STYLE_{std::atoll(first) - 1, std::atoll(last) - 1, std::atoll(style)});
    } else if (std::strcmp(local, "c") == 0) {
        startCell(attributes);
    } else if (std::strcmp(local, "mergeCell") == 0) {
        const char* reference = CXmlReader::attribute(attributes, "ref");
        const char* colon = reference ? std::strchr(reference, ':') : nullptr;
        MERGE_ merge;
        if (colon && parseReference(std::string(reference, colon).c_str(), merge.firstRow, merge.firstColumn) &&
            parseReference(colon + 1, merge.lastRow, merge.lastColumn))
            m_grid.addMerge(merge);
    }
}

void CXlsxSheet::end(const char* name) {
    const char* local = CXlsxNames::mainName(name);
    if (!local || !m_inCell)
        return;
    if (std::strcmp(local, "v") == 0)
        m_inValue = false;
    else if (std::strcmp(local, "f") == 0)
        m_inFormula = false;
    else if (std::strcmp(local, "is") == 0)
        m_inInline = false;
    else if (std::strcmp(local, "c") == 0)
        endCell();
    else if (m_inInline)
        m_inline.end(local);
}

void CXlsxSheet::text(const char* text, int length) {
    if (m_inValue)
        m_value.append(text, static_cast<std::size_t>(length));
    else if (m_inFormula)
        m_formula.append(text, static_cast<std::size_t>(length));
    else if (m_inInline)
        m_inline.text(text, length);
}

void CXlsxSheet::startCell(const char** attributes) {
    m_inCell = true;
    m_hasValue = m_hasFormula = m_hasInline = m_inValue = m_inInline = m_inFormula = false;
    m_value.clear();
    m_formula.clear();
    m_sharedId.clear();
    const char* reference = CXmlReader::attribute(attributes, "r");
    int row = m_row < 0 ? 0 : m_row;
    int column = m_column + 1;
    if (reference && !parseReference(reference, row, column))
        return fail(std::string("the cell reference \"") + reference + "\" is not one");
    m_cellRow = row;
    m_cellColumn = column;
    m_column = column;
    const char* type = CXmlReader::attribute(attributes, "t");
    m_type = type ? type : "n";
    const char* style = CXmlReader::attribute(attributes, "s");
    m_style = style ? std::atoll(style) : -1;
}

void CXlsxSheet::startFormula(const char** attributes) {
    m_hasFormula = true;
    m_inFormula = true;
    const char* type = CXmlReader::attribute(attributes, "t");
    const char* id = CXmlReader::attribute(attributes, "si");
    if (type && std::strcmp(type, "shared") == 0 && id)
        m_sharedId = id;
}

// A cell without a style of its own takes its row's, else its column's.
long long CXlsxSheet::styleOfCell() const {
    if (m_style >= 0)
        return m_style;
    if (m_rowStyle >= 0)
        return m_rowStyle;
    for (const COLUMN_STYLE_& column : m_columnStyles) {
        if (m_cellColumn >= column.first && m_cellColumn <= column.last)
            return column.style;
    }
    return 0;
}

// The value the cell stores, by its type.
CELL_VALUE_ CXlsxSheet::valueOfCell() {
    CELL_VALUE_ value;
    value.stored = m_value;
    if (m_type == "inlineStr") {
        value.stored = m_hasInline ? m_inline.take() : m_value;
    } else if (!m_hasValue || (m_hasFormula && m_value.empty() && m_type != "str")) {
        // A formula whose value is missing or empty (as some writers save
        // it) has no result; an empty text result is typed "str".
        value.kind = CELL_VALUE_::kNoResult;
    } else if (m_type == "s") {
        char* end = nullptr;
        const long index = std::strtol(m_value.c_str(), &end, 10);
        if (end == m_value.c_str() || *end || index < 0 || index >= static_cast<long>(m_strings.size()))
            fail("a cell refers to shared string " + m_value + ", which the workbook does not hold");
        else
            value.stored = m_strings[static_cast<std::size_t>(index)];
    } else if (m_type == "str") {
        value.kind = CELL_VALUE_::kText;
    } else if (m_type == "b") {
        value.kind = CELL_VALUE_::kBoolean;
    } else if (m_type == "e") {
        value.kind = CELL_VALUE_::kError;
    } else if (m_type == "d") {
        value.kind = CELL_VALUE_::kDate;
    } else if (m_type == "n") {
        value.kind = CELL_VALUE_::kNumber;
    } else {
        value.kind = CELL_VALUE_::kUnknown;
    }
    return value;
}

void CXlsxSheet::endCell() {
    m_inCell = false;
    if (m_type == "inlineStr" ? !m_hasInline && !m_hasValue : !m_hasValue && !m_hasFormula)
        return;
    const CELL_VALUE_ value = valueOfCell();
    // An empty text counts for nothing, as in the spreadsheet; a formula
    // giving one is a cell.
    if (failed() || (value.kind == CELL_VALUE_::kText && value.stored.empty() && !m_hasFormula))
        return;
    BOOK_CELL_ cell = CShownText::of(value, m_styles.format(styleOfCell()));
    if (m_hasFormula) {
        // A shared formula's other cells hold only its id: the first one's
        // text, moved to the cell, is theirs.
        std::string formula = m_formula;
        if (!m_sharedId.empty()) {
            const auto found = m_shared.find(m_sharedId);
            if (found == m_shared.end() || !m_formula.empty())
                m_shared[m_sharedId] = SHARED_{m_formula, m_cellRow, m_cellColumn};
            else
                formula = CVolatileFormulas::shifted(found->second.text, m_cellRow - found->second.row,
                                                     m_cellColumn - found->second.column);
        }
        cell.formula = "=" + formula;
        m_volatile.add(m_cellRow, m_cellColumn, formula);
    }
    std::string error;
    if (!m_grid.set(m_cellRow, m_cellColumn, std::move(cell), error))
        fail(error);
}

void CXlsxSheet::finish() {
    m_volatile.markUncertain(m_grid);
}
