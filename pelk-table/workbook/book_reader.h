#ifndef PELK_TABLE_WORKBOOK_BOOK_READER_H
#define PELK_TABLE_WORKBOOK_BOOK_READER_H

#include <string>
#include <vector>

class CSheetGrid;

/// CBookReader is what a reader of one workbook format offers: the names of
/// the sheets, in tab order, and the cells of each.
class CBookReader {
public:
    virtual ~CBookReader() = default;
    /// Reads the list of sheets. False, with error set, when the workbook is
    /// broken.
    virtual bool open(std::string& error) = 0;
    /// The sheets' names, in the order of their tabs.
    virtual const std::vector<std::string>& sheetNames() const = 0;
    /// Reads sheet index (from 0) into grid. False, with error set, when the
    /// sheet cannot be read.
    virtual bool readSheet(int index, CSheetGrid& grid, std::string& error) = 0;
};

#endif
