#include "pelk-table/cli/diff_command.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include "pelk-table/diff/colour_choice.h"
#include "pelk-table/diff/diff_json_writer.h"
#include "pelk-table/diff/diff_markdown_writer.h"
#include "pelk-table/diff/diff_text_writer.h"
#include "pelk-table/diff/table_diff.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

namespace {

// The file git names for the side of an added or removed file.
const char* const kNoFile = "/dev/null";

// One table of the comparison, loaded and checked; no model for /dev/null.
struct LOADED_ {
    std::unique_ptr<CTableModel> model;
    DIFF_SIDE_ side;
    std::string label;
};

// The table-format and encoding errors that make pelk refuse a table.
std::vector<FINDING_> refusals(const std::vector<FINDING_>& findings) {
    std::vector<FINDING_> found;
    for (const FINDING_& finding : findings) {
        if ((finding.check == "table-format" || finding.check == "encoding") && finding.severity == FINDING_::kError)
            found.push_back(finding);
    }
    return found;
}

}  // namespace

void CDiffCommand::setUp(CLI::App& app, int& status) {
    CLI::App* command =
        app.add_subcommand("diff", "show the change from one table to another as a change to the machine");
    command->add_option("OLD NEW", m_args, "the two tables (TSV); /dev/null for none")->required()->type_name("");
    m_options.addTableOptions(*command);
    command->add_option("--format", m_format, "text (default), markdown or json")
        ->check(CLI::IsMember({"text", "markdown", "json"}))
        ->type_name("FORMAT");
    command
        ->add_option_function<std::string>(
            "-f",
            [this](const std::string& value) {
                const std::string option = "diagnostics-color";
                CColourChoice::Mode mode;
                if (value == option)
                    m_colour = "always";
                else if (value.compare(0, option.size() + 1, option + "=") == 0 &&
                         CColourChoice::parse(value.substr(option.size() + 1), mode))
                    m_colour = value.substr(option.size() + 1);
                else
                    throw CLI::ValidationError("-f" + value, "takes diagnostics-color=auto|always|never");
            },
            "-fdiagnostics-color=WHEN: colour the text always, never, or on a terminal (auto, the default)")
        ->type_name("diagnostics-color=WHEN");
    command->add_flag("--git", m_git,
                      "take git's arguments of an external diff: PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX "
                      "NEW-MODE");
    command->footer(
        "States and events are matched by name. A cell is changed when its next state is another\n"
        "state or it calls other actions or the same in another order; '-' and '*' are the same.\n"
        "Seven (or nine) arguments are taken as git's, as with --git:\n"
        "  git config diff.pelk.command 'pelk-table diff --git'; .gitattributes: *.tsv diff=pelk\n"
        "NO_COLOR set and not empty turns the colours of auto off.\n"
        "Exit status: 0 the same machine, 1 different machines, 2 trouble (a table pelk refuses,\n"
        "             a file not readable, a usage error); as git's driver 0 unless a file is unreadable.\n");
    command->callback([this, &status]() { status = run(std::cout, std::cerr); });
}

int CDiffCommand::run(std::ostream& out, std::ostream& err) {
    const size_t count = m_args.size();
    const bool git = m_git || count == 7 || count == 9;
    if (git ? count != 7 && count != 9 : count != 2) {
        err << "pelk-table diff: give OLD and NEW, or git's seven arguments (--git); got " << count << " arguments"
            << std::endl;
        return CToolOptions::kUsage;
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
        sides[i].model.reset(new CTableModel(paths[i], m_options.machineName()));
        if (!CToolOptions::load(*sides[i].model))
            return CToolOptions::kUsage;
        sides[i].side.model = sides[i].model.get();
        sides[i].side.findings = m_options.check(*sides[i].model);
        const std::vector<FINDING_> refusing = refusals(sides[i].side.findings);
        if (refusing.empty())
            continue;
        // As git's driver, the findings go with the rest of git's output.
        std::ostream& to = git ? out : err;
        if (git && !refused)
            to << "pelk-table diff " << labels[0] << " " << labels[1] << "\n";
        CFindingWriter::writeText(to, {{labels[i], refusing}});
        to << "pelk-table diff: " << labels[i] << " is not a table pelk accepts: no comparison" << std::endl;
        refused = true;
    }
    if (refused)
        return git ? CToolOptions::kClean : CToolOptions::kUsage;

    const TABLE_DIFF_ diff = CTableDiff::compare(sides[0].side, sides[1].side);
    DIFF_FORM_ form;
    form.oldLabel = labels[0];
    form.newLabel = labels[1];
    form.target = &m_options.target();
    form.gitHeader = git;
    CColourChoice::Mode mode = CColourChoice::kAuto;
    // -fdiagnostics-color is taken for every command before the parse.
    CColourChoice::parse(m_colour.empty() ? CToolOptions::textStyle().colourChoice : m_colour, mode);
    // Under git's pager standard output is a pipe; git says so as it does to
    // its own commands.
    const char* pager = std::getenv("GIT_PAGER_IN_USE");
    const bool terminal = CColourChoice::outputIsTerminal() || (git && pager && std::string(pager) == "true");
    form.colour = CColourChoice::decide(mode, std::getenv("NO_COLOR"), terminal);

    static const CSTTable kNone("", nullptr);
    if (m_format == "json")
        CDiffJsonWriter::write(out, diff, form);
    else if (m_format == "markdown")
        CDiffMarkdownWriter::write(out, diff, form, sides[0].model ? sides[0].model->table() : kNone,
                                   sides[1].model ? sides[1].model->table() : kNone);
    else
        CDiffTextWriter::write(out, diff, form);
    out.flush();
    if (!out) {
        err << "pelk-table diff: cannot write the comparison" << std::endl;
        return CToolOptions::kUsage;
    }
    if (git)
        return CToolOptions::kClean;
    return diff.same() ? CToolOptions::kClean : CToolOptions::kFindings;
}
