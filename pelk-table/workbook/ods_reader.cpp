#include "pelk-table/workbook/ods_reader.h"

#include "pelk-table/workbook/ods_sheet.h"
#include "pelk-table/workbook/zip_archive.h"

bool COdsReader::open(std::string& error) {
    std::string xml;
    if (m_archive.has("styles.xml")) {
        if (!m_archive.read("styles.xml", xml, error) || !CXmlReader::read(xml, "styles.xml", m_styles, error))
            return false;
    }
    if (!m_archive.read("content.xml", m_content, error))
        return false;
    COdsSheet names(m_styles, -1, nullptr);
    if (!CXmlReader::read(m_content, "content.xml", m_styles, error) ||
        !CXmlReader::read(m_content, "content.xml", names, error))
        return false;
    m_names = names.names();
    if (m_names.empty()) {
        error = "the spreadsheet holds no sheet";
        return false;
    }
    return true;
}

bool COdsReader::readSheet(int index, CSheetGrid& grid, std::string& error) {
    COdsSheet content(m_styles, index, &grid);
    return CXmlReader::read(m_content, "content.xml", content, error);
}
