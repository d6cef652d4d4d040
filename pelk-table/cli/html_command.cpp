#include "pelk-table/cli/html_command.h"

#include <iostream>
#include <sstream>

#include "pelk-table/diff/page_changes.h"
#include "pelk-table/html/html_diagram.h"
#include "pelk-table/html/html_page.h"
#include "pelk-table/model/table_model.h"

void CHtmlCommand::setUp(CLI::App& app, int& status) {
    CLI::App* command =
        app.add_subcommand("html", "write one self-contained HTML page to review a table and play its machine");
    command->add_option("TABLE", m_table, "table file (TSV, .xlsx or .ods); '-' is standard input")->required()->type_name("");
    command->add_option("-o,--output", m_output, "the page to write ('-': standard output)")
        ->required()
        ->type_name("FILE");
    m_options.addTableOptions(*command);
    command->add_option("--compare", m_compare, "mark what changed since the table OLD")->type_name("OLD");
    command->footer(
        "The page holds the diagram, the matrix, the findings of check and a simulator that\n"
        "steps the machine as pelk-table run does. It needs no network and no other file.\n"
        "A table that pelk refuses still gets a page, with the errors and the rows read; the\n"
        "errors also go to standard error, and the exit status is 1.\n"
        "Exit status: 0 page written, 1 table refused (page written), table unreadable or page\n"
        "             not written (no page), 2 usage error.\n");
    command->callback([this, &status]() { status = run(std::cerr); });
}

int CHtmlCommand::run(std::ostream& err) {
    CTableModel model(m_table, m_options.machineName());
    model.setSheet(m_options.sheet());
    if (!CToolOptions::load(model))
        return CToolOptions::kFindings;

    const std::vector<FINDING_> findings = m_options.check(model);
    const bool refused = CToolOptions::refuseUnreadable(model, findings, err);

    const std::string shown = model.displayName();
    const size_t slash = shown.find_last_of("/\\");
    PAGE_FACTS_ facts{slash == std::string::npos ? shown : shown.substr(slash + 1), m_options.machineName(),
                      m_options.target().name, ""};
    if (!m_compare.empty() && !CPageChanges::describe(m_compare, m_options.machineName(), m_options.machineNameGiven(),
                                                      m_options.target(), model, findings, facts.changes, err))
        return CToolOptions::kFindings;
    const CHtmlPage page(model, findings, facts, CHtmlDiagram::draw(model, findings));

    std::ostringstream text;
    page.write(text);
    if (!CToolOptions::writeOutput(m_output, text.str(), err))
        return CToolOptions::kFindings;
    if (refused) {
        err << "pelk-table: " << model.displayName() << " is not a table pelk accepts: the page shows its findings"
            << std::endl;
        return CToolOptions::kFindings;
    }
    return CToolOptions::kClean;
}
