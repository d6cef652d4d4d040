#include "pelk-table/workbook/xlsx_reader.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "pelk-table/workbook/general_number.h"
#include "pelk-table/workbook/sheet_grid.h"
#include "pelk-table/workbook/xml_reader.h"
#include "pelk-table/workbook/zip_archive.h"

namespace {

// The transitional and the strict form of each namespace.
const char* const kMain[] = {"http://schemas.openxmlformats.org/spreadsheetml/2006/main",
                             "http://purl.oclc.org/ooxml/spreadsheetml/main"};
const char* const kRelations[] = {"http://schemas.openxmlformats.org/officeDocument/2006/relationships",
                                  "http://purl.oclc.org/ooxml/officeDocument/relationships"};
const char kPackageRelations[] = "http://schemas.openxmlformats.org/package/2006/relationships";

// The local name of an element of the spreadsheet namespace; null for any
// other element.
const char* mainName(const char* name) {
    for (const char* uri : kMain) {
        const std::size_t n = std::strlen(uri);
        if (std::strncmp(name, uri, n) == 0 && name[n] == ' ')
            return name + n + 1;
    }
    return nullptr;
}

bool isMain(const char* name, const char* local) {
    const char* found = mainName(name);
    return found && std::strcmp(found, local) == 0;
}

const char* relationId(const char** attributes) {
    for (const char* uri : kRelations) {
        const std::string name = std::string(uri) + " id";
        if (const char* value = CXmlReader::attribute(attributes, name.c_str()))
            return value;
    }
    return nullptr;
}

// A relationship type, transitional or strict, ends in its kind.
bool typeIs(const std::string& type, const char* kind) {
    const std::string tail = std::string("/") + kind;
    return type.size() > tail.size() && type.compare(type.size() - tail.size(), tail.size(), tail) == 0;
}

struct RELATION_ {
    std::string type;
    std::string target;
    bool external;
};

class CRelationsHandler : public CXmlHandler {
public:
    std::map<std::string, RELATION_> relations;
    std::vector<std::string> order;

    void start(const char* name, const char** attributes) override {
        if (!CXmlReader::is(name, kPackageRelations, "Relationship"))
            return;
        const char* id = CXmlReader::attribute(attributes, "Id");
        const char* type = CXmlReader::attribute(attributes, "Type");
        const char* target = CXmlReader::attribute(attributes, "Target");
        const char* mode = CXmlReader::attribute(attributes, "TargetMode");
        if (!id || !type || !target)
            return;
        relations[id] = RELATION_{type, target, mode && std::strcmp(mode, "External") == 0};
        order.push_back(id);
    }
    void end(const char*) override {}
    void text(const char*, int) override {}
};

class CWorkbookHandler : public CXmlHandler {
public:
    std::vector<std::pair<std::string, std::string>> sheets;  // name, relation id

    void start(const char* name, const char** attributes) override {
        if (!m_rootSeen) {
            m_rootSeen = true;
            if (!isMain(name, "workbook"))
                return fail("the package's main part is not a workbook (a document or a presentation?)");
        }
        if (!isMain(name, "sheet"))
            return;
        const char* sheetName = CXmlReader::attribute(attributes, "name");
        const char* id = relationId(attributes);
        if (!sheetName || !id)
            fail("the workbook lists a sheet without a name or a relationship");
        else
            sheets.emplace_back(sheetName, id);
    }
    void end(const char*) override {}
    void text(const char*, int) override {}

private:
    bool m_rootSeen = false;
};

// Text of a string item (<si>, or <is> of an inline string): the <t> of the
// item and of its rich-text runs, never of its phonetic runs (<rPh>).
class CStringCollector {
public:
    void start(const char* local) {
        if (std::strcmp(local, "rPh") == 0)
            ++m_phonetic;
        else if (std::strcmp(local, "t") == 0 && m_phonetic == 0)
            m_inText = true;
    }
    void end(const char* local) {
        if (std::strcmp(local, "rPh") == 0)
            --m_phonetic;
        else if (std::strcmp(local, "t") == 0)
            m_inText = false;
    }
    void text(const char* text, int length) {
        if (m_inText)
            m_text.append(text, static_cast<std::size_t>(length));
    }
    std::string take() {
        std::string text = CXlsxReader::unescape(m_text);
        m_text.clear();
        m_phonetic = 0;
        m_inText = false;
        return text;
    }

private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

class CStringsHandler : public CXmlHandler {
public:
    explicit CStringsHandler(std::vector<std::string>& strings)
        : m_strings(strings) {}

    void start(const char* name, const char**) override {
        const char* local = mainName(name);
        if (!local)
            return;
        if (std::strcmp(local, "si") == 0)
            m_inItem = true;
        else if (m_inItem)
            m_collector.start(local);
    }
    void end(const char* name) override {
        const char* local = mainName(name);
        if (!local || !m_inItem)
            return;
        if (std::strcmp(local, "si") == 0) {
            m_strings.push_back(m_collector.take());
            m_inItem = false;
        } else {
            m_collector.end(local);
        }
    }
    void text(const char* text, int length) override { m_collector.text(text, length); }

private:
    std::vector<std::string>& m_strings;
    CStringCollector m_collector;
    bool m_inItem = false;
};

const char* builtInFormat(int id) {
    switch (id) {
    case 0:
        return "General";
    case 1:
        return "0";
    case 2:
        return "0.00";
    case 3:
        return "#,##0";
    case 4:
        return "#,##0.00";
    case 9:
        return "0%";
    case 10:
        return "0.00%";
    case 11:
        return "0.00E+00";
    case 12:
        return "# ?/?";
    case 13:
        return "# ??/??";
    case 14:
        return "mm-dd-yy";
    case 15:
        return "d-mmm-yy";
    case 16:
        return "d-mmm";
    case 17:
        return "mmm-yy";
    case 18:
        return "h:mm AM/PM";
    case 19:
        return "h:mm:ss AM/PM";
    case 20:
        return "h:mm";
    case 21:
        return "h:mm:ss";
    case 22:
        return "m/d/yy h:mm";
    case 37:
        return "#,##0 ;(#,##0)";
    case 38:
        return "#,##0 ;[Red](#,##0)";
    case 39:
        return "#,##0.00;(#,##0.00)";
    case 40:
        return "#,##0.00;[Red](#,##0.00)";
    case 45:
        return "mm:ss";
    case 46:
        return "[h]:mm:ss";
    case 47:
        return "mmss.0";
    case 48:
        return "##0.0E+0";
    case 49:
        return "@";
    default:
        return nullptr;
    }
}

class CStylesHandler : public CXmlHandler {
public:
    explicit CStylesHandler(std::vector<CXlsxReader::XF_>& formats)
        : m_formats(formats) {}

    void start(const char* name, const char** attributes) override {
        const char* local = mainName(name);
        if (!local)
            return;
        if (std::strcmp(local, "numFmt") == 0) {
            const char* id = CXmlReader::attribute(attributes, "numFmtId");
            const char* code = CXmlReader::attribute(attributes, "formatCode");
            if (id && code)
                m_codes[std::atoi(id)] = code;
        } else if (std::strcmp(local, "cellXfs") == 0) {
            m_inCellFormats = true;
        } else if (std::strcmp(local, "xf") == 0 && m_inCellFormats) {
            const char* id = CXmlReader::attribute(attributes, "numFmtId");
            m_ids.push_back(id ? std::atoi(id) : 0);
        }
    }
    void end(const char* name) override {
        if (isMain(name, "cellXfs"))
            m_inCellFormats = false;
    }
    void text(const char*, int) override {}

    void finish() {
        for (int id : m_ids) {
            CXlsxReader::XF_ format;
            const auto custom = m_codes.find(id);
            if (custom != m_codes.end()) {
                format.code = custom->second;
                format.kind = CXlsxReader::kindOfCode(format.code);
            } else if (const char* code = builtInFormat(id)) {
                format.code = code;
                format.kind = CXlsxReader::kindOfCode(format.code);
            } else {
                // Built-in formats without a fixed code: dates (27-36,
                // 50-58) and others the reader does not know.
                format.code = "number format " + std::to_string(id);
                format.kind = (id >= 27 && id <= 36) || (id >= 50 && id <= 58) ? CXlsxReader::kDateFormat
                                                                               : CXlsxReader::kOtherNumber;
            }
            m_formats.push_back(format);
        }
    }

private:
    std::vector<CXlsxReader::XF_>& m_formats;
    std::map<int, std::string> m_codes;
    std::vector<int> m_ids;
    bool m_inCellFormats = false;
};

// "C3" -> row 2, column 2. False when ref is no cell reference.
bool parseReference(const char* ref, int& row, int& column) {
    long long c = 0;
    const char* p = ref;
    while (*p >= 'A' && *p <= 'Z') {
        c = c * 26 + (*p - 'A' + 1);
        if (c > CSheetGrid::kMaxColumns)
            return false;
        ++p;
    }
    if (p == ref || *p < '1' || *p > '9')
        return false;
    long long r = 0;
    while (*p >= '0' && *p <= '9') {
        r = r * 10 + (*p - '0');
        if (r > CSheetGrid::kMaxRows)
            return false;
        ++p;
    }
    if (*p)
        return false;
    row = static_cast<int>(r - 1);
    column = static_cast<int>(c - 1);
    return true;
}

class CSheetHandler : public CXmlHandler {
public:
    CSheetHandler(CSheetGrid& grid, const std::vector<std::string>& strings,
                  const std::vector<CXlsxReader::XF_>& formats)
        : m_grid(grid),
          m_strings(strings),
          m_formats(formats) {}

    void start(const char* name, const char** attributes) override {
        const char* local = mainName(name);
        if (!local)
            return;
        if (m_inCell) {
            if (std::strcmp(local, "v") == 0) {
                m_inValue = true;
                m_hasValue = true;
            } else if (std::strcmp(local, "f") == 0) {
                m_hasFormula = true;
            } else if (std::strcmp(local, "is") == 0) {
                m_inInline = true;
                m_hasInline = true;
            } else if (m_inInline) {
                m_inline.start(local);
            }
            return;
        }
        if (std::strcmp(local, "row") == 0) {
            const char* r = CXmlReader::attribute(attributes, "r");
            const long long number = r ? std::atoll(r) : m_row + 2;
            if (number < 1 || number > CSheetGrid::kMaxRows)
                return fail("a row number of the sheet is out of range");
            m_row = static_cast<int>(number - 1);
            m_column = -1;
        } else if (std::strcmp(local, "c") == 0) {
            startCell(attributes);
        } else if (std::strcmp(local, "mergeCell") == 0) {
            const char* ref = CXmlReader::attribute(attributes, "ref");
            const char* colon = ref ? std::strchr(ref, ':') : nullptr;
            MERGE_ merge;
            if (colon && parseReference(std::string(ref, colon).c_str(), merge.firstRow, merge.firstColumn) &&
                parseReference(colon + 1, merge.lastRow, merge.lastColumn))
                m_grid.addMerge(merge);
        }
    }

    void end(const char* name) override {
        const char* local = mainName(name);
        if (!local || !m_inCell)
            return;
        if (std::strcmp(local, "v") == 0)
            m_inValue = false;
        else if (std::strcmp(local, "is") == 0)
            m_inInline = false;
        else if (std::strcmp(local, "c") == 0)
            endCell();
        else if (m_inInline)
            m_inline.end(local);
    }

    void text(const char* text, int length) override {
        if (m_inValue)
            m_value.append(text, static_cast<std::size_t>(length));
        else if (m_inInline)
            m_inline.text(text, length);
    }

private:
    void startCell(const char** attributes) {
        m_inCell = true;
        m_hasValue = m_hasFormula = m_hasInline = m_inValue = m_inInline = false;
        m_value.clear();
        const char* ref = CXmlReader::attribute(attributes, "r");
        int row = m_row < 0 ? 0 : m_row;
        int column = m_column + 1;
        if (ref && !parseReference(ref, row, column))
            return fail(std::string("the cell reference \"") + ref + "\" is not one");
        m_cellRow = row;
        m_cellColumn = column;
        m_column = column;
        const char* type = CXmlReader::attribute(attributes, "t");
        m_type = type ? type : "n";
        const char* style = CXmlReader::attribute(attributes, "s");
        const long long index = style ? std::atoll(style) : 0;
        m_format = index >= 0 && index < static_cast<long long>(m_formats.size()) ? &m_formats[index] : nullptr;
    }

    void endCell() {
        m_inCell = false;
        BOOK_CELL_ cell;
        const CXlsxReader::FormatKind kind = m_format ? m_format->kind : CXlsxReader::kGeneral;
        const std::string code = m_format ? m_format->code : std::string("General");
        if (m_type == "inlineStr") {
            if (!m_hasInline && !m_hasValue)
                return;
            cell.text = m_hasInline ? m_inline.take() : m_value;
        } else if (!m_hasValue) {
            if (!m_hasFormula)
                return;
            cell.refusal = BOOK_CELL_::kNoCachedResult;
        } else if (m_type == "s") {
            char* end = nullptr;
            const long index = std::strtol(m_value.c_str(), &end, 10);
            if (end == m_value.c_str() || *end || index < 0 || index >= static_cast<long>(m_strings.size()))
                return fail("a cell refers to shared string " + m_value + ", which the workbook does not hold");
            cell.text = m_strings[static_cast<std::size_t>(index)];
        } else if (m_type == "str") {
            cell.text = m_value;
        } else if (m_type == "b") {
            cell.text = m_value == "1" ? "TRUE" : m_value == "0" ? "FALSE" : m_value;
            if (m_value != "1" && m_value != "0")
                cell.refusal = BOOK_CELL_::kUnknownValue;
            else if (kind != CXlsxReader::kGeneral)
                cell.refusal = BOOK_CELL_::kNumberFormat;
        } else if (m_type == "e") {
            cell.text = m_value;
            cell.refusal = BOOK_CELL_::kErrorValue;
        } else if (m_type == "d") {
            cell.text = m_value;
            cell.refusal = BOOK_CELL_::kDate;
        } else if (m_type == "n") {
            double value = 0;
            cell.text = m_value;
            if (!CGeneralNumber::parse(m_value, value))
                cell.refusal = BOOK_CELL_::kUnknownValue;
            else if (kind == CXlsxReader::kDateFormat)
                cell.refusal = BOOK_CELL_::kDate;
            else if (kind != CXlsxReader::kGeneral && kind != CXlsxReader::kText)
                cell.refusal = BOOK_CELL_::kNumberFormat;
            else if (!CGeneralNumber::text(value, cell.text))
                cell.refusal = BOOK_CELL_::kRoundedNumber;
        } else {
            cell.text = m_value;
            cell.refusal = BOOK_CELL_::kUnknownValue;
        }
        // A text shown through a format that adds words of its own.
        if (cell.refusal == BOOK_CELL_::kNone && kind == CXlsxReader::kTextWithLiterals &&
            (m_type == "s" || m_type == "str" || m_type == "inlineStr"))
            cell.refusal = BOOK_CELL_::kNumberFormat;
        if (cell.refusal == BOOK_CELL_::kNumberFormat || cell.refusal == BOOK_CELL_::kDate)
            cell.format = code;
        std::string error;
        if (!m_grid.set(m_cellRow, m_cellColumn, std::move(cell), error))
            fail(error);
    }

    CSheetGrid& m_grid;
    const std::vector<std::string>& m_strings;
    const std::vector<CXlsxReader::XF_>& m_formats;
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
    const CXlsxReader::XF_* m_format = nullptr;
    CStringCollector m_inline;
};

std::string relationsPathOf(const std::string& part) {
    const std::string::size_type slash = part.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return dir + "_rels/" + file + ".rels";
}

bool readRelations(CZipArchive& archive, const std::string& path, CRelationsHandler& handler, std::string& error) {
    std::string xml;
    return archive.read(path, xml, error) && CXmlReader::read(xml, path, handler, error);
}

}  // namespace

CXlsxReader::FormatKind CXlsxReader::kindOfCode(const std::string& code) {
    std::string lower;
    for (char c : code)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "general")
        return kGeneral;
    if (code == "@")
        return kText;
    // What is left when quoted words, escaped characters and [...] parts
    // are taken out tells the kind.
    std::string bare;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const char c = lower[i];
        if (c == '"') {
            const std::size_t close = lower.find('"', i + 1);
            i = close == std::string::npos ? lower.size() : close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const std::size_t close = lower.find(']', i + 1);
            i = close == std::string::npos ? lower.size() : close;
        } else {
            bare += c;
        }
    }
    if (code.find('@') != std::string::npos)
        return kTextWithLiterals;
    if (bare.find_first_of("ymdhs") != std::string::npos || lower.find("[h") != std::string::npos ||
        lower.find("[m") != std::string::npos || lower.find("[s") != std::string::npos)
        return kDateFormat;
    return kOtherNumber;
}

std::string CXlsxReader::unescape(const std::string& text) {
    if (text.find("_x") == std::string::npos)
        return text;
    std::string out;
    auto hexAt = [&text](std::size_t at, unsigned& unit) {
        if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
            return false;
        unit = 0;
        for (std::size_t i = at + 2; i < at + 6; ++i) {
            const char c = text[i];
            unit <<= 4;
            if (c >= '0' && c <= '9')
                unit |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                unit |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                unit |= static_cast<unsigned>(c - 'A' + 10);
            else
                return false;
        }
        return true;
    };
    for (std::size_t i = 0; i < text.size();) {
        unsigned unit = 0;
        if (!hexAt(i, unit)) {
            out += text[i++];
            continue;
        }
        i += 7;
        unsigned long point = unit;
        unsigned low = 0;
        if (unit >= 0xD800 && unit < 0xDC00 && hexAt(i, low) && low >= 0xDC00 && low < 0xE000) {
            point = 0x10000 + ((static_cast<unsigned long>(unit) - 0xD800) << 10) + (low - 0xDC00);
            i += 7;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            point = 0xFFFD;
        }
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

bool CXlsxReader::resolve(const std::string& source, const std::string& target, std::string& path) {
    std::string joined;
    if (!target.empty() && target[0] == '/') {
        joined = target.substr(1);
    } else {
        const std::string::size_type slash = source.rfind('/');
        joined = (slash == std::string::npos ? std::string() : source.substr(0, slash + 1)) + target;
    }
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (at <= joined.size()) {
        std::size_t next = joined.find('/', at);
        if (next == std::string::npos)
            next = joined.size();
        const std::string part = joined.substr(at, next - at);
        if (part == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = next + 1;
    }
    path.clear();
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "/") + part;
    return !path.empty();
}

bool CXlsxReader::open(std::string& error) {
    CRelationsHandler package;
    if (!readRelations(m_archive, "_rels/.rels", package, error))
        return false;
    std::string workbook;
    for (const std::string& id : package.order) {
        const RELATION_& relation = package.relations[id];
        if (typeIs(relation.type, "officeDocument") && !relation.external) {
            if (!resolve("", relation.target, workbook)) {
                error = "the package's relationship to the workbook points outside the package";
                return false;
            }
            break;
        }
    }
    if (workbook.empty()) {
        error = "the package names no workbook part (no officeDocument relationship in _rels/.rels)";
        return false;
    }
    std::string xml;
    CWorkbookHandler sheets;
    if (!m_archive.read(workbook, xml, error) || !CXmlReader::read(xml, workbook, sheets, error))
        return false;
    CRelationsHandler relations;
    if (!readRelations(m_archive, relationsPathOf(workbook), relations, error))
        return false;
    for (const auto& sheet : sheets.sheets) {
        const auto found = relations.relations.find(sheet.second);
        if (found == relations.relations.end()) {
            error = "the sheet \"" + sheet.first + "\" refers to relationship " + sheet.second +
                    ", which the workbook does not have";
            return false;
        }
        std::string path;
        if (found->second.external || !resolve(workbook, found->second.target, path)) {
            error = "the sheet \"" + sheet.first + "\" points outside the package";
            return false;
        }
        m_names.push_back(sheet.first);
        m_sheetPaths.push_back(typeIs(found->second.type, "worksheet") ? path : std::string());
    }
    if (m_names.empty()) {
        error = "the workbook lists no sheet";
        return false;
    }
    for (const std::string& id : relations.order) {
        const RELATION_& relation = relations.relations[id];
        std::string path;
        if (relation.external || !resolve(workbook, relation.target, path))
            continue;
        if (typeIs(relation.type, "sharedStrings") && !readStrings(path, error))
            return false;
        if (typeIs(relation.type, "styles") && !readStyles(path, error))
            return false;
    }
    return true;
}

bool CXlsxReader::readStrings(const std::string& path, std::string& error) {
    std::string xml;
    CStringsHandler handler(m_strings);
    return m_archive.read(path, xml, error) && CXmlReader::read(xml, path, handler, error);
}

bool CXlsxReader::readStyles(const std::string& path, std::string& error) {
    std::string xml;
    CStylesHandler handler(m_formats);
    if (!m_archive.read(path, xml, error) || !CXmlReader::read(xml, path, handler, error))
        return false;
    handler.finish();
    return true;
}

bool CXlsxReader::readSheet(int index, CSheetGrid& grid, std::string& error) {
    if (index < 0 || index >= static_cast<int>(m_names.size()))
        return false;
    const std::string& path = m_sheetPaths[static_cast<std::size_t>(index)];
    if (path.empty()) {
        error =
            "the sheet \"" + m_names[static_cast<std::size_t>(index)] + "\" is a chart or a dialog, not a worksheet";
        return false;
    }
    std::string xml;
    CSheetHandler handler(grid, m_strings, m_formats);
    return m_archive.read(path, xml, error) && CXmlReader::read(xml, path, handler, error);
}
