#ifndef PELK_TABLE_CLI_RUN_COMMAND_H
#define PELK_TABLE_CLI_RUN_COMMAND_H

#include <istream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/diagnostic_style.h"

/// CRunCommand is `pelk-table run`: steps the machine of a table through
/// events, from the arguments or a scenario on standard input, and prints
/// the trace as text or JSON.
class CRunCommand {
public:
    /// Adds the subcommand to app; its run sets status and writes its
    /// diagnostics in style.
    void setUp(CLI::App& app, int& status, const CDiagnosticStyle& style);

    /// The run itself, events from m_events or else from scenario; the
    /// exit status.
    int run(std::istream& scenario, std::ostream& out, std::ostream& err,
            const CDiagnosticStyle& style = CDiagnosticStyle());

private:
    std::string m_table;
    std::string m_sheet;
    std::vector<std::string> m_events;
    std::string m_from;
    std::string m_expect;
    std::string m_format = "text";
};

#endif
