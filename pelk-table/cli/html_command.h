#ifndef PELK_TABLE_CLI_HTML_COMMAND_H
#define PELK_TABLE_CLI_HTML_COMMAND_H

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/diagnostic_style.h"
#include "pelk-table/cli/table_options.h"

/// CHtmlCommand is `pelk-table html`: one self-contained HTML page of a
/// table, to review it and play its machine in a browser.
class CHtmlCommand {
public:
    /// Adds the subcommand to app; its run sets status and writes its
    /// diagnostics in style.
    void setUp(CLI::App& app, int& status, const CDiagnosticStyle& style);
    /// Writes the page; the exit status.
    int run(std::ostream& err, const CDiagnosticStyle& style);

private:
    CTableOptions m_options;
    std::string m_table;
    std::string m_output;
    std::string m_compare;  // --compare OLD: mark the changes since OLD
};

#endif
