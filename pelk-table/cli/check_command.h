#ifndef PELK_TABLE_CLI_CHECK_COMMAND_H
#define PELK_TABLE_CLI_CHECK_COMMAND_H

#include <set>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/check/finding.h"
#include "pelk-table/cli/diagnostic_style.h"
#include "pelk-table/cli/table_options.h"

/// CCheckCommand is `pelk-table check`: every mistake of the tables, in the
/// form compilers use, or as JSON or SARIF.
class CCheckCommand {
public:
    /// Adds the subcommand to app; its run sets status and writes the text
    /// form in style.
    void setUp(CLI::App& app, int& status, const CDiagnosticStyle& style);

    /// Takes the -W<check>, -Wno-<check>, -Wall, -Werror, -Werror=<check>
    /// and -Wno-error=<check> arguments out of args before the command line
    /// is parsed, in their order. False, with message set, for an unknown
    /// check.
    bool takeWarningOptions(std::vector<std::string>& args, std::string& message);

    /// The footer of `check --help`: the -W options, the checks of the list
    /// and the exit statuses.
    static std::string footer();

private:
    int run(const CDiagnosticStyle& style);

    CTableOptions m_options;
    std::vector<std::string> m_tables;
    std::string m_format = "text";
    bool m_werror = false;
    std::set<CHECK_ID_> m_disabled;
    std::set<CHECK_ID_> m_errors;
    std::set<CHECK_ID_> m_notErrors;
};

#endif
