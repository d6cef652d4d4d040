#include "pelk-table/diff/diff_text_writer.h"
#include "pelk-table/check/check_list.h"

#include <string>

#include "pelk-table/diff/table_diff.h"
#include "pelk-table/report/finding_text.h"

namespace {

const char* const kBold = "\033[1m";
const char* const kRed = "\033[31m";
const char* const kGreen = "\033[32m";
const char* const kYellow = "\033[33m";
const char* const kCyan = "\033[36m";
const char* const kReset = "\033[0m";

class CPainter {
public:
    explicit CPainter(bool on)
        : m_on(on) {}
    std::string operator()(const char* colour, const std::string& text) const {
        return m_on ? colour + text + kReset : text;
    }

private:
    bool m_on;
};

const char* const kArrow = " \u2192 ";

void writeNames(std::ostream& out, const char* what, const std::vector<NAME_CHANGE_>& changes, const CPainter& paint) {
    std::string renumbered;
    for (const NAME_CHANGE_& change : changes) {
        switch (change.kind) {
        case NAME_CHANGE_::kRemoved:
            out << paint(kRed, std::string(what) + " removed: " + change.oldName + " (" +
                                   std::to_string(change.oldNumber) + ")")
                << "\n";
            break;
        case NAME_CHANGE_::kAdded:
            out << paint(kGreen, std::string(what) + " added: " + change.newName + " (" +
                                     std::to_string(change.newNumber) + ")")
                << "\n";
            break;
        case NAME_CHANGE_::kRenamed:
            out << paint(kCyan, std::string(what) + " renamed: " + change.oldName + kArrow + change.newName + " (" +
                                    std::to_string(change.newNumber) + ")")
                << "\n";
            break;
        case NAME_CHANGE_::kRenumbered:
            renumbered += (renumbered.empty() ? "" : ", ") + change.newName + " " + std::to_string(change.oldNumber) +
                          kArrow + std::to_string(change.newNumber);
            break;
        }
    }
    if (!renumbered.empty())
        out << paint(kCyan, std::string(what) + "s renumbered: " + renumbered) << "\n";
}

void writeCell(std::ostream& out, const CELL_CHANGE_& cell, const CPainter& paint) {
    std::string where = cell.state + " \u00d7 " + cell.event;
    out << paint(kBold, where) << " (";
    if (cell.kind == CELL_CHANGE_::kRemoved)
        out << "was cell " << cell.oldCell;
    else
        out << "cell " << cell.newCell;
    out << "): ";
    const std::string before =
        cell.kind == CELL_CHANGE_::kAdded ? std::string("(added)") : CTableDiff::cellText(cell.before);
    const std::string after =
        cell.kind == CELL_CHANGE_::kRemoved ? std::string("(removed)") : CTableDiff::cellText(cell.after);
    out << paint(kRed, before) << "  \u21d2  " << paint(kGreen, after) << "\n";
}

void writeList(std::ostream& out, const std::string& title, const std::vector<std::string>& names,
               const CPainter& paint) {
    if (names.empty())
        return;
    std::string line;
    for (const std::string& name : names)
        line += (line.empty() ? "" : ", ") + name;
    out << paint(kYellow, title) << line << "\n";
}

}  // namespace

void CDiffTextWriter::write(std::ostream& out, const TABLE_DIFF_& diff, const DIFF_FORM_& form) {
    const CPainter paint(form.colour);
    if (form.gitHeader)
        out << paint(kBold, "pelk-table diff " + form.oldLabel + " " + form.newLabel) << "\n";
    writeNames(out, "state", diff.states, paint);
    writeNames(out, "event", diff.events, paint);
    for (const CELL_CHANGE_& cell : diff.cells)
        writeCell(out, cell, paint);

    if (diff.startChanged)
        out << paint(kYellow, "start state: ") << (diff.oldStart.empty() ? "(none)" : diff.oldStart) << kArrow
            << (diff.newStart.empty() ? "(none)" : diff.newStart) << "\n";
    writeList(out, "state unreachable now: ", diff.unreachable, paint);
    writeList(out, "state reachable again: ", diff.reachableAgain, paint);
    writeList(out, "event does nothing anywhere now: ", diff.nowUnused, paint);
    writeList(out, "event does something now: ", diff.nowUsed, paint);
    for (const FINDING_CHANGE_& change : diff.findings) {
        const FINDING_& finding = change.finding;
        const std::string severity = finding.severity == FINDING_::kError ? "error" : "warning";
        out << paint(kYellow, "check: ") << paint(change.appeared ? kGreen : kRed, change.appeared ? "+ " : "- ")
            << severity << ": " << CFindingText::message(finding.message) << " [" << CCheckList::of(finding.id).name
            << "]\n";
    }
    const std::string vectors = CTableDiff::vectorTableText(diff, *form.target);
    if (!vectors.empty())
        out << paint(kYellow, "vector table: ") << vectors << "\n";
    if (form.gitHeader && diff.same())
        out << "the machine is the same\n";
}
