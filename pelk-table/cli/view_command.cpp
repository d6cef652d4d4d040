#include "pelk-table/cli/view_command.h"

#include <iostream>

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/loaded_table.h"
#include "pelk-table/cli/output_file.h"

void CViewCommand::setUp(CLI::App& app, int& status, const CDiagnosticStyle& style) {
    CLI::App* command = app.add_subcommand(m_name, m_description);
    CTableOptions::addTable(*command, m_table);
    m_options.add(*command);
    command
        ->add_option("-o,--output", m_output,
                     "write the view to FILE instead of standard output ('-': standard output)")
        ->type_name("FILE");
    addOptions(*command);
    command->footer(
        "-a and -n set up the findings of check that the view shows, as for check.\n"
        "Exit status: 0 view written, 1 table unreadable or refused or view not written, 2 usage\n"
        "error, 3 internal error.\n");
    command->callback([this, &status, &style]() { status = run(style); });
}

int CViewCommand::run(const CDiagnosticStyle& style) {
    std::string message;
    if (!ready(message)) {
        std::cerr << "pelk-table: " << message << std::endl;
        return kExitFindings;
    }
    CLoadedTable table(m_table, m_options.sheet(), m_options.checkOptions());
    switch (table.load(std::cerr, std::string("no ") + m_name + " written", style.textStyle())) {
    case CLoadedTable::kReady:
        break;
    case CLoadedTable::kUnreadable:
        return table.badSheet() ? kExitUsage : kExitFindings;
    case CLoadedTable::kRefused:
        return kExitFindings;
    }

    std::string view;
    const int status = render(table.model(), table.findings(), view, message);
    if (status != kExitClean) {
        std::cerr << "pelk-table: " << message << std::flush;
        return status;
    }
    if (!message.empty())
        std::cerr << message << std::flush;
    return COutputFile::write(m_output, view, std::cerr) ? kExitClean : kExitFindings;
}
