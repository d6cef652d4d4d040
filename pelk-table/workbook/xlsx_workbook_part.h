#ifndef PELK_TABLE_WORKBOOK_XLSX_WORKBOOK_PART_H
#define PELK_TABLE_WORKBOOK_XLSX_WORKBOOK_PART_H

#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/xml_reader.h"

/// CXlsxWorkbookPart reads the workbook part of a package: its sheets, in
/// the order of their tabs, each with its relationship id.
class CXlsxWorkbookPart : public CXmlHandler {
public:
    /// The sheets: name, relationship id.
    const std::vector<std::pair<std::string, std::string>>& sheets() const { return m_sheets; }

    void start(const char* name, const char** attributes) override;
    void end(const char*) override {}
    void text(const char*, int) override {}

private:
    std::vector<std::pair<std::string, std::string>> m_sheets;
    bool m_rootSeen = false;
};

#endif
