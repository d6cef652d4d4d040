#include "pelk-table/cli/view_command.h"

#include <fstream>
#include <iostream>

#include "pelk-table/model/table_model.h"

void CViewCommand::setUp(CLI::App& app, int& status) {
    CLI::App* command = app.add_subcommand(m_name, m_description);
    command->add_option("TABLE", m_table, "table file (TSV, .xlsx or .ods)")->required()->type_name("");
    m_options.addTableOptions(*command);
    command->add_option("-o,--output", m_output, "write the view to FILE instead of standard output")
        ->type_name("FILE");
    addOptions(*command);
    command->footer(
        "-a and -n set up the findings of check that the view shows, as for check.\n"
        "Exit status: 0 view written, 1 table unreadable or view not written, 2 usage error.\n");
    command->callback([this, &status]() { status = run(); });
}

int CViewCommand::run() {
    std::string message;
    if (!ready(message)) {
        std::cerr << "pelk-table: " << message << std::endl;
        return CToolOptions::kFindings;
    }
    CTableModel model(m_table, m_options.machineName());
    model.setSheet(m_options.sheet());
    if (!CToolOptions::load(model))
        return CToolOptions::kFindings;

    const std::vector<FINDING_> findings = m_options.check(model);
    if (CToolOptions::refuseUnreadable(model, findings, std::cerr)) {
        std::cerr << "pelk-table: " << m_table << " is not a table pelk accepts: no " << m_name << " written"
                  << std::endl;
        return CToolOptions::kFindings;
    }

    std::string view;
    if (!render(model, findings, view, message)) {
        std::cerr << "pelk-table: " << message << std::flush;
        return CToolOptions::kFindings;
    }
    if (!message.empty())
        std::cerr << message << std::flush;
    if (m_output.empty()) {
        std::cout << view << std::flush;
        return std::cout ? CToolOptions::kClean : CToolOptions::kFindings;
    }
    std::ofstream out(m_output);
    out << view;
    out.close();
    if (!out) {
        std::cerr << "pelk-table: cannot write " << m_output << std::endl;
        return CToolOptions::kFindings;
    }
    return CToolOptions::kClean;
}
