#ifndef PELK_TABLE_WORKBOOK_XLSX_STYLES_H
#define PELK_TABLE_WORKBOOK_XLSX_STYLES_H

#include <map>
#include <string>
#include <vector>

#include "pelk-table/workbook/number_format.h"
#include "pelk-table/workbook/xml_reader.h"

/// CXlsxStyles reads the styles part: the number format of each cell
/// format (<cellXfs>), which a cell, a row or a column names by index.
class CXlsxStyles : public CXmlHandler {
public:
    /// The number format of cell format index (from 0); General for an
    /// index the part does not hold.
    const CNumberFormat& format(long long index) const;
    /// The format code of a built-in number format id; null for the ids
    /// without a fixed code.
    static const char* builtInCode(int id);

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char*, int) override {}
    /// Turns the ids read into formats; called once the part is read.
    void finish();

private:
    std::vector<CNumberFormat> m_formats;
    std::map<int, std::string> m_codes;
    std::vector<int> m_ids;
    bool m_inCellFormats = false;
    CNumberFormat m_general;
};

#endif
