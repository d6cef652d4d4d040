#include "pelk-table/conformance/conformance_tour.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "pelk-table/conformance/conformance_c_writer.h"
#include "pelk-table/run/machine_run.h"

namespace {

// A table from its next states, [state][event] (-1: none); every cell
// calls one action named after it.
void makeTable(CSTTable& table, const std::vector<std::vector<int>>& next) {
    for (size_t e = 0; e < (next.empty() ? 0 : next[0].size()); ++e)
        table.appendEvent("E" + std::to_string(e));
    for (size_t s = 0; s < next.size(); ++s) {
        ONE_STATE_ state{"S" + std::to_string(s), {}};
        for (size_t e = 0; e < next[s].size(); ++e)
            state.cells.push_back(
                {static_cast<int>(e), next[s][e], {"A" + std::to_string(s) + "_" + std::to_string(e)}});
        table.appendState(state);
    }
}

// What every tour must be: each step as the machine takes it, from where
// the last one ended or from state 0 after init; each cell of a state that
// can be reached tested once, by the last step of its test; the others
// listed as not tested.
void expectSound(const CConformanceTour& tour, const std::string& label, bool whole = true) {
    const CSTTable& table = tour.table();
    std::set<std::pair<int, int>> tested;
    int at = -1;
    for (const TOUR_TEST_& test : tour.tests()) {
        if (test.start != TOUR_TEST_::kGoOn)
            at = 0;
        ASSERT_LT(test.firstStep, test.endStep) << label;
        for (size_t i = test.firstStep; i < test.endStep; ++i) {
            const TOUR_STEP_& step = tour.steps()[i];
            ASSERT_EQ(step.state, at) << label << " step " << i;
            EXPECT_EQ(step.next, CMachineRun::step(table, step.state, step.event).next) << label;
            at = step.next;
            // Only the last step of a test may leave the states.
            if (i + 1 < test.endStep) {
                ASSERT_LT(at, table.stateCount()) << label;
            }
        }
        const TOUR_STEP_& cell = tour.steps()[test.endStep - 1];
        if (test.scenario < 0) {
            EXPECT_TRUE(tested.insert({cell.state, cell.event}).second) << label << ": tested twice";
        }
    }
    std::set<std::pair<int, int>> untested;
    for (const UNTESTED_CELL_& cell : tour.untested()) {
        EXPECT_FALSE(tour.reachable(cell.state)) << label;
        untested.insert({cell.state, cell.event});
    }
    for (int s = 0; s < table.stateCount() && whole; ++s) {
        for (int e = 0; e < table.eventCount(); ++e)
            EXPECT_EQ(tested.count({s, e}) + untested.count({s, e}), 1u) << label << ": cell " << s << "," << e;
    }
}

TEST(ConformanceTour, CoversEveryReachableCellOnce) {
    const struct {
        const char* label;
        std::vector<std::vector<int>> next;
        size_t steps;
        size_t inits;
        size_t untested;
    } cases[] = {
        {"one state", {{-1, 0}}, 2, 1, 0},
        // A chain back to 0: every cell once, no walk.
        {"ring", {{1, -1}, {2, -1}, {0, -1}}, 6, 1, 0},
        // S1 and S2 are traps: init again to reach S2 from S0.
        {"two traps", {{1, 2}, {-1, -1}, {-1, -1}}, 6, 2, 0},
        // S2 cannot be reached; S1's E1 goes past the last state, taken last.
        {"unreachable and past the last", {{1, -1}, {0, 5}, {0, 0}}, 5, 1, 2},
        // The far cells need walks back: 0 -> 1 -> 2, each of S2's cells back to 0.
        {"walks", {{1, 0, 0}, {2, 0, 0}, {0, 0, 0}}, 15, 1, 0},
    };
    for (const auto& c : cases) {
        CSTTable table("M", nullptr);
        makeTable(table, c.next);
        const CConformanceTour tour(table);
        expectSound(tour, c.label);
        EXPECT_EQ(tour.steps().size(), c.steps) << c.label;
        EXPECT_EQ(tour.initCount(), c.inits) << c.label;
        EXPECT_EQ(tour.untested().size(), c.untested) << c.label;
    }
}

TEST(ConformanceTour, StartsAgainOnlyWhereItMust) {
    CSTTable table("M", nullptr);
    makeTable(table, {{1, -1}, {0, 5}});
    const CConformanceTour tour(table);
    std::vector<TOUR_TEST_::Start> starts;
    for (const TOUR_TEST_& test : tour.tests())
        starts.push_back(test.start);
    // S0 E1 (stays), S0 E0 -> S1, S1 E0 -> S0, the walk back to S1, and
    // its step past the last state last: no init before the end.
    const std::vector<TOUR_TEST_::Start> expected = {TOUR_TEST_::kFirst, TOUR_TEST_::kGoOn, TOUR_TEST_::kGoOn,
                                                     TOUR_TEST_::kGoOn};
    EXPECT_EQ(starts, expected);
    EXPECT_EQ(tour.steps().back().next, 5);
}

TEST(ConformanceTour, RandomTablesAreToured) {
    std::mt19937 random(2718);
    for (int round = 0; round < 40; ++round) {
        const int states = 1 + static_cast<int>(random() % 12), events = 1 + static_cast<int>(random() % 6);
        std::vector<std::vector<int>> next(static_cast<size_t>(states));
        for (auto& row : next) {
            for (int e = 0; e < events; ++e)
                row.push_back(random() % 4 == 0 ? -1 : static_cast<int>(random() % (states + 1)));
        }
        CSTTable table("M", nullptr);
        makeTable(table, next);
        CConformanceTour tour(table);
        tour.addScenario("s", {0});
        const std::string label = "round " + std::to_string(round);
        expectSound(tour, label);
        // The parts, each from init, hold the same tests.
        for (int n = 1; n <= 3; ++n) {
            size_t cells = 0, untested = 0, scenarios = 0;
            for (int k = 1; k <= n; ++k) {
                const CConformanceTour part = tour.part(k, n);
                expectSound(part, label + " part " + std::to_string(k), false);
                if (!part.tests().empty()) {
                    EXPECT_NE(part.tests()[0].start, TOUR_TEST_::kGoOn) << label;
                }
                cells += part.cellTestCount();
                untested += part.untested().size();
                scenarios += part.tests().size() - part.cellTestCount();
            }
            EXPECT_EQ(cells, tour.cellTestCount()) << label;
            EXPECT_EQ(untested, tour.untested().size()) << label;
            EXPECT_EQ(scenarios, 1u) << label;
        }
    }
}

TEST(ConformanceCWriter, WritesLiteralsEveryC89CompilerTakes) {
    const struct {
        std::string text, literal;
    } cases[] = {
        {"OFF", "\"OFF\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"?\?=", "\"\\?\\?=\""},  // no trigraph
        {"\xc3\xa9"
         "1",
         "\"\\303\\2511\""},  // three octal digits: the 1 stays a character
        {std::string("\t\n", 2), "\"\\011\\012\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CConformanceCWriter::literal(c.text), c.literal);
}

TEST(ConformanceCWriter, NamesTheSymbolAnActionWouldClashWith) {
    const struct {
        const char* action;
        const char* clash;
    } cases[] = {
        {"main", "main"},
        {"putchar", "putchar"},
        {"Lamp_conformance", "Lamp_conformance"},
        {"pelktest_called", "the prefix pelktest_"},
        {"PELKTEST_PUTCHAR", "the prefix pelktest_"},
        {"LampOn", ""},
        {"pelktes", ""},
        {"Door_conformance", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CConformanceCWriter::clash(c.action, "Lamp"), c.clash) << c.action;
}

}  // namespace
