#ifndef PELK_TABLE_CLI_CHECK_COMMAND_H
#define PELK_TABLE_CLI_CHECK_COMMAND_H

#include <set>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/tool_options.h"

/// CCheckCommand is `pelk-table check`: every mistake of the tables, in the
/// form compilers use, or as JSON or SARIF.
class CCheckCommand {
public:
    /// Adds the subcommand to app; its run sets status.
    void setUp(CLI::App& app, int& status);

    /// Takes the -W<check>, -Wno-<check> and -Werror arguments out of args
    /// before the command line is parsed. False, with message set, for an
    /// unknown check.
    bool takeWarningOptions(std::vector<std::string>& args, std::string& message);

private:
    int run();

    CToolOptions m_options;
    std::vector<std::string> m_tables;
    std::string m_format = "text";
    bool m_werror = false;
    std::set<std::string> m_disabled;
};

#endif
