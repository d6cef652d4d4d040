#include "pelk-table/workbook/xlsx_workbook_part.h"

#include "pelk-table/workbook/xlsx_names.h"

void CXlsxWorkbookPart::start(const char* name, const char** attributes) {
    if (!m_rootSeen) {
        m_rootSeen = true;
        if (!CXlsxNames::isMain(name, "workbook"))
            return fail("the package's main part is not a workbook (a document or a presentation?)");
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
