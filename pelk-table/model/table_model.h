#ifndef PELK_TABLE_MODEL_TABLE_MODEL_H
#define PELK_TABLE_MODEL_TABLE_MODEL_H

#include <string>
#include <vector>

#include "pelk-table/workbook/sheet_text.h"
#include "table/st_table.h"
#include "table/table_file.h"
#include "table/table_listener.h"
#include "table/table_reader.h"

/// A place in the table file: line and byte column, both from 1 (0 when
/// the place is the whole file), and the spreadsheet cell in A1 notation.
struct PLACE_ {
    int line = 0;
    int column = 0;
    std::string cell;
    int characterColumn = 0;            ///< the column in characters; 0 when not known
    int length = 0;                     ///< the bytes of the line it spans; 0 for a point
    std::string sheet = std::string();  ///< the sheet, as a cell reference names it; empty for a TSV file
};

/// CTableModel is the table as pelk-table sees it: read once, through the
/// same splitter and the same reader as pelk, with the place of every record
/// and field, and every problem found on the way.
class CTableModel : private CTableListener {
public:
    /// path names the file, "-" standard input; machineName is the -n name
    /// (may be empty).
    CTableModel(std::string path, std::string machineName);

    /// Reads the file ("-": standard input): a TSV file, or one sheet of a
    /// workbook. False when it could not be opened or read, or the workbook
    /// not converted, with loadError() saying why ("No such file or
    /// directory", "Is a directory", or the workbook's reason).
    bool load();
    /// The sheet of a workbook to read (name, or number from 1); empty: the
    /// one that holds START.
    void setSheet(const std::string& sheet) { m_sheet = sheet; }
    /// Why load() failed.
    const std::string& loadError() const { return m_loadError; }
    /// True when the file could be opened and read (load() may still have
    /// failed: a workbook that cannot be converted).
    bool opened() const { return m_opened; }
    /// True when the file was a workbook.
    bool isWorkbook() const { return !m_sheetReference.empty(); }
    /// True when load() failed because the sheet chosen with setSheet() is
    /// not in the workbook.
    bool badSheet() const { return m_badSheet; }
    /// The workbook's problems within the table: errors at cells whose text
    /// is not certain or cannot be carried, warnings at merged cells.
    const std::vector<SHEET_PROBLEM_>& workbookProblems() const { return m_workbookProblems; }

    const std::string& path() const { return m_path; }
    /// The path as messages name it: "<stdin>" for "-".
    std::string displayName() const { return m_path == "-" ? "<stdin>" : m_path; }
    /// Line `line` (from 1) of the file as it was read, without its line
    /// end; empty past the end.
    std::string lineText(int line) const;
    const CSTTable& table() const { return m_table; }
    const CTableFile& file() const { return m_file; }
    const TABLE_LAYOUT_& layout() const { return m_layout; }
    /// The reader's problems, in file order; none for a record the splitter
    /// already found broken.
    const std::vector<TABLE_PROBLEM_>& problems() const { return m_problems; }
    /// True when pelk would refuse the file before generating.
    bool hasFormatErrors() const { return !m_problems.empty() || !m_file.errors().empty() || hasWorkbookErrors(); }

    /// True when the reader found a problem in record `record`.
    bool recordHasProblem(int record) const;

    /// The place of field `field` of record `record`; a field past the end
    /// of its record is placed at the record's last field.
    PLACE_ place(int record, int field) const;
    /// The place of state s's name, of its cell for event e, of event e's
    /// name in the header.
    PLACE_ stateNamePlace(int s) const;
    PLACE_ cellPlace(int s, int e) const;
    PLACE_ eventPlace(int e) const;
    /// The place of the action `action` in state s's cell for event e: its
    /// own column when the file shows it, else the cell's.
    PLACE_ actionPlace(int s, int e, const std::string& action) const;
    /// The place where field `field` of record `record` would begin, right
    /// after the record's last field: where a missing field is missing.
    PLACE_ missingPlace(int record, int field) const;

private:
    bool report(const TABLE_PROBLEM_& problem) override;
    /// Replaces text, the bytes of a workbook, by the text of its sheet.
    bool readWorkbook(std::string& text);
    bool hasWorkbookErrors() const;

    std::string m_path;
    bool m_opened = false;
    std::string m_loadError;
    std::string m_text;                     // the file as read
    std::vector<std::size_t> m_lineStarts;  // offset of each line in m_text
    CSTTable m_table;
    CTableFile m_file;
    TABLE_LAYOUT_ m_layout;
    std::vector<TABLE_PROBLEM_> m_problems;
    std::string m_sheet;
    std::string m_sheetReference;
    bool m_badSheet = false;
    std::vector<SHEET_PROBLEM_> m_workbookProblems;
};

#endif
