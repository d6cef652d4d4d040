#include "pelk-table/workbook/xlsx_comments.h"

#include <string>

#include "pelk-table/workbook/sheet_grid.h"
#include "pelk-table/workbook/xlsx_names.h"
#include "pelk-table/workbook/xlsx_sheet.h"

void CXlsxComments::start(const char* name, const char** attributes) {
    if (!CXlsxNames::isMain(name, "comment"))
        return;
    const char* reference = CXmlReader::attribute(attributes, "ref");
    int row = 0;
    int column = 0;
    std::string error;
    if (reference && CXlsxSheet::parseReference(reference, row, column) && !m_grid.stretch(row, column, error))
        fail(error);
}
