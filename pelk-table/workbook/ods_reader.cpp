#include "pelk-table/workbook/ods_reader.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "pelk-table/workbook/general_number.h"
#include "pelk-table/workbook/sheet_grid.h"
#include "pelk-table/workbook/xml_reader.h"
#include "pelk-table/workbook/zip_archive.h"

namespace {

const char kOffice[] = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
const char kTable[] = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
const char kText[] = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const char kStyle[] = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
const char kNumber[] = "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0";
const char kCalcExtension[] = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";

std::string qualified(const char* uri, const char* local) {
    return std::string(uri) + " " + local;
}

const char* attribute(const char** attributes, const char* uri, const char* local) {
    return CXmlReader::attribute(attributes, qualified(uri, local).c_str());
}

// A repeat count: 1 when absent; 0 when it is no positive number.
long long repeatOf(const char* text) {
    if (!text)
        return 1;
    char* end = nullptr;
    const long long n = std::strtoll(text, &end, 10);
    return end != text && !*end && n > 0 ? n : 0;
}

// The cell styles and data styles of styles.xml and of content.xml's
// automatic styles.
class CStylesHandler : public CXmlHandler {
public:
    explicit CStylesHandler(COdsReader::STYLES_& styles)
        : m_styles(styles) {}

    void start(const char* name, const char** attributes) override {
        if (m_dataStyle.empty()) {
            if (CXmlReader::is(name, kStyle, "style")) {
                const char* styleName = attribute(attributes, kStyle, "name");
                const char* family = attribute(attributes, kStyle, "family");
                if (styleName && family && std::strcmp(family, "table-cell") == 0) {
                    const char* parent = attribute(attributes, kStyle, "parent-style-name");
                    const char* data = attribute(attributes, kStyle, "data-style-name");
                    m_styles.cellStyles[styleName] = {parent ? parent : "", data ? data : ""};
                }
                return;
            }
            const char* local = CXmlReader::localName(name);
            const std::size_t n = std::strlen(local);
            if (n <= 6 || std::strcmp(local + n - 6, "-style") != 0 || !CXmlReader::is(name, kNumber, local))
                return;
            const char* styleName = attribute(attributes, kStyle, "name");
            if (!styleName)
                return;
            m_dataStyle = styleName;
            m_kind = std::string(local, std::strlen(local) - 6);
            m_plain = m_kind == "number";
            return;
        }
        // Inside a number style: it shows as General only when it is one
        // plain number without decimals fixed, grouping or words.
        if (CXmlReader::is(name, kNumber, "number")) {
            if (attribute(attributes, kNumber, "decimal-places") || attribute(attributes, kNumber, "grouping") ||
                attribute(attributes, kNumber, "min-decimal-places"))
                m_plain = false;
            ++m_numbers;
        } else {
            m_plain = false;
        }
    }
    void end(const char* name) override {
        if (m_dataStyle.empty())
            return;
        const char* local = CXmlReader::localName(name);
        const std::size_t n = std::strlen(local);
        if (n > 6 && std::strcmp(local + n - 6, "-style") == 0 && CXmlReader::is(name, kNumber, local)) {
            m_styles.dataStyles[m_dataStyle] = m_plain && m_numbers == 1 ? "general" : m_kind;
            m_dataStyle.clear();
            m_numbers = 0;
        }
    }
    void text(const char*, int) override {}

private:
    COdsReader::STYLES_& m_styles;
    std::string m_dataStyle;
    std::string m_kind;
    bool m_plain = false;
    int m_numbers = 0;
};

// The tables of content.xml: their names, and the cells of one of them.
class CContentHandler : public CXmlHandler {
public:
    CContentHandler(const COdsReader::STYLES_& styles, int wanted, CSheetGrid* grid)
        : m_styles(styles),
          m_wanted(wanted),
          m_grid(grid) {}

    std::vector<std::string> names;

    void start(const char* name, const char** attributes) override {
        ++m_depth;
        if (m_skipDepth)
            return;
        if (CXmlReader::is(name, kTable, "table")) {
            if (m_tableDepth == 0) {
                const char* tableName = attribute(attributes, kTable, "name");
                names.push_back(tableName ? tableName : "Sheet" + std::to_string(names.size() + 1));
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
                return fail("a row of sheet \"" + names.back() + "\" has a repeat count that is no number");
            m_column = 0;
            m_rowCells.clear();
        } else if (CXmlReader::is(name, kTable, "table-cell") || CXmlReader::is(name, kTable, "covered-table-cell")) {
            startCell(attributes);
        }
    }

    void end(const char* name) override {
        const int depth = m_depth--;
        if (m_skipDepth) {
            if (depth == m_skipDepth)
                m_skipDepth = 0;
            return;
        }
        if (depth == m_tableDepth) {
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

    void text(const char* text, int length) override {
        if (m_inCell && !m_skipDepth && m_paragraph > 0)
            m_text.append(text, static_cast<std::size_t>(length));
    }

private:
    bool reading() const { return m_tableDepth && static_cast<int>(names.size()) - 1 == m_wanted && m_grid; }

    void startCell(const char** attributes) {
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
        m_formula = attribute(attributes, kTable, "formula") != nullptr;
        m_style = style ? style
                        : (m_column < static_cast<long long>(m_columnStyles.size())
                               ? m_columnStyles[static_cast<std::size_t>(m_column)]
                               : std::string());
    }

    void startInCell(const char* name, const char** attributes) {
        if (CXmlReader::is(name, kOffice, "annotation") ||
            std::strncmp(name, "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0 ", 51) == 0) {
            m_skipDepth = m_depth;
        } else if (CXmlReader::is(name, kText, "p") || CXmlReader::is(name, kText, "h")) {
            if (m_paragraph == 0 && m_paragraphs++ > 0)
                m_text += '\n';
            ++m_paragraph;
        } else if (m_paragraph > 0 && CXmlReader::is(name, kText, "s")) {
            const long long count = repeatOf(attribute(attributes, kText, "c"));
            if (count > 65536 || m_text.size() + static_cast<std::size_t>(count) > (1u << 20))
                return fail("a cell of sheet \"" + names.back() + "\" repeats a space too often");
            m_text.append(static_cast<std::size_t>(count), ' ');
        } else if (m_paragraph > 0 && CXmlReader::is(name, kText, "tab")) {
            m_text += '\t';
        } else if (m_paragraph > 0 && CXmlReader::is(name, kText, "line-break")) {
            m_text += '\n';
        }
    }

    // The kind of the data style that shows the cell: "" for none.
    std::string dataStyleKind() const {
        std::string style = m_style;
        for (int hops = 0; hops < 16 && !style.empty(); ++hops) {
            const auto found = m_styles.cellStyles.find(style);
            if (found == m_styles.cellStyles.end())
                return std::string();
            if (!found->second.second.empty()) {
                const auto data = m_styles.dataStyles.find(found->second.second);
                return data == m_styles.dataStyles.end() ? std::string("unknown") : data->second;
            }
            style = found->second.first;
        }
        return std::string();
    }

    void endCell() {
        m_inCell = false;
        const long long repeat = m_cellRepeat;
        const long long column = m_column;
        m_column += repeat;
        if (repeat == 0)
            return fail("a cell of sheet \"" + names.back() + "\" has a repeat count that is no number");
        BOOK_CELL_ cell;
        const std::string kind = dataStyleKind();
        if (m_error) {
            cell.text = m_text;
            cell.refusal = BOOK_CELL_::kErrorValue;
        } else if (m_type.empty()) {
            if (m_formula)
                cell.refusal = BOOK_CELL_::kNoCachedResult;
            else if (m_paragraphs > 0)
                cell.text = m_text;
            else
                return;
        } else if (m_type == "string") {
            cell.text = m_text;
        } else if (m_type == "float") {
            double value = 0;
            cell.text = m_value;
            if (!CGeneralNumber::parse(m_value, value)) {
                cell.refusal = BOOK_CELL_::kUnknownValue;
            } else if (kind == "date" || kind == "time") {
                cell.refusal = BOOK_CELL_::kDate;
            } else if (kind == "boolean" || (kind.empty() && m_formula && m_paragraphs > 0 &&
                                             ((m_text == "TRUE" && value == 1) || (m_text == "FALSE" && value == 0)))) {
                // A logical result: shown TRUE or FALSE.
                if (value == 0 || value == 1)
                    cell.text = value == 1 ? "TRUE" : "FALSE";
                else
                    cell.refusal = BOOK_CELL_::kNumberFormat;
            } else if (!kind.empty() && kind != "general") {
                cell.refusal = BOOK_CELL_::kNumberFormat;
                cell.format = m_text;
            } else if (!CGeneralNumber::text(value, cell.text)) {
                cell.refusal = BOOK_CELL_::kRoundedNumber;
            } else if (m_paragraphs > 0 && m_text != cell.text) {
                cell.refusal = BOOK_CELL_::kNumberFormat;
                cell.format = m_text;
            }
        } else if (m_type == "boolean") {
            cell.text = m_value == "true" ? "TRUE" : m_value == "false" ? "FALSE" : m_value;
            if (m_value != "true" && m_value != "false")
                cell.refusal = BOOK_CELL_::kUnknownValue;
            else if (!kind.empty() && kind != "boolean" && kind != "general")
                cell.refusal = BOOK_CELL_::kNumberFormat;
        } else if (m_type == "date" || m_type == "time") {
            cell.text = m_text;
            cell.refusal = BOOK_CELL_::kDate;
        } else if (m_type == "percentage" || m_type == "currency") {
            cell.text = m_value;
            cell.format = m_text;
            cell.refusal = BOOK_CELL_::kNumberFormat;
        } else if (m_type == "void") {
            return;
        } else {
            cell.text = m_type;
            cell.refusal = BOOK_CELL_::kUnknownValue;
        }
        if (column + repeat > CSheetGrid::kMaxColumns)
            return fail("a cell of sheet \"" + names.back() + "\" lies beyond column " +
                        std::to_string(CSheetGrid::kMaxColumns));
        for (long long i = 0; i < repeat; ++i)
            m_rowCells.emplace_back(static_cast<int>(column + i), cell);
        if (m_rowCells.size() > static_cast<std::size_t>(CSheetGrid::kMaxColumns))
            return fail("a row of sheet \"" + names.back() + "\" holds too many cells");
    }

    void endRow() {
        const long long row = m_row;
        m_row += m_rowRepeat;
        if (m_rowCells.empty())
            return;
        if (row + m_rowRepeat > CSheetGrid::kMaxRows)
            return fail("a row of sheet \"" + names.back() + "\" lies beyond row " +
                        std::to_string(CSheetGrid::kMaxRows));
        std::string error;
        for (long long r = 0; r < m_rowRepeat; ++r) {
            for (const auto& cell : m_rowCells) {
                if (!m_grid->set(static_cast<int>(row + r), cell.first, cell.second, error))
                    return fail("sheet \"" + names.back() + "\": " + error);
            }
        }
    }

    const COdsReader::STYLES_& m_styles;
    const int m_wanted;
    CSheetGrid* m_grid;
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

}  // namespace

bool COdsReader::open(std::string& error) {
    std::string xml;
    if (m_archive.has("styles.xml")) {
        CStylesHandler styles(m_styles);
        if (!m_archive.read("styles.xml", xml, error) || !CXmlReader::read(xml, "styles.xml", styles, error))
            return false;
    }
    if (!m_archive.read("content.xml", m_content, error))
        return false;
    CStylesHandler styles(m_styles);
    CContentHandler names(m_styles, -1, nullptr);
    if (!CXmlReader::read(m_content, "content.xml", styles, error) ||
        !CXmlReader::read(m_content, "content.xml", names, error))
        return false;
    m_names = names.names;
    if (m_names.empty()) {
        error = "the spreadsheet holds no sheet";
        return false;
    }
    return true;
}

bool COdsReader::readSheet(int index, CSheetGrid& grid, std::string& error) {
    CContentHandler content(m_styles, index, &grid);
    return CXmlReader::read(m_content, "content.xml", content, error);
}
