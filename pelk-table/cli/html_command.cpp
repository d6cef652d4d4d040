#include "pelk-table/cli/html_command.h"

#include <sstream>

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/loaded_table.h"
#include "pelk-table/cli/output_file.h"
#include "pelk-table/diff/page_changes.h"
#include "pelk-table/html/html_diagram.h"
#include "pelk-table/html/html_page.h"
#include "pelk-table/views/view_text.h"

void CHtmlCommand::setUp(CLI::App& app, int& status, const CDiagnosticStyle& style) {
    CLI::App* command =
        app.add_subcommand("html", "write one self-contained HTML page to review a table and play its machine");
    CTableOptions::addTable(*command, m_table);
    command->add_option("-o,--output", m_output, "the page to write ('-': standard output)")
        ->required()
        ->type_name("FILE");
    m_options.add(*command);
    command->add_option("--compare", m_compare, "mark what changed since the table OLD")->type_name("OLD");
    command->footer(
        "The page holds the diagram, the matrix, the findings of check and a simulator that\n"
        "steps the machine as pelk-table run does. It needs no network and no other file.\n"
        "A table that pelk refuses still gets a page, with the errors and the rows read; the\n"
        "errors also go to standard error, and the exit status is 1.\n"
        "Exit status: 0 page written, 1 table refused (page written), table unreadable or page\n"
        "             not written (no page), 2 usage error, 3 internal error.\n");
    command->callback([this, &status, &style]() { status = run(std::cerr, style); });
}

int CHtmlCommand::run(std::ostream& err, const CDiagnosticStyle& style) {
    CLoadedTable table(m_table, m_options.sheet(), m_options.checkOptions());
    const CLoadedTable::Outcome outcome = table.load(err, "the page shows its findings", style.textStyle());
    if (outcome == CLoadedTable::kUnreadable)
        return table.badSheet() ? kExitUsage : kExitFindings;
    const CTableModel& model = table.model();

    PAGE_FACTS_ facts{CViewText::fileName(model.displayName()), m_options.machineName(), m_options.target().name, ""};
    if (!m_compare.empty()) {
        CLoadedTable old(m_compare, "", m_options.checkOptions());
        if (old.load(err, "nothing to compare with", style.textStyle()) != CLoadedTable::kReady)
            return kExitFindings;
        facts.changes = CPageChanges::describe({&old.model(), old.findings()}, CViewText::fileName(m_compare), model,
                                               table.findings(), m_options.target());
    }
    const CHtmlPage page(model, table.findings(), facts, CHtmlDiagram::draw(model, table.findings()));

    std::ostringstream text;
    page.write(text);
    if (!COutputFile::write(m_output, text.str(), err))
        return kExitFindings;
    return outcome == CLoadedTable::kRefused ? kExitFindings : kExitClean;
}
