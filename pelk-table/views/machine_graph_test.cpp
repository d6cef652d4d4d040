// The facts the views draw: which events fold and with which exceptions,
// which states a neighbourhood holds, and how a drawing too large is cut
// down. One row per rule.
#include "pelk-table/views/machine_graph.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pelk-table/model/table_model.h"

namespace {

// A model read from text, through a file as pelk-table reads it.
struct LOADED_ {
    explicit LOADED_(const std::string& text)
        : path((std::filesystem::temp_directory_path() / ("pelk_graph_" + std::to_string(getpid()) + ".tsv")).string()),
          model(path, "") {
        std::ofstream(path, std::ios::binary) << text;
        model.load();
    }
    ~LOADED_() { std::filesystem::remove(path); }
    std::string path;
    CTableModel model;
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

// The drawn states, then the drawn edges "from>to" (any state is "*").
std::string drawnOf(const CMachineGraph& graph) {
    std::string text;
    for (size_t s = 0; s < graph.states().size(); ++s) {
        if (graph.shown(static_cast<int>(s)))
            text += (text.empty() ? "" : ",") + std::to_string(s);
    }
    text += ":";
    for (const VIEW_EDGE_& edge : graph.edges())
        text += " " + (edge.from == CMachineGraph::kAnyState ? std::string("*") : std::to_string(edge.from)) + ">" +
                std::to_string(edge.to);
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

}  // namespace
