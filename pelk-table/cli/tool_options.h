#ifndef PELK_TABLE_CLI_TOOL_OPTIONS_H
#define PELK_TABLE_CLI_TOOL_OPTIONS_H

#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"

class CTableModel;

/// CToolOptions holds what several subcommands share: the target (-a), the
/// machine name (-n), and the reading of a table with its report of a file
/// that cannot be opened.
class CToolOptions {
public:
    /// Adds -a/--target, -n/--name and --sheet to command.
    void addTableOptions(CLI::App& command);
    /// Adds --sheet NAME|NUMBER (the sheet of a workbook) to command, into
    /// sheet.
    static void addSheetOption(CLI::App& command, std::string& sheet);
    /// The sheet chosen with --sheet; empty without it.
    const std::string& sheet() const { return m_sheet; }

    /// The target chosen with -a (RA78K0 without it).
    const TARGET_& target() const;
    const std::string& machineName() const { return m_machineName; }
    bool machineNameGiven() const { return m_nameGiven; }

    /// The findings of check on model, with -a and -n as given.
    std::vector<FINDING_> check(const CTableModel& model) const;

    /// True, after writing the table-format and encoding findings on err,
    /// when model is not a table pelk accepts; false when it is.
    static bool refuseUnreadable(const CTableModel& model, const std::vector<FINDING_>& findings, std::ostream& err);

    /// Loads model; false after "pelk-table: cannot open FILE" (or, for a
    /// workbook, "pelk-table: FILE: why") on standard error.
    static bool load(CTableModel& model);

    /// The exit statuses of every subcommand.
    enum Status { kClean = 0, kFindings = 1, kUsage = 2 };

private:
    std::string m_targetName = "NRA78K0";
    std::string m_machineName;
    bool m_nameGiven = false;
    std::string m_sheet;
};

#endif
