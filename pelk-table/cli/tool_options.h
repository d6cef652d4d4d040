#ifndef PELK_TABLE_CLI_TOOL_OPTIONS_H
#define PELK_TABLE_CLI_TOOL_OPTIONS_H

#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "codegen/targets.h"
#include "pelk-table/check/finding.h"
#include "pelk-table/report/finding_writer.h"

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

    /// True, after writing the findings for which pelk refuses the file on
    /// err, when model is not a table pelk accepts; false when it is.
    static bool refuseUnreadable(const CTableModel& model, const std::vector<FINDING_>& findings, std::ostream& err);

    /// Loads model; false after "pelk-table: cannot open 'FILE': REASON" on
    /// standard error.
    static bool load(CTableModel& model);
    /// "cannot open 'FILE': REASON", for a model that did not load.
    static std::string loadMessage(const CTableModel& model);

    /// How diagnostics are written on standard error, for every subcommand
    /// (-fdiagnostics-color, -fno-diagnostics-show-caret).
    static TEXT_STYLE_& textStyle();
    /// Takes the -fdiagnostics-* options out of args and sets textStyle().
    /// False, with message set, for a value it does not know.
    static bool takeDiagnosticOptions(std::vector<std::string>& args, std::string& message);
    /// Writes text to the file path, or to standard output when path is
    /// empty or "-". False after "pelk-table: cannot write 'FILE': REASON"
    /// on err.
    static bool writeOutput(const std::string& path, const std::string& text, std::ostream& err);

    /// The exit statuses of every subcommand.
    enum Status { kClean = 0, kFindings = 1, kUsage = 2 };

private:
    std::string m_targetName = "NRA78K0";
    std::string m_machineName;
    bool m_nameGiven = false;
    std::string m_sheet;
};

#endif
