#include "pelk-table/cli/html_command.h"

#include <fstream>
#include <iostream>

#include "pelk-table/html/html_diagram.h"
#include "pelk-table/html/html_page.h"
#include "pelk-table/model/table_model.h"

void CHtmlCommand::setUp(CLI::App& app, int& status) {
    CLI::App* command =
        app.add_subcommand("html", "write one self-contained HTML page to review a table and play its machine");
    command->add_option("TABLE", m_table, "table file (TSV, .xlsx or .ods)")->required()->type_name("");
    command->add_option("-o,--output", m_output, "the page to write")->required()->type_name("FILE");
    m_options.addTableOptions(*command);
    command->footer(
        "The page holds the diagram, the matrix, the findings of check and a simulator that\n"
        "steps the machine as pelk-table run does. It needs no network and no other file.\n"
        "A table with format errors still gets a page, with the errors and the rows read.\n"
        "Exit status: 0 page written, 1 table or page file not accessible, 2 usage error.\n");
    command->callback([this, &status]() { status = run(std::cerr); });
}

int CHtmlCommand::run(std::ostream& err) {
    CTableModel model(m_table, m_options.machineName());
    model.setSheet(m_options.sheet());
    if (!CToolOptions::load(model))
        return CToolOptions::kFindings;

    const std::vector<FINDING_> findings = m_options.check(model);

    const size_t slash = m_table.find_last_of("/\\");
    PAGE_FACTS_ facts{slash == std::string::npos ? m_table : m_table.substr(slash + 1), m_options.machineName(),
                      m_options.target().name};
    const CHtmlPage page(model, findings, facts, CHtmlDiagram::draw(model, findings));

    std::ofstream out(m_output, std::ios::binary | std::ios::trunc);
    if (out)
        page.write(out);
    out.close();
    if (!out) {
        err << "pelk-table: cannot write " << m_output << std::endl;
        return CToolOptions::kFindings;
    }
    return CToolOptions::kClean;
}
