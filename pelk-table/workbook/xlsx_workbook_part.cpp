#include "pelk-table/workbook/xlsx_workbook_part.h"

#include "pelk-table/workbook/xlsx_names.h"

void CXlsxWorkbookPart::start(const char* name, const char** attributes) {
    if (!m_rootSeen) {
        m_rootSeen = true;
        if (!CXlsxNames::isMain(name, "workbook"))
            return fail("the package's main part is not a workbook (a document or a presentation?)");
    }
    if (CXlsxNames::isMain(name, "definedName")) {
        const char* defined = CXmlReader::attribute(attributes, "name");
        m_names.emplace_back(defined ? defined : "", "");
        m_inName = true;
        return;
    }
    if (!CXlsxNames::isMain(name, "sheet"))
        return;
    const char* sheetName = CXmlReader::attribute(attributes, "name");
    const char* id = CXlsxNames::relationId(attributes);
    if (!sheetName || !id)
        fail("the workbook lists a sheet without a name or a relationship");
    else
        m_sheets.emplace_back(sheetName, id);
}

void CXlsxWorkbookPart::end(const char* name) {
    if (CXlsxNames::isMain(name, "definedName"))
        m_inName = false;
}

void CXlsxWorkbookPart::text(const char* text, int length) {
    if (m_inName && m_names.back().second.size() < (1u << 16))
        m_names.back().second.append(text, static_cast<std::size_t>(length));
}
