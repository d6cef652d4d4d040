#include "pelk-table/diff/diff_markdown_writer.h"
#include "pelk-table/check/check_list.h"

#include <sstream>
#include <string>

#include "pelk-table/diff/diff_diagram.h"
#include "pelk-table/diff/table_diff.h"
#include "pelk-table/report/finding_text.h"
#include "pelk-table/views/markdown_view.h"
#include "pelk-table/views/view_text.h"

namespace {

std::string md(const std::string& text) {
    return CMarkdownView::escaped(CViewText::clean(text));
}

std::string numbered(const std::string& name, int number) {
    return md(name) + " (" + std::to_string(number) + ")";
}

void row(std::ostream& out, const std::string& change, const std::string& where, const std::string& before,
         const std::string& after) {
    out << "| " << change << " | " << where << " | " << before << " | " << after << " |\n";
}

void nameRows(std::ostream& out, const char* what, const std::vector<NAME_CHANGE_>& changes) {
    const std::string kind(what);
    for (const NAME_CHANGE_& change : changes) {
        switch (change.kind) {
        case NAME_CHANGE_::kRemoved:
            row(out, kind + " removed", numbered(change.oldName, change.oldNumber), "", "");
            break;
        case NAME_CHANGE_::kAdded:
            row(out, kind + " added", numbered(change.newName, change.newNumber), "", "");
            break;
        case NAME_CHANGE_::kRenamed:
            row(out, kind + " renamed", numbered(change.newName, change.newNumber), md(change.oldName),
                md(change.newName));
            break;
        case NAME_CHANGE_::kRenumbered:
            row(out, kind + " renumbered", md(change.newName), std::to_string(change.oldNumber),
                std::to_string(change.newNumber));
            break;
        }
    }
}

void listItem(std::ostream& out, const std::string& title, const std::vector<std::string>& names) {
    if (names.empty())
        return;
    out << "- " << title << ": ";
    for (size_t i = 0; i < names.size(); ++i)
        out << (i == 0 ? "" : ", ") << md(names[i]);
    out << "\n";
}

}  // namespace

void CDiffMarkdownWriter::write(std::ostream& out, const TABLE_DIFF_& diff, const DIFF_FORM_& form,
                                const CSTTable& before, const CSTTable& after) {
    out << "### State machine changes: " << md(form.oldLabel) << " \u2192 " << md(form.newLabel) << "\n\n";
    if (diff.same())
        out << "The machine is the same.\n";
    if (!diff.same()) {
        out << "| change | where | before | after |\n|---|---|---|---|\n";
        nameRows(out, "state", diff.states);
        nameRows(out, "event", diff.events);
        static const char* const kCellKinds[] = {"cell changed", "cell added", "cell removed"};
        for (const CELL_CHANGE_& cell : diff.cells) {
            const std::string where = md(cell.state) + " \u00d7 " + md(cell.event) + " (" +
                                      (cell.kind == CELL_CHANGE_::kRemoved ? "was " + cell.oldCell : cell.newCell) +
                                      ")";
            row(out, kCellKinds[cell.kind], where,
                cell.kind == CELL_CHANGE_::kAdded ? "" : md(CTableDiff::cellText(cell.before)),
                cell.kind == CELL_CHANGE_::kRemoved ? "" : md(CTableDiff::cellText(cell.after)));
        }
        out << "\nA cell is its next state (`-` for none) and the actions it calls, in order.\n";
    }

    std::string consequences;
    {
        std::ostringstream list;
        if (diff.startChanged)
            list << "- the machine starts in " << (diff.newStart.empty() ? "no state" : md(diff.newStart))
                 << " instead of " << (diff.oldStart.empty() ? "no state" : md(diff.oldStart)) << "\n";
        listItem(list, "states unreachable now", diff.unreachable);
        listItem(list, "states reachable again", diff.reachableAgain);
        listItem(list, "events that do nothing anywhere now", diff.nowUnused);
        listItem(list, "events that do something now", diff.nowUsed);
        for (const FINDING_CHANGE_& change : diff.findings)
            list << "- check " << (change.appeared ? "finds" : "no longer finds") << ": "
                 << (change.finding.severity == FINDING_::kError ? "error" : "warning") << ": "
                 << md(CFindingText::message(change.finding.message)) << " \\["
                 << md(CCheckList::of(change.finding.id).name) << "\\]\n";
        const std::string vectors = CTableDiff::vectorTableText(diff, *form.target);
        if (!vectors.empty())
            list << "- vector table: " << md(vectors) << "\n";
        consequences = list.str();
    }
    if (!consequences.empty())
        out << "\n#### Consequences\n\n" << consequences;

    if (diff.same())
        return;
    std::string note;
    const std::string diagram = CDiffDiagram::write(diff, before, after, note);
    out << "\n#### States touched\n\n";
    if (diagram.empty()) {
        out << note << "\n";
        return;
    }
    out << "```mermaid\n"
        << diagram << "```\n\n"
        << "`+` marks a transition that is new or changed, `\u2212` one that went away.\n";
}
