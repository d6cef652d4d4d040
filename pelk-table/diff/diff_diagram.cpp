#include "pelk-table/diff/diff_diagram.h"

#include <map>
#include <set>
#include <sstream>

#include "pelk-table/diff/table_diff.h"
#include "pelk-table/views/mermaid_view.h"
#include "pelk-table/views/view_text.h"
#include "table/st_table.h"

namespace {

size_t at(int i) {
    return static_cast<size_t>(i);
}

std::string label(const std::string& text) {
    return CMermaidView::escaped(CViewText::clean(text));
}

std::string calls(const std::string& event, const std::vector<std::string>& actions) {
    std::string text = event;
    for (size_t i = 0; i < actions.size(); ++i)
        text += (i == 0 ? " / " : ", ") + actions[i];
    return text;
}

// A node of the drawing: a state of NEW ("s3") or a state only OLD has ("old3").
struct NODE_ {
    bool old;
    int number;
    bool operator<(const NODE_& other) const { return old != other.old ? old < other.old : number < other.number; }
    std::string id() const { return (old ? "old" : "s") + std::to_string(number); }
};

struct EDGE_ {
    NODE_ from, to;
    std::string text;
};

class CDrawing {
public:
    CDrawing(const TABLE_DIFF_& diff, const CSTTable& before, const CSTTable& after)
        : m_diff(diff),
          m_before(before),
          m_after(after) {}

    void collect() {
        std::set<int> touched;
        for (const NAME_CHANGE_& change : m_diff.states) {
            if (change.kind == NAME_CHANGE_::kAdded || change.kind == NAME_CHANGE_::kRenamed) {
                touched.insert(change.newNumber);
                m_class[{false, change.newNumber}] = change.kind == NAME_CHANGE_::kAdded ? "added" : "renamed";
            }
        }
        for (const CELL_CHANGE_& cell : m_diff.cells) {
            const NODE_ from =
                cell.kind == CELL_CHANGE_::kRemoved ? oldNode(cell.oldState) : NODE_{false, cell.newState};
            if (from.old)
                m_class[from] = "removed";
            else
                touched.insert(from.number);
            if (!from.old && !m_class.count(from))
                m_class[from] = "changed";
            if (cell.kind != CELL_CHANGE_::kRemoved)
                addNewSide(from, cell, touched);
            if (cell.kind != CELL_CHANGE_::kAdded)
                addOldSide(from, cell);
        }
        for (int s : touched) {
            m_nodes.insert({false, s});
            for (int e = 0; e < m_after.eventCount(); ++e) {
                const int next = m_after.nextState(e, s);
                if (next >= 0 && next < m_after.stateCount())
                    m_nodes.insert({false, next});
            }
        }
        // States that lead into a touched one.
        for (int s = 0; s < m_after.stateCount(); ++s) {
            for (int e = 0; e < m_after.eventCount(); ++e) {
                const int next = m_after.nextState(e, s);
                if (next >= 0 && touched.count(next)) {
                    m_nodes.insert({false, s});
                    break;
                }
            }
        }
        for (const NODE_& node : m_nodes) {
            if (node.old)
                continue;
            for (int e = 0; e < m_after.eventCount(); ++e) {
                const int next = m_after.nextState(e, node.number);
                if (next < 0 || next >= m_after.stateCount() || !m_nodes.count({false, next}) ||
                    m_marked.count({node.number, e}))
                    continue;
                // Past the limit the transitions are only counted.
                if (++m_edgeCount <= CDiffDiagram::kMaxEdges)
                    m_edges.push_back(
                        {node, {false, next}, label(calls(m_after.eventName(e), actions(node.number, e)))});
            }
        }
    }

    std::string write(std::string& note) const {
        if (m_nodes.empty()) {
            note = "No state is touched by the change.";
            return "";
        }
        if (m_edgeCount > CDiffDiagram::kMaxEdges) {
            note = tooLarge(std::to_string(m_edgeCount) + " transitions");
            return "";
        }
        std::ostringstream out;
        out << "stateDiagram-v2\n";
        for (const NODE_& node : m_nodes) {
            std::string name = node.old ? m_before.stateName(node.number) : m_after.stateName(node.number);
            name += " (" + std::to_string(node.number) + ")";
            if (node.old)
                name += " removed";
            else if (m_diff.newToOldState[at(node.number)] >= 0 &&
                     m_before.stateName(m_diff.newToOldState[at(node.number)]) != m_after.stateName(node.number))
                name += ", was " + m_before.stateName(m_diff.newToOldState[at(node.number)]);
            out << "    state \"" << label(name) << "\" as " << node.id() << "\n";
        }
        for (const auto& line : m_internal)
            out << "    " << line.first.id() << " : " << line.second << "\n";
        if (m_nodes.count({false, 0}))
            out << "    [*] --> s0\n";
        for (const EDGE_& edge : m_edges)
            out << "    " << edge.from.id() << " --> " << edge.to.id() << " : " << edge.text << "\n";
        static const std::pair<const char*, const char*> kClasses[] = {
            {"added", "stroke:#008000,stroke-width:3px"},
            {"changed", "stroke:#cd6600,stroke-width:3px"},
            {"renamed", "stroke:#0060c0,stroke-width:3px"},
            {"removed", "stroke:#cd0000,stroke-dasharray:5 5,color:#cd0000"},
        };
        for (const auto& style : kClasses) {
            std::string members;
            for (const auto& entry : m_class) {
                if (entry.second == style.first && m_nodes.count(entry.first))
                    members += (members.empty() ? "" : ",") + entry.first.id();
            }
            if (!members.empty())
                out << "    classDef " << style.first << " " << style.second << "\n    class " << members << " "
                    << style.first << "\n";
        }
        const std::string text = out.str();
        if (text.size() > CMermaidView::kMaxText) {
            note = tooLarge(std::to_string(text.size()) + " characters");
            return "";
        }
        return text;
    }

private:
    static std::string tooLarge(const std::string& size) {
        return "The diagram of the touched states would have " + size + ", more than a code host draws (" +
               std::to_string(CDiffDiagram::kMaxEdges) + " transitions, " + CViewText::grouped(CMermaidView::kMaxText) +
               " characters).";
    }

    std::vector<std::string> actions(int s, int e) const { return CTableDiff::meaning(m_after, s, e).actions; }

    NODE_ oldNode(int oldState) const {
        const int mapped = m_diff.oldToNewState[at(oldState)];
        return mapped >= 0 ? NODE_{false, mapped} : NODE_{true, oldState};
    }

    void addNewSide(const NODE_& from, const CELL_CHANGE_& cell, std::set<int>& touched) {
        m_marked.insert({cell.newState, cell.newEvent});
        const std::string text = "+ " + calls(cell.event, cell.after.actions);
        const int next = cell.after.next;
        if (next < 0) {
            if (!cell.after.actions.empty())
                m_internal.push_back({from, label(text)});
            return;
        }
        if (next >= m_after.stateCount())
            return;
        touched.insert(next);
        std::string was;
        if (cell.kind == CELL_CHANGE_::kChanged && cell.before.next >= 0 && cell.before.next < m_before.stateCount() &&
            m_diff.oldToNewState[at(cell.before.next)] == next)
            was = " (was " + calls(cell.event, cell.before.actions) + ")";
        m_edges.push_back({from, {false, next}, label(text + was)});
        ++m_edgeCount;
    }

    void addOldSide(const NODE_& from, const CELL_CHANGE_& cell) {
        const int next = cell.before.next;
        const std::string text = "\u2212 " + calls(cell.event, cell.before.actions);
        if (next < 0) {
            m_nodes.insert(from);
            m_internal.push_back({from, label(text)});
            return;
        }
        if (next >= m_before.stateCount())
            return;
        const NODE_ to = oldNode(next);
        if (cell.kind == CELL_CHANGE_::kChanged && !to.old && to.number == cell.after.next)
            return;  // drawn as one edge, with "(was ...)"
        if (to.old)
            m_class[to] = "removed";
        m_nodes.insert(from);
        m_nodes.insert(to);
        m_edges.push_back({from, to, label(text)});
        ++m_edgeCount;
    }

    const TABLE_DIFF_& m_diff;
    const CSTTable& m_before;
    const CSTTable& m_after;
    std::set<NODE_> m_nodes;
    std::map<NODE_, std::string> m_class;
    std::set<std::pair<int, int>> m_marked;  // (state, event) of NEW drawn as changed
    std::vector<EDGE_> m_edges;
    size_t m_edgeCount = 0;  // m_edges and those left out past the limit
    std::vector<std::pair<NODE_, std::string>> m_internal;
};

}  // namespace

std::string CDiffDiagram::write(const TABLE_DIFF_& diff, const CSTTable& before, const CSTTable& after,
                                std::string& note) {
    CDrawing drawing(diff, before, after);
    drawing.collect();
    return drawing.write(note);
}
