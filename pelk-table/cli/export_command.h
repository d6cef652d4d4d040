#ifndef PELK_TABLE_CLI_EXPORT_COMMAND_H
#define PELK_TABLE_CLI_EXPORT_COMMAND_H

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

/// CExportCommand is `pelk-table export`: one sheet of a workbook written as
/// the tab-separated text pelk reads, line N for row N.
class CExportCommand {
public:
    /// Adds the subcommand to app; its run sets status.
    void setUp(CLI::App& app, int& status);

    /// Writes the text; the exit status. Diagnostics go to err.
    int run(std::ostream& err);

private:
    std::string m_book;
    std::string m_sheet;
    std::string m_output;
};

#endif
