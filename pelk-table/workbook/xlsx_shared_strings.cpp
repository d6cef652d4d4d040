#include "pelk-table/workbook/xlsx_shared_strings.h"

#include <cstring>

#include "pelk-table/workbook/xlsx_names.h"

void CXlsxSharedStrings::start(const char* name, const char**) {
    const char* local = CXlsxNames::mainName(name);
    if (!local)
        return;
    if (std::strcmp(local, "si") == 0)
        m_inItem = true;
    else if (m_inItem)
        m_item.start(local);
}

void CXlsxSharedStrings::end(const char* name) {
    const char* local = CXlsxNames::mainName(name);
    if (!local || !m_inItem)
        return;
    if (std::strcmp(local, "si") == 0) {
        m_strings.push_back(m_item.take());
        m_inItem = false;
    } else {
        m_item.end(local);
    }
}
