#ifndef PELK_TABLE_CLI_TEST_COMMAND_H
#define PELK_TABLE_CLI_TEST_COMMAND_H

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/diagnostic_style.h"

/// CTestCommand is `pelk-table test`: writes the conformance test of the
/// machine pelk generates from a table, as C or as JSON. A table in which
/// check finds errors for the target gets its findings and no test.
class CTestCommand {
public:
    /// Adds the subcommand to app; its run sets status and writes findings
    /// in style.
    void setUp(CLI::App& app, int& status, const CDiagnosticStyle& style);

private:
    int run(const CDiagnosticStyle& style);

    std::string m_table;
    std::string m_sheet;
    std::string m_target = "C";
    std::string m_name;
    std::string m_output;
    std::string m_format = "c";
    std::string m_actionsHeader;
    std::string m_part;
    std::vector<std::string> m_scenarios;
};

#endif
