#ifndef PELK_TABLE_WORKBOOK_XLSX_WORKBOOK_PART_H
#define PELK_TABLE_WORKBOOK_XLSX_WORKBOOK_PART_H

#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/xml_reader.h"

/// CXlsxWorkbookPart reads the workbook part of a package: its sheets, in
/// the order of their tabs, each with its relationship id, and its defined
/// names.
class CXlsxWorkbookPart : public CXmlHandler {
public:
    /// The sheets: name, relationship id.
    const std::vector<std::pair<std::string, std::string>>& sheets() const { return m_sheets; }
    /// The defined names: name, what it stands for.
    const std::vector<std::pair<std::string, std::string>>& names() const { return m_names; }

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override;

private:
    std::vector<std::pair<std::string, std::string>> m_sheets;
    std::vector<std::pair<std::string, std::string>> m_names;
    bool m_inName = false;
    bool m_rootSeen = false;
};

#endif
