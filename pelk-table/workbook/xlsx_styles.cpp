#include "pelk-table/workbook/xlsx_styles.h"

#include <cstdlib>
#include <cstring>

#include "pelk-table/workbook/xlsx_names.h"

const CNumberFormat& CXlsxStyles::format(long long index) const {
    return index >= 0 && index < static_cast<long long>(m_formats.size()) ? m_formats[static_cast<std::size_t>(index)]
                                                                          : m_general;
}

const char* CXlsxStyles::builtInCode(int id) {
    static const struct {
        int id;
        const char* code;
    } kCodes[] = {{0, "General"},
                  {1, "0"},
                  {2, "0.00"},
                  {3, "#,##0"},
                  {4, "#,##0.00"},
                  {9, "0%"},
                  {10, "0.00%"},
                  {11, "0.00E+00"},
                  {12, "# ?/?"},
                  {13, "# \?\?/\?\?"},
                  {14, "mm-dd-yy"},
                  {15, "d-mmm-yy"},
                  {16, "d-mmm"},
                  {17, "mmm-yy"},
                  {18, "h:mm AM/PM"},
                  {19, "h:mm:ss AM/PM"},
                  {20, "h:mm"},
                  {21, "h:mm:ss"},
                  {22, "m/d/yy h:mm"},
                  {37, "#,##0 ;(#,##0)"},
                  {38, "#,##0 ;[Red](#,##0)"},
                  {39, "#,##0.00;(#,##0.00)"},
                  {40, "#,##0.00;[Red](#,##0.00)"},
                  {45, "mm:ss"},
                  {46, "[h]:mm:ss"},
                  {47, "mmss.0"},
                  {48, "##0.0E+0"},
                  {49, "@"}};
    for (const auto& each : kCodes) {
        if (each.id == id)
            return each.code;
    }
    return nullptr;
}

void CXlsxStyles::start(const char* name, const char** attributes) {
    const char* local = CXlsxNames::mainName(name);
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

void CXlsxStyles::end(const char* name) {
    if (CXlsxNames::isMain(name, "cellXfs"))
        m_inCellFormats = false;
}

void CXlsxStyles::finish() {
    m_formats.clear();
    for (int id : m_ids) {
        const auto custom = m_codes.find(id);
        if (custom != m_codes.end()) {
            m_formats.push_back(CNumberFormat::fromCode(custom->second));
        } else if (const char* code = builtInCode(id)) {
            m_formats.push_back(CNumberFormat::fromCode(code));
        } else {
            // Built-in formats without a fixed code: dates (27-36, 50-58)
            // and others the reader does not know.
            FORMAT_PART_ part;
            part.kind = (id >= 27 && id <= 36) || (id >= 50 && id <= 58) ? FORMAT_PART_::kDate : FORMAT_PART_::kOther;
            part.text = "number format " + std::to_string(id);
            FORMAT_SECTION_ section;
            section.parts.push_back(part);
            CNumberFormat format;
            format.addNumberSection(section);
            m_formats.push_back(format);
        }
    }
}
