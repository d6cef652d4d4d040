#ifndef PELK_TABLE_WORKBOOK_XLSX_READER_H
#define PELK_TABLE_WORKBOOK_XLSX_READER_H

#include <map>
#include <string>
#include <vector>

#include "pelk-table/workbook/book_reader.h"

class CZipArchive;

/// CXlsxReader reads an Office Open XML workbook (.xlsx, transitional or
/// strict): the workbook part and its sheets found through the package's
/// relationships, the shared strings and the cell formats, and turns each
/// cell into the text the spreadsheet shows.
class CXlsxReader : public CBookReader {
public:
    /// The archive must outlive the reader.
    explicit CXlsxReader(CZipArchive& archive)
        : m_archive(archive) {}

    bool open(std::string& error) override;
    const std::vector<std::string>& sheetNames() const override { return m_names; }
    bool readSheet(int index, CSheetGrid& grid, std::string& error) override;

    /// How a number format shows a value.
    enum FormatKind { kGeneral, kText, kTextWithLiterals, kDateFormat, kOtherNumber };
    /// The kind of a format code ("General", "0.00", "yyyy-mm-dd", "@").
    static FormatKind kindOfCode(const std::string& code);
    /// Decodes the _xHHHH_ escapes of a stored text.
    static std::string unescape(const std::string& text);
    /// The path of target, a relationship's target, seen from the part at
    /// source ("" for the package root). False when it leaves the package.
    static bool resolve(const std::string& source, const std::string& target, std::string& path);

    /// One cell format: its number format's kind and code.
    struct XF_ {
        FormatKind kind;
        std::string code;
    };

private:
    bool readStrings(const std::string& path, std::string& error);
    bool readStyles(const std::string& path, std::string& error);

    CZipArchive& m_archive;
    std::vector<std::string> m_names;
    std::vector<std::string> m_sheetPaths;  // empty when the sheet is no worksheet
    std::vector<std::string> m_strings;
    std::vector<XF_> m_formats;
};

#endif
