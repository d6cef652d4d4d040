#ifndef PELK_TABLE_CLI_HTML_COMMAND_H
#define PELK_TABLE_CLI_HTML_COMMAND_H

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/tool_options.h"

/// CHtmlCommand is `pelk-table html`: one self-contained HTML page of a
/// table, to review it and play its machine in a browser.
class CHtmlCommand {
public:
    /// Adds the subcommand to app; its run sets status.
    void setUp(CLI::App& app, int& status);

    /// Writes the page; the exit status.
    int run(std::ostream& err);

private:
    CToolOptions m_options;
    std::string m_table;
    std::string m_output;
    std::string m_compare;  // --compare OLD: mark the changes since OLD
};

#endif
