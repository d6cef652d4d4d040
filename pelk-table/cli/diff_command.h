#ifndef PELK_TABLE_CLI_DIFF_COMMAND_H
#define PELK_TABLE_CLI_DIFF_COMMAND_H

#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/diagnostic_style.h"
#include "pelk-table/cli/table_options.h"

/// CDiffCommand is `pelk-table diff OLD NEW`: the change from one table to
/// another as a change to the machine, as text, Markdown or JSON. It also
/// serves as git's external diff driver, taking git's seven arguments.
/// Exit status as diff's: 0 the same machine, 1 a different one, 2 trouble.
class CDiffCommand {
public:
    /// Adds the subcommand to app; its run sets status and colours its
    /// text as style says.
    void setUp(CLI::App& app, int& status, const CDiagnosticStyle& style);

    /// The comparison as the command line asked for it, written to out;
    /// messages and refused tables' findings to err.
    int run(std::ostream& out, std::ostream& err, const CDiagnosticStyle& style);

private:
    CTableOptions m_options;
    std::vector<std::string> m_args;
    std::string m_format = "text";
    bool m_git = false;
};

#endif
