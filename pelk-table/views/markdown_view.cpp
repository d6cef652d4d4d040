#include "pelk-table/views/markdown_view.h"

#include <map>
#include <sstream>

#include "pelk-table/check/check_list.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/report/finding_text.h"
#include "pelk-table/views/graph_words.h"
#include "pelk-table/views/machine_graph.h"
#include "pelk-table/views/mermaid_view.h"
#include "pelk-table/views/state_groups.h"
#include "pelk-table/views/view_text.h"

namespace {

std::string plural(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string where(const PLACE_& place) {
    if (place.line <= 0)
        return "the file";
    return "line " + std::to_string(place.line) + ", column " + std::to_string(place.column);
}

// The text of one cell of the matrix: the next state and the actions.
std::string cellText(const CTableModel& model, const CMachineGraph& graph, int s, int e) {
    const CELL_OUTCOME_ outcome = CTableRules::outcome(model.table(), s, e);
    const int next = outcome.next;
    std::string text;
    if (next < 0)
        text = "-";
    else if (graph.isInvalid(next))
        text = std::to_string(next) + " (no such state)";
    else
        text = CMarkdownView::escaped(graph.states()[static_cast<size_t>(next)].name);
    for (size_t i = 0; i < outcome.actions.size(); ++i)
        text += (i == 0 ? " / " : ", ") + CMarkdownView::escaped(CViewText::clean(outcome.actions[i]));
    return text;
}

void writeMatrix(std::ostream& out, const CTableModel& model, const CMachineGraph& graph) {
    out << "## Transitions\n\n";
    if (graph.states().empty()) {
        out << "The table has no states.\n\n";
        return;
    }
    out << "| # | state |";
    for (const std::string& event : graph.events())
        out << " " << CMarkdownView::escaped(event) << " |";
    out << "\n|---:|---|";
    for (size_t e = 0; e < graph.events().size(); ++e)
        out << "---|";
    out << "\n";
    for (size_t s = 0; s < graph.states().size(); ++s) {
        out << "| " << s << " | " << CMarkdownView::escaped(graph.states()[s].name) << " |";
        for (size_t e = 0; e < graph.events().size(); ++e)
            out << " " << cellText(model, graph, static_cast<int>(s), static_cast<int>(e)) << " |";
        out << "\n";
    }
    out << "\nA cell holds the next state and the actions it calls, in order; `-` is no transition.\n\n";
}

void writeNames(std::ostream& out, const char* title, const char* what, const std::vector<std::string>& names) {
    out << "## " << title << "\n\n";
    if (names.empty()) {
        out << "None.\n\n";
        return;
    }
    out << "| # | " << what << " |\n|---:|---|\n";
    for (size_t i = 0; i < names.size(); ++i)
        out << "| " << i << " | " << CMarkdownView::escaped(names[i]) << " |\n";
    out << "\n";
}

void writeActions(std::ostream& out, const CTableModel& model) {
    const CSTTable& table = model.table();
    std::vector<std::string> order;
    std::map<std::string, std::vector<std::string>> callers;
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            const std::string caller = CMarkdownView::escaped(CViewText::clean(table.eventName(e))) + " in " +
                                       CMarkdownView::escaped(CViewText::clean(table.stateName(s))) + " (" +
                                       model.cellPlace(s, e).cell + ")";
            for (const std::string& action : CTableRules::outcome(table, s, e).actions) {
                std::vector<std::string>& cells = callers[action];
                if (cells.empty())
                    order.push_back(action);
                if (cells.empty() || cells.back() != caller)
                    cells.push_back(caller);
            }
        }
    }
    out << "## Actions\n\n";
    if (order.empty()) {
        out << "None.\n\n";
        return;
    }
    out << "| action | called on |\n|---|---|\n";
    for (const std::string& action : order) {
        out << "| " << CMarkdownView::escaped(CViewText::clean(action)) << " |";
        const std::vector<std::string>& cells = callers[action];
        for (size_t i = 0; i < cells.size(); ++i)
            out << (i == 0 ? " " : ", ") << cells[i];
        out << " |\n";
    }
    out << "\n";
}

// What the diagram leaves to words: that it shows a neighbourhood, why it is
// cut down, the transitions it draws once for most states, and the groups of
// states it draws as boxes.
void writeDiagramWords(std::ostream& out, const CMachineGraph& graph) {
    if (!graph.note().empty())
        out << CMarkdownView::escaped(graph.note()) << "\n\n";
    else if (!graph.scope().empty())
        out << "The diagram shows " << CMarkdownView::escaped(graph.scope()) << ".\n\n";
    std::vector<std::string> drawn;
    const std::vector<std::string> sentences = CGraphWords::foldSentences(graph);
    for (size_t i = 0; i < graph.folds().size(); ++i) {
        for (const VIEW_EDGE_& edge : graph.edges()) {
            for (const VIEW_CALL_& call : edge.calls) {
                if (edge.from == CMachineGraph::kAnyState && call.event == graph.folds()[i].call.event)
                    drawn.push_back(sentences[i]);
            }
        }
    }
    if (!drawn.empty()) {
        out << "Transitions that most states share are drawn once, from \"any state\" (an event is folded when at "
               "least "
            << CMachineGraph::kFoldMinStates
            << " states, and two thirds of all states, give it the same next "
               "state and actions; `--no-fold` draws each state's own):\n\n";
        for (const std::string& sentence : drawn)
            out << "- " << CMarkdownView::escaped(sentence) << "\n";
        out << "\n";
    }
    drawn.clear();
    const std::vector<std::string> groups = CGraphWords::groupSentences(graph);
    for (size_t g = 0; g < groups.size(); ++g) {
        if (graph.firstShown(static_cast<int>(g)) < 0)
            continue;
        drawn.push_back(groups[g]);
        if (graph.groups()[g].flat)
            drawn.back() += " Drawn flat: Mermaid draws no transition between the states of two composite states.";
    }
    if (drawn.empty())
        return;
    out << "Groups of at least " << CStateGroups::kMinStates
        << " states that share transitions are drawn as boxes, and what they share once, from the box "
           "(`--no-group` draws each state's own):\n\n";
    for (const std::string& sentence : drawn)
        out << "- " << CMarkdownView::escaped(sentence) << "\n";
    out << "\n";
}

void writeFindings(std::ostream& out, const std::vector<FINDING_>& findings) {
    out << "## Findings of check\n\n";
    if (findings.empty()) {
        out << "None.\n";
        return;
    }
    for (const FINDING_& finding : findings) {
        out << "- " << (finding.severity == FINDING_::kError ? "**error**" : "**warning**") << " at "
            << where(finding.place) << ": "
            << CMarkdownView::escaped(
                   CViewText::clean(CFindingText::withCell(CFindingText::message(finding.message), finding.place)))
            << " \\[" << CMarkdownView::escaped(CCheckList::of(finding.id).name) << "\\]\n";
        for (const NOTE_& note : finding.notes)
            out << "  - note at " << where(note.place) << ": "
                << CMarkdownView::escaped(
                       CViewText::clean(CFindingText::withCell(CFindingText::message(note.message), note.place)))
                << "\n";
    }
}

}  // namespace

// HTML's three, and a backslash before what Markdown reads as syntax.
std::string CMarkdownView::escaped(const std::string& text) {
    static const CViewText::ESCAPE_ kEscapes[] = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'\\', "\\\\"}, {'|', "\\|"}, {'*', "\\*"},
        {'_', "\\_"},   {'`', "\\`"},  {'[', "\\["},  {']', "\\]"},   {'~', "\\~"},
    };
    return CViewText::escaped(text, kEscapes, static_cast<int>(sizeof kEscapes / sizeof kEscapes[0]));
}

std::string CMarkdownView::write(const CTableModel& model, const std::vector<FINDING_>& findings,
                                 const VIEW_OPTIONS_& options) {
    CMachineGraph graph(model, findings, options);
    const std::string file = escaped(CViewText::clean(CViewText::fileName(model.path())));
    std::ostringstream out;
    out << "# State machine " << file << "\n\n";
    out << "Written by `pelk-table markdown` from " << file << ": " << plural(graph.states().size(), "state", "states")
        << ", " << plural(graph.events().size(), "event", "events") << ".";
    if (!graph.states().empty())
        out << " The machine starts in state 0, " << escaped(graph.states()[0].name) << ".";
    out << "\n\n";
    writeMatrix(out, model, graph);

    std::vector<std::string> states;
    for (const VIEW_STATE_& state : graph.states())
        states.push_back(state.name);
    writeNames(out, "States", "state", states);
    writeNames(out, "Events", "event", graph.events());
    writeActions(out, model);

    out << "## Diagram\n\n";
    // The names and the matrix stay those of the whole table whatever the
    // diagram leaves out.
    const std::string mermaid = CMermaidView::fitted(graph);
    writeDiagramWords(out, graph);
    out << "```mermaid\n" << mermaid << "```\n\n";
    writeFindings(out, findings);
    return out.str();
}
