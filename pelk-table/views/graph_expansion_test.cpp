// The expansion of a drawing: every edge CMachineGraph draws, folded from
// "any state", from a group's box or from one state, and every internal
// transition of a state or a group, stands for exactly the table's cells,
// each once, with its next state and actions; with folding and grouping on
// and off, and with the groups flattened as Mermaid may draw them. On the
// example tables and on 240 generated tables with planted groups. Also: the
// groups have at least 3 states and nest or are disjoint, and grouping
// never adds arrows.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/views/machine_graph.h"
#include "table/st_table.h"
#include "tests/support/graph_text.h"
#include "tests/support/loaded_model.h"
#include "tests/support/paths.h"
#include "tests/support/planted_table.h"

namespace {

// Whether the drawing stands for exactly the table's cells: the calls of
// the edges (with those of kAnyState and the groups' boxes standing for all
// their states), the states' internal transitions and the groups'; "" when
// every cell that does something is drawn once with its next state and
// actions, else what is wrong.
std::string expansionFault(const CTableModel& model, const CMachineGraph& graph, const std::vector<VIEW_EDGE_>& edges) {
    std::map<std::pair<int, int>, CELL_OUTCOME_> drawn;
    std::string fault;
    const auto add = [&](int s, int e, int next, const std::vector<std::string>& actions) {
        CELL_OUTCOME_ outcome;
        outcome.next = next;
        outcome.actions = actions;
        if (!drawn.emplace(std::make_pair(s, e), outcome).second)
            fault += " cell " + std::to_string(s) + "/" + std::to_string(e) + " drawn twice;";
    };
    for (const VIEW_EDGE_& edge : edges) {
        for (const VIEW_CALL_& call : edge.calls) {
            std::vector<int> meant{edge.from};
            if (edge.from == CMachineGraph::kAnyState)
                meant = graph.foldOf(call.event)->covered;
            else if (edge.from == CMachineGraph::kGroupBox)
                meant = graph.groups()[static_cast<size_t>(edge.group)].states;
            if (call.states != meant)
                fault += " a call from " + edgeTail(edge) + " stands for other states;";
            for (int s : call.states)
                add(s, call.event, edge.to, call.actions);
        }
    }
    for (int s = 0; s < static_cast<int>(graph.states().size()); ++s) {
        for (const VIEW_CALL_& call : graph.internalOf(s)) {
            if (call.states != std::vector<int>{s})
                fault += " an internal call of " + std::to_string(s) + " stands for other states;";
            add(s, call.event, -1, call.actions);
        }
    }
    for (const VIEW_GROUP_& group : graph.groups()) {
        for (const VIEW_CALL_& call : group.flat ? std::vector<VIEW_CALL_>() : group.internal) {
            if (call.states != group.states)
                fault += " a call of group " + group.name + " stands for other states;";
            for (int s : call.states)
                add(s, call.event, -1, call.actions);
        }
    }
    const CSTTable& table = model.table();
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            const CELL_OUTCOME_ outcome = CTableRules::outcome(table, s, e);
            const auto found = drawn.find({s, e});
            const std::string cell = " cell " + std::to_string(s) + "/" + std::to_string(e);
            if (!outcome.doesSomething() && found != drawn.end())
                fault += cell + " does nothing but is drawn;";
            else if (outcome.doesSomething() && found == drawn.end())
                fault += cell + " is not drawn;";
            else if (found != drawn.end() && found->second != outcome)
                fault += cell + " is drawn with another outcome;";
        }
    }
    return fault;
}

// Every group has at least 3 states; two groups nest or are disjoint, and a
// group's parent is the smallest group around it; "" when so.
std::string groupFault(const CMachineGraph& graph) {
    std::string fault;
    const std::vector<VIEW_GROUP_>& groups = graph.groups();
    for (size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].states.size() < 3)
            fault += " " + groups[g].name + " is too small;";
        int smallest = -1;
        for (size_t h = 0; h < groups.size(); ++h) {
            const std::vector<int>& a = groups[g].states;
            const std::vector<int>& b = groups[h].states;
            const bool inside = std::includes(b.begin(), b.end(), a.begin(), a.end());
            std::vector<int> common;
            std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(common));
            if (h != g && !common.empty() && !inside && !std::includes(a.begin(), a.end(), b.begin(), b.end()))
                fault += " " + groups[g].name + " crosses " + groups[h].name + ";";
            if (h != g && inside && (smallest < 0 || b.size() < groups[static_cast<size_t>(smallest)].states.size()))
                smallest = static_cast<int>(h);
        }
        if (groups[g].parent != smallest)
            fault += " " + groups[g].name + " has the wrong parent;";
    }
    return fault;
}

// Checks a table with folding and grouping on and off, and with every
// group flattened as Mermaid may draw it.
void expectExpands(const LOADED_MODEL_& loaded, const std::string& what) {
    size_t arrows[4];
    for (int options = 0; options < 4; ++options) {
        VIEW_OPTIONS_ asked;
        asked.fold = (options & 1) == 0;
        asked.group = (options & 2) == 0;
        CMachineGraph graph(loaded.model, {}, asked);
        const std::string how = what + (asked.fold ? "" : " --no-fold") + (asked.group ? "" : " --no-group");
        EXPECT_EQ(expansionFault(loaded.model, graph, graph.machineEdges()), "") << how;
        EXPECT_EQ(groupFault(graph), "") << how;
        arrows[options] = graph.machineEdges().size();
        if (!graph.note().empty())
            continue;
        EXPECT_EQ(expansionFault(loaded.model, graph, graph.edges()), "") << how << ", drawn";
        for (size_t g = 0; g < graph.groups().size(); ++g)
            graph.flatten(static_cast<int>(g));
        if (graph.note().empty()) {
            EXPECT_EQ(expansionFault(loaded.model, graph, graph.edges()), "") << how << ", flattened";
        }
    }
    EXPECT_LE(arrows[0], arrows[2]) << what << ": grouping added arrows";
    EXPECT_LE(arrows[1], arrows[3]) << what << " --no-fold: grouping added arrows";
}

TEST(GraphExpansion, TheExamplesDrawEachCellOnce) {
    int tables = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examplesDirectory())) {
        if (entry.path().extension() != ".tsv")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const LOADED_MODEL_ loaded(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
                                   "expansion");
        expectExpands(loaded, entry.path().filename().string());
        ++tables;
    }
    EXPECT_GE(tables, 6);
}

TEST(GraphExpansion, TablesWithPlantedGroupsDrawEachCellOnce) {
    int grouped = 0;
    for (unsigned seed = 1; seed <= 240; ++seed) {
        const LOADED_MODEL_ loaded(plantedTable(seed), "expansion");
        ASSERT_EQ(loaded.model.table().stateCount() > 0, true) << plantedTable(seed);
        expectExpands(loaded, "seed " + std::to_string(seed));
        grouped += CMachineGraph(loaded.model, {}).groups().empty() ? 0 : 1;
    }
    // The planted groups are found: most tables have some.
    EXPECT_GE(grouped, 150);
}

}  // namespace
