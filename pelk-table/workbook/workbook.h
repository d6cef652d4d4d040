#ifndef PELK_TABLE_WORKBOOK_WORKBOOK_H
#define PELK_TABLE_WORKBOOK_WORKBOOK_H

#include <memory>
#include <string>
#include <vector>

class CBookReader;
class CSheetGrid;
class CZipArchive;

/// CWorkbook opens a workbook held in memory, telling its kind by its
/// content (never by a file name): a ZIP archive whose mimetype part names an
/// OpenDocument spreadsheet is .ods; one with [Content_Types].xml is .xlsx;
/// a compound file (D0 CF 11 E0) is a legacy .xls or an encrypted workbook,
/// refused with a message that names it.
class CWorkbook {
public:
    CWorkbook();
    ~CWorkbook();
    CWorkbook(const CWorkbook&) = delete;
    CWorkbook& operator=(const CWorkbook&) = delete;

    /// True when bytes begin as a workbook does: a ZIP archive or a compound
    /// file.
    static bool looksLikeWorkbook(const std::string& bytes);
    /// False when this build reads no workbooks.
    static bool available();

    /// Opens the workbook in bytes. False, with error set, when it is not
    /// one pelk-table reads, or is broken.
    bool open(std::string bytes, std::string& error);
    /// "xlsx" or "ods", once open.
    const char* kind() const { return m_kind; }
    /// The sheets' names, in the order of their tabs.
    const std::vector<std::string>& sheetNames() const;
    /// Reads sheet index (from 0) into grid. False, with error set, when it
    /// cannot be read.
    bool readSheet(int index, CSheetGrid& grid, std::string& error);

private:
    std::string m_bytes;
    std::unique_ptr<CZipArchive> m_archive;
    std::unique_ptr<CBookReader> m_reader;
    const char* m_kind = "";
};

#endif
