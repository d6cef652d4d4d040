#ifndef PELK_TABLE_WORKBOOK_ODS_READER_H
#define PELK_TABLE_WORKBOOK_ODS_READER_H

#include <map>
#include <string>
#include <vector>

#include "pelk-table/workbook/book_reader.h"

class CZipArchive;

/// COdsReader reads an OpenDocument spreadsheet (.ods): the tables of
/// content.xml, their repeated rows and columns (without allocating the
/// repeats that hold nothing), the paragraphs, spaces, tabs and line breaks
/// of each cell, and the data styles that say how a value is shown.
class COdsReader : public CBookReader {
public:
    /// The archive must outlive the reader.
    explicit COdsReader(CZipArchive& archive)
        : m_archive(archive) {}

    bool open(std::string& error) override;
    const std::vector<std::string>& sheetNames() const override { return m_names; }
    bool readSheet(int index, CSheetGrid& grid, std::string& error) override;

    /// A cell style: its parent and its data style; a data style: its kind.
    struct STYLES_ {
        std::map<std::string, std::pair<std::string, std::string>> cellStyles;  ///< name -> parent, data style
        std::map<std::string, std::string> dataStyles;  ///< name -> kind ("general", "date", ...)
    };

private:
    CZipArchive& m_archive;
    std::string m_content;
    STYLES_ m_styles;
    std::vector<std::string> m_names;
};

#endif
