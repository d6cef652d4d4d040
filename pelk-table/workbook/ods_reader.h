#ifndef PELK_TABLE_WORKBOOK_ODS_READER_H
#define PELK_TABLE_WORKBOOK_ODS_READER_H

#include <string>
#include <vector>

#include "pelk-table/workbook/book_reader.h"
#include "pelk-table/workbook/ods_styles.h"

class CZipArchive;

/// COdsReader reads an OpenDocument spreadsheet (.ods): the styles of
/// styles.xml and content.xml (COdsStyles), and the tables of content.xml
/// (COdsSheet). LibreOffice calculates the formulas of a file that another
/// program wrote anew on opening (meta.xml names the writer): their saved
/// results are not certain.
class COdsReader : public CBookReader {
public:
    /// The archive must outlive the reader.
    explicit COdsReader(CZipArchive& archive)
        : m_archive(archive) {}

    bool open(std::string& error) override;
    const std::vector<std::string>& sheetNames() const override { return m_names; }
    bool readSheet(int index, CSheetGrid& grid, std::string& error) override;

private:
    CZipArchive& m_archive;
    std::string m_content;
    COdsStyles m_styles;
    std::vector<std::string> m_names;
    bool m_recalculated = false;
    bool m_bookVolatile = false;
};

#endif
