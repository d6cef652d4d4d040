#ifndef PELK_TABLE_WORKBOOK_XLSX_SHARED_STRINGS_H
#define PELK_TABLE_WORKBOOK_XLSX_SHARED_STRINGS_H

#include <string>
#include <vector>

#include "pelk-table/workbook/xlsx_string_item.h"
#include "pelk-table/workbook/xml_reader.h"

/// CXlsxSharedStrings reads the shared strings part: the text of each item,
/// in order (a cell of type "s" holds an index into them).
class CXlsxSharedStrings : public CXmlHandler {
public:
    /// The strings are appended to strings, which must outlive the reading.
    explicit CXlsxSharedStrings(std::vector<std::string>& strings)
        : m_strings(strings) {}

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override { m_item.text(text, length); }

private:
    std::vector<std::string>& m_strings;
    CXlsxStringItem m_item;
    bool m_inItem = false;
};

#endif
