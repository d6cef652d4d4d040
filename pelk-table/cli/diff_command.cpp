#include "pelk-table/cli/diff_command.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/loaded_table.h"
#include "pelk-table/diff/diff_json_writer.h"
#include "pelk-table/diff/diff_markdown_writer.h"
#include "pelk-table/diff/diff_text_writer.h"
#include "pelk-table/diff/table_diff.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

namespace {

// The file git names for the side of an added or removed file.
const char* const kNoFile = "/dev/null";

// One table of the comparison, loaded and checked; none for /dev/null.
struct LOADED_ {
    std::unique_ptr<CLoadedTable> table;
    DIFF_SIDE_ side;
    std::string label;
};

}  // namespace

void CDiffCommand::setUp(CLI::App& app, int& status, const CDiagnosticStyle& style) {
    CLI::App* command =
        app.add_subcommand("diff", "show the change from one table to another as a change to the machine");
    command->add_option("OLD NEW", m_args, "the two tables (TSV, .xlsx or .ods); /dev/null for none")
        ->required()
        ->type_name("");
    m_options.add(*command);
    command->add_option("--format", m_format, "text (default), markdown or json")
        ->check(CLI::IsMember({"text", "markdown", "json"}))
        ->type_name("FORMAT");
    command->add_flag("--git", m_git,
                      "take git's arguments of an external diff: PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX "
                      "NEW-MODE");
    command->footer(
        "States and events are matched by name. A cell is changed when its next state is another\n"
        "state or it calls other actions or the same in another order; '-' and '*' are the same.\n"
        "Seven (or nine) arguments are taken as git's, as with --git:\n"
        "  git config diff.pelk.command 'pelk-table diff --git'; .gitattributes: *.tsv diff=pelk\n"
        "-fdiagnostics-color=WHEN colours the text always, never, or on a terminal (auto, the\n"
        "default); NO_COLOR set and not empty, or TERM=dumb, turns the colours of auto off.\n"
        "Exit status: 0 the same machine, 1 different machines, 2 trouble (a table pelk refuses,\n"
        "             a file not readable, a usage error), 3 internal error; as git's driver 0\n"
        "             unless a file is unreadable.\n");
    command->callback([this, &status, &style]() { status = run(std::cout, std::cerr, style); });
}

int CDiffCommand::run(std::ostream& out, std::ostream& err, const CDiagnosticStyle& style) {
    const size_t count = m_args.size();
    const bool git = m_git || count == 7 || count == 9;
    if (git ? count != 7 && count != 9 : count != 2) {
        err << "pelk-table diff: give OLD and NEW, or git's seven arguments (--git); got " << count << " arguments"
            << std::endl;
        return kExitUsage;
    }
    std::string paths[2] = {m_args[0], m_args[1]};
    std::string labels[2] = {m_args[0], m_args[1]};
    if (git) {
        paths[0] = m_args[1];
        paths[1] = m_args[4];
        const std::string& newPath = count == 9 ? m_args[7] : m_args[0];
        labels[0] = paths[0] == kNoFile ? kNoFile : "a/" + m_args[0];
        labels[1] = paths[1] == kNoFile ? kNoFile : "b/" + newPath;
    }

    LOADED_ sides[2];
    bool refused = false;
    for (int i = 0; i < 2; ++i) {
        sides[i].label = labels[i];
        if (paths[i] == kNoFile)
            continue;
        sides[i].table.reset(new CLoadedTable(paths[i], m_options.sheet(), m_options.checkOptions()));
        // As git's driver, the findings of a refused table go with the rest
        // of git's output, under a header of their own.
        std::ostringstream refusal;
        const CLoadedTable::Outcome outcome = sides[i].table->load(refusal, "no comparison", TEXT_STYLE_(), labels[i]);
        if (outcome == CLoadedTable::kUnreadable) {
            err << refusal.str() << std::flush;
            return kExitUsage;
        }
        sides[i].side.model = &sides[i].table->model();
        sides[i].side.findings = sides[i].table->findings();
        if (outcome == CLoadedTable::kReady)
            continue;
        std::ostream& to = git ? out : err;
        if (git && !refused)
            to << "pelk-table diff " << labels[0] << " " << labels[1] << "\n";
        to << refusal.str() << std::flush;
        refused = true;
    }
    if (refused)
        return git ? kExitClean : kExitUsage;

    const TABLE_DIFF_ diff = CTableDiff::compare(sides[0].side, sides[1].side);
    DIFF_FORM_ form;
    form.oldLabel = labels[0];
    form.newLabel = labels[1];
    form.target = &m_options.target();
    form.gitHeader = git;
    // Under git's pager standard output is a pipe; git says so as it does to
    // its own commands.
    const char* pager = std::getenv("GIT_PAGER_IN_USE");
    form.colour = style.colours(1, git && pager && std::string(pager) == "true");

    static const CSTTable kNone("", nullptr);
    if (m_format == "json")
        CDiffJsonWriter::write(out, diff, form);
    else if (m_format == "markdown")
        CDiffMarkdownWriter::write(out, diff, form, sides[0].table ? sides[0].table->model().table() : kNone,
                                   sides[1].table ? sides[1].table->model().table() : kNone);
    else
        CDiffTextWriter::write(out, diff, form);
    out.flush();
    if (!out) {
        err << "pelk-table diff: cannot write the comparison" << std::endl;
        return kExitUsage;
    }
    if (git)
        return kExitClean;
    return diff.same() ? kExitClean : kExitFindings;
}
