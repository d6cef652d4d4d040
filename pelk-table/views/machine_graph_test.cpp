// The facts the views draw: which events fold and with which exceptions,
// which groups of states are drawn as boxes, which states a neighbourhood
// holds, and how a drawing too large is cut down. One row per rule. (That
// every drawn edge stands for exactly the table's cells is
// graph_expansion_test.cpp.)
#include "pelk-table/views/machine_graph.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/graph_text.h"
#include "tests/support/loaded_model.h"

namespace {

// A model read from text, through a file as pelk-table reads it.
struct LOADED_ : LOADED_MODEL_ {
    explicit LOADED_(const std::string& text)
        : LOADED_MODEL_(text, "graph") {}
};

// "EVENT>to covered|idle|other" for each fold.
std::string foldsOf(const CMachineGraph& graph) {
    const auto list = [](const std::vector<int>& states) {
        std::string text;
        for (int s : states)
            text += (text.empty() ? "" : ",") + std::to_string(s);
        return text;
    };
    std::string text;
    for (const VIEW_FOLD_& f : graph.folds())
        text += (text.empty() ? "" : " ") + graph.events()[static_cast<size_t>(f.call.event)] + ">" +
                std::to_string(f.to) + " " + list(f.covered) + "|" + list(f.idle) + "|" + list(f.other);
    return text;
}

// The drawn states, then the drawn edges "from>to" (any state is "*", a
// group's box "gN").
std::string drawnOf(const CMachineGraph& graph) {
    std::string text;
    for (size_t s = 0; s < graph.states().size(); ++s) {
        if (graph.shown(static_cast<int>(s)))
            text += (text.empty() ? "" : ",") + std::to_string(s);
    }
    text += ":";
    for (const VIEW_EDGE_& edge : graph.edges())
        text += " " + edgeTail(edge) + ">" + std::to_string(edge.to);
    return text;
}

// "0-2,5" for states 0, 1, 2 and 5.
std::string rangesOf(const std::vector<int>& states) {
    std::string text;
    for (size_t i = 0; i < states.size(); ++i) {
        size_t j = i;
        while (j + 1 < states.size() && states[j + 1] == states[j] + 1)
            ++j;
        text += (text.empty() ? "" : ",") + std::to_string(states[i]) + (j > i ? "-" + std::to_string(states[j]) : "");
        i = j;
    }
    return text;
}

// "NAME 1-3" for each group, "<N" for the group around it, and the boxes
// drawn: "[NAME 1-2]" with the drawn states.
std::string groupsOf(const CMachineGraph& graph) {
    std::string text;
    for (size_t g = 0; g < graph.groups().size(); ++g) {
        const VIEW_GROUP_& group = graph.groups()[g];
        text += (text.empty() ? "" : " ") + group.name + " " + rangesOf(group.states);
        if (group.parent >= 0)
            text += "<" + std::to_string(group.parent);
    }
    for (size_t g = 0; g < graph.groups().size(); ++g) {
        std::vector<int> drawn;
        for (int s : graph.groups()[g].states) {
            if (graph.shown(s) && graph.boxShown(static_cast<int>(g)))
                drawn.push_back(s);
        }
        if (!drawn.empty())
            text += " [" + graph.groups()[g].name + " " + rangesOf(drawn) + "]";
    }
    return text;
}

struct FoldRow {
    const char* why;
    const char* table;
    const char* folds;
};

class GraphFoldTest : public ::testing::TestWithParam<FoldRow> {};

TEST_P(GraphFoldTest, FoldsWhatMostStatesShare) {
    const LOADED_ loaded(GetParam().table);
    EXPECT_EQ(foldsOf(CMachineGraph(loaded.model, {})), GetParam().folds) << GetParam().why;
    VIEW_OPTIONS_ off;
    off.fold = false;
    EXPECT_EQ(foldsOf(CMachineGraph(loaded.model, {}, off)), "") << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GraphFoldTest,
    ::testing::Values(
        FoldRow{"two states never fold: the lamp keeps its two arrows",
                "START\t\tPUSH\tTICK\nOFF\t0\t1/LampOn\t0\nON\t1\t1/LampOn\t0\n", ""},
        FoldRow{"three states that all do the same fold", "START\t\tRESET\nA\t0\t0/Init\nB\t1\t0/Init\nC\t2\t0/Init\n",
                "RESET>0 0,1,2||"},
        FoldRow{"two thirds is enough: 4 of 6, the others idle or different",
                "START\t\tE\nA\t0\t0/X\nB\t1\t0/X\nC\t2\t0/X\nD\t3\t0/X\nE\t4\t-\nF\t5\t1/X\n", "E>0 0,1,2,3|4|5"},
        FoldRow{"less than two thirds is not: 3 of 6",
                "START\t\tE\nA\t0\t0/X\nB\t1\t0/X\nC\t2\t0/X\nD\t3\t-\nE\t4\t-\nF\t5\t-\n", ""},
        FoldRow{"other actions are another transition; an action without transition is something else",
                "START\t\tE\nA\t0\t0/X\nB\t1\t0/X\nC\t2\t0/X\nD\t3\t0/Y\nE\t4\t-/X\nF\t5\t0/X,-\n", "E>0 0,1,2,5||3,4"},
        FoldRow{"a next state that does not exist never folds", "START\t\tE\nA\t0\t7\nB\t1\t7\nC\t2\t7\n", ""}));

struct NearRow {
    const char* why;
    int focus;
    int depth;
    const char* drawn;
};

// 0 -> 1 -> 2 -> 3, 4 -> 2, and RESET from every state to 0 (folded).
const char kChain[] =
    "START\t\tNEXT\tSIDE\tRESET\n"
    "A\t0\t1\t-\t0/Init\nB\t1\t2\t-\t0/Init\nC\t2\t3\t-\t0/Init\nD\t3\t-\t-\t0/Init\nE\t4\t-\t2\t0/Init\n";

class GraphNeighbourhoodTest : public ::testing::TestWithParam<NearRow> {};

TEST_P(GraphNeighbourhoodTest, DrawsWhatLeadsInAndOut) {
    const LOADED_ loaded(kChain);
    VIEW_OPTIONS_ options;
    options.focus = GetParam().focus;
    options.depth = GetParam().depth;
    const CMachineGraph graph(loaded.model, {}, options);
    EXPECT_EQ(drawnOf(graph), GetParam().drawn) << GetParam().why;
    EXPECT_EQ(graph.note(), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, GraphNeighbourhoodTest,
                         ::testing::Values(NearRow{"the whole machine", -1, 1, "0,1,2,3,4: *>0 0>1 1>2 2>3 4>2"},
                                           NearRow{"one step in and out, and the folded transition that leaves it", 2,
                                                   1, "0,1,2,3,4: *>0 1>2 2>3 4>2"},
                                           NearRow{"two steps out of the first state", 0, 2, "0,1,2: *>0 0>1 1>2"},
                                           NearRow{
                                               "a state only the folded transition reaches draws it, not every state",
                                               0, 1, "0,1: *>0 0>1"}));

// A ring of n states: each goes on to the next.
std::string ring(int n) {
    std::string text = "START\t\tNEXT\n";
    for (int s = 0; s < n; ++s)
        text += "R" + std::to_string(s) + "\t" + std::to_string(s) + "\t" + std::to_string((s + 1) % n) + "\n";
    return text;
}

// Beyond the limits, the drawing is cut down to the neighbourhood of state
// 0 and says so; a drawing within them is left whole.
TEST(GraphSize, CutDownBeyondTheLimitsAndSaysSo) {
    {
        const LOADED_ loaded(ring(CMachineGraph::kMaxStates));
        const CMachineGraph graph(loaded.model, {});
        EXPECT_EQ(graph.shownStates(), CMachineGraph::kMaxStates);
        EXPECT_EQ(graph.note(), "");
    }
    const LOADED_ loaded(ring(CMachineGraph::kMaxStates + 1));
    VIEW_OPTIONS_ options;
    options.hint = "Try --state.";
    CMachineGraph graph(loaded.model, {}, options);
    EXPECT_EQ(drawnOf(graph), "0,1,60: 0>1 60>0");
    EXPECT_EQ(graph.note(),
              "The whole machine (61 states, 61 transitions to draw) is more than a diagram shows legibly: at most "
              "60 states and 150 transitions, and 50,000 characters of Mermaid. Drawn instead: R0 (0) and what leads "
              "in and out of it within 1 step. Try --state.");
    // Further cuts: the transitions out of the state alone, then nothing.
    EXPECT_TRUE(graph.shrink());
    EXPECT_EQ(drawnOf(graph), "0,1: 0>1");
    EXPECT_TRUE(graph.shrink());
    EXPECT_EQ(drawnOf(graph), ":");
    EXPECT_NE(graph.note().find("Drawn instead: nothing."), std::string::npos) << graph.note();
    EXPECT_FALSE(graph.shrink());
}

// IDLE (0) starts a frame; A ... E (1-5) time out to IDLE, A ... C (1-3)
// restart on STX; RESET leads every state to IDLE (folded); F ... H idle.
const char kFrame[] =
    "START\t\tRESET\tTMO\tSTX\tBYTE\n"
    "IDLE\t0\t0/Reset\t-\t1/Start\t-/Noise\n"
    "A\t1\t0/Reset\t0/LogTmo\t1/Restart\t2/Store\n"
    "B\t2\t0/Reset\t0/LogTmo\t1/Restart\t3/Store\n"
    "C\t3\t0/Reset\t0/LogTmo\t1/Restart\t4/Store\n"
    "D\t4\t0/Reset\t0/LogTmo\t-\t5/Store\n"
    "E\t5\t0/Reset\t0/LogTmo\t-\t0/Done\n"
    "F\t6\t0/Reset\t-\t-\t-\nG\t7\t0/Reset\t-\t-\t-\nH\t8\t0/Reset\t-\t-\t-\n";

struct GroupRow {
    const char* why;
    bool fold;
    bool group;
    int focus;
    const char* groups;
    const char* drawn;
};

class GraphGroupTest : public ::testing::TestWithParam<GroupRow> {};

TEST_P(GraphGroupTest, DrawsWhatGroupsShareFromTheirBoxes) {
    const LOADED_ loaded(kFrame);
    VIEW_OPTIONS_ options;
    options.fold = GetParam().fold;
    options.group = GetParam().group;
    options.focus = GetParam().focus;
    const CMachineGraph graph(loaded.model, {}, options);
    EXPECT_EQ(groupsOf(graph), GetParam().groups) << GetParam().why;
    EXPECT_EQ(drawnOf(graph), GetParam().drawn) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GraphGroupTest,
    ::testing::Values(
        GroupRow{"folding first, then the groups in what is left, one inside the other", true, true, -1,
                 "A \u2026 E 1-5 A \u2026 C 1-3<0 [A \u2026 E 1-5] [A \u2026 C 1-3]",
                 "0,1,2,3,4,5,6,7,8: *>0 g0>0 g1>1 0>1 1>2 2>3 3>4 4>5 5>0"},
        GroupRow{"--no-group draws each state's own", true, false, -1, "",
                 "0,1,2,3,4,5,6,7,8: *>0 0>1 1>0 1>1 1>2 2>0 2>1 2>3 3>0 3>1 3>4 4>0 4>5 5>0"},
        GroupRow{
            "--no-fold leaves what every state does to a group of all states", false, true, -1,
            "IDLE \u2026 H 0-8 A \u2026 E 1-5<0 A \u2026 C 1-3<1 [IDLE \u2026 H 0-8] [A \u2026 E 1-5] [A \u2026 C 1-3]",
            "0,1,2,3,4,5,6,7,8: g0>0 g1>0 g2>1 0>1 1>2 2>3 3>4 4>5 5>0"},
        GroupRow{"a neighbourhood keeps the boxes of its states, with those states only", true, true, 2,
                 "A \u2026 E 1-5 A \u2026 C 1-3<0 [A \u2026 E 1-3] [A \u2026 C 1-3]", "0,1,2,3: *>0 g0>0 g1>1 1>2 2>3"},
        GroupRow{"every state of a group leads into the state its shared transition reaches", true, true, 0,
                 "A \u2026 E 1-5 A \u2026 C 1-3<0 [A \u2026 E 1-5] [A \u2026 C 1-3]",
                 "0,1,2,3,4,5: *>0 g0>0 0>1 5>0"}));

// 40 states in five blocks of eight: three transitions of each state its
// own, and UP and DOWN shared by each block: 185 arrows, 130 once grouped.
std::string blocks() {
    std::string text = "START\t\tE0\tE1\tE2\tUP\tDOWN\n";
    for (int s = 0; s < 40; ++s) {
        text += "S" + std::to_string(s) + "\t" + std::to_string(s);
        for (int step = 1; step <= 3; ++step)
            text += "\t" + std::to_string((s + step) % 40) + "/N";
        text += "\t" + std::to_string(s / 8 * 8) + "/Up\t" + std::to_string((s / 8 + 1) % 5 * 8) + "/Down\n";
    }
    return text;
}

TEST(GraphGroupSize, TheSizeRuleCountsArrowsAfterGrouping) {
    const LOADED_ loaded(blocks());
    const CMachineGraph grouped(loaded.model, {});
    EXPECT_EQ(grouped.machineEdges().size(), 130u);
    EXPECT_EQ(grouped.note(), "");
    EXPECT_EQ(grouped.groups().size(), 5u);
    VIEW_OPTIONS_ options;
    options.group = false;
    const CMachineGraph plain(loaded.model, {}, options);
    EXPECT_EQ(plain.machineEdges().size(), 185u);
    EXPECT_NE(plain.note().find("(40 states, 185 transitions to draw)"), std::string::npos) << plain.note();
}

}  // namespace
