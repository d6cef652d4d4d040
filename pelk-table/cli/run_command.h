#ifndef PELK_TABLE_CLI_RUN_COMMAND_H
#define PELK_TABLE_CLI_RUN_COMMAND_H

#include <istream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

/// CRunCommand is `pelk-table run`: steps the machine of a table through
/// events, from the arguments or a scenario on standard input, and prints
/// the trace as text or JSON.
class CRunCommand {
public:
    /// Adds the subcommand to app; its run sets status.
    void setUp(CLI::App& app, int& status);

    /// The run itself, events from m_events or else from scenario; the
    /// exit status.
    int run(std::istream& scenario, std::ostream& out, std::ostream& err);

private:
    std::string m_table;
    std::string m_sheet;
    std::vector<std::string> m_events;
    std::string m_from;
    std::string m_expect;
    std::string m_format = "text";
};

#endif
