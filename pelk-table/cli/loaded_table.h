#ifndef PELK_TABLE_CLI_LOADED_TABLE_H
#define PELK_TABLE_CLI_LOADED_TABLE_H

#include <ostream>
#include <string>
#include <vector>

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

/// CLoadedTable is one table a command works on: read, checked, and taken
/// or refused by the one rule of what pelk refuses (a finding marked
/// refusal). The messages of a table that cannot be read or is refused are
/// written here alone.
class CLoadedTable {
public:
    enum Outcome {
        kReady,       ///< read, and pelk would generate it
        kUnreadable,  ///< not read: no file, no access, no workbook or no such sheet
        kRefused,     ///< read, but pelk refuses it
    };

    /// The table at path ("-": standard input), its sheet (empty: the one
    /// holding START), checked with options.
    CLoadedTable(const std::string& path, const std::string& sheet, const CHECK_OPTIONS_& options);

    /// Reads and checks the table. For an unreadable table it writes
    /// "pelk-table: cannot open 'FILE': REASON" on err; for a refused one
    /// the findings for which pelk refuses it (under label, the file's name
    /// when empty), in style, and "pelk-table: " refusalSentence(label,
    /// consequence).
    Outcome load(std::ostream& err, const std::string& consequence, const TEXT_STYLE_& style,
                 const std::string& label = std::string());

    /// True when load() failed because --sheet names no sheet of the
    /// workbook: a usage fault.
    bool badSheet() const { return m_model.badSheet(); }
    const CTableModel& model() const { return m_model; }
    const std::vector<FINDING_>& findings() const { return m_findings; }

    /// "FILE is not a table pelk accepts: CONSEQUENCE", the one sentence
    /// every command says of a refused table.
    static std::string refusalSentence(const std::string& file, const std::string& consequence);

private:
    CTableModel m_model;
    CHECK_OPTIONS_ m_options;
    std::vector<FINDING_> m_findings;
};

#endif
