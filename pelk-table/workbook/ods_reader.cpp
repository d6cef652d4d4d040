#include "pelk-table/workbook/ods_reader.h"

#include "pelk-table/workbook/ods_meta.h"
#include "pelk-table/workbook/ods_sheet.h"
#include "pelk-table/workbook/volatile_formulas.h"
#include "pelk-table/workbook/zip_archive.h"

bool COdsReader::open(std::string& error) {
    std::string xml;
    if (m_archive.has("styles.xml")) {
        if (!m_archive.read("styles.xml", xml, error) || !CXmlReader::read(xml, "styles.xml", m_styles, error))
            return false;
    }
    if (!m_archive.read("content.xml", m_content, error))
        return false;
    COdsSheet names(m_styles, -1, nullptr, nullptr, false);
    if (!CXmlReader::read(m_content, "content.xml", m_styles, error) ||
        !CXmlReader::read(m_content, "content.xml", names, error))
        return false;
    m_names = names.names();
    m_bookVolatile = CVolatileFormulas::callsVolatile(m_content);
    COdsMeta meta;
    if (m_archive.has("meta.xml") &&
        (!m_archive.read("meta.xml", xml, error) || !CXmlReader::read(xml, "meta.xml", meta, error)))
        return false;
    const std::string& generator = meta.generator();
    m_recalculated = generator.compare(0, 12, "LibreOffice/") != 0;
    if (m_names.empty()) {
        error = "the spreadsheet holds no sheet";
        return false;
    }
    return true;
}

bool COdsReader::readSheet(int index, CSheetGrid& grid, std::string& error) {
    CVolatileFormulas formulas;
    formulas.setBookVolatile(m_bookVolatile);
    COdsSheet content(m_styles, index, &grid, &formulas, m_recalculated);
    return CXmlReader::read(m_content, "content.xml", content, error);
}
