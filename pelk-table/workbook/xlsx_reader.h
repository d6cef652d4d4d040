#ifndef PELK_TABLE_WORKBOOK_XLSX_READER_H
#define PELK_TABLE_WORKBOOK_XLSX_READER_H

#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/book_reader.h"
#include "pelk-table/workbook/xlsx_styles.h"

class CZipArchive;

/// CXlsxReader reads an Office Open XML workbook (.xlsx, transitional or
/// strict): the workbook part and its sheets found through the package's
/// relationships (CXlsxRelations, CXlsxWorkbookPart), the shared strings
/// (CXlsxSharedStrings) and the cell formats (CXlsxStyles), and each sheet
/// (CXlsxSheet).
class CXlsxReader : public CBookReader {
public:
    /// The archive must outlive the reader.
    explicit CXlsxReader(CZipArchive& archive)
        : m_archive(archive) {}

    bool open(std::string& error) override;
    const std::vector<std::string>& sheetNames() const override { return m_names; }
    bool readSheet(int index, CSheetGrid& grid, std::string& error) override;

private:
    bool readPart(const std::string& path, CXmlHandler& handler, std::string& error);
    bool bookVolatile();
    bool readNotes(const std::string& sheetPath, CSheetGrid& grid, std::string& error);

    CZipArchive& m_archive;
    std::vector<std::string> m_names;
    std::vector<std::string> m_sheetPaths;  // empty when the sheet is no worksheet
    std::vector<std::string> m_strings;
    CXlsxStyles m_styles;
    std::vector<std::pair<std::string, std::string>> m_definedNames;
    int m_bookVolatile = -1;  // -1: not yet known
};

#endif
