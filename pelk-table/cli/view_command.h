#ifndef PELK_TABLE_CLI_VIEW_COMMAND_H
#define PELK_TABLE_CLI_VIEW_COMMAND_H

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/check/finding.h"
#include "pelk-table/cli/diagnostic_style.h"
#include "pelk-table/cli/table_options.h"

class CTableModel;

/// CViewCommand is what the views share: one table, -a and -n as check takes
/// them, -o FILE or standard output. A table that pelk would refuse gives
/// the findings for which it refuses it on standard error, exit status 1,
/// and no view.
class CViewCommand {
public:
    virtual ~CViewCommand() = default;

    /// Adds the subcommand to app; its run sets status and writes its
    /// diagnostics in style.
    void setUp(CLI::App& app, int& status, const CDiagnosticStyle& style);

protected:
    CViewCommand(const char* name, const char* description)
        : m_name(name),
          m_description(description) {}

    /// Adds the options of this view alone.
    virtual void addOptions(CLI::App& command) { (void)command; }
    /// False, with message set, when the view cannot be made whatever the
    /// table (a form that is not built in).
    virtual bool ready(std::string& message) const {
        (void)message;
        return true;
    }
    /// Makes the view of a table that reads cleanly: kExitClean, or the
    /// exit status of the failure (kExitUsage for an option that names
    /// nothing in the table) with message set. A message with kExitClean is
    /// a note to write on standard error.
    virtual int render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                       std::string& message) const = 0;

private:
    int run(const CDiagnosticStyle& style);

    const char* m_name;
    const char* m_description;
    CTableOptions m_options;
    std::string m_table;
    std::string m_output;
};

#endif
