#include "pelk-table/model/table_rules.h"

#include <gtest/gtest.h>

#include "table/st_table.h"
#include "tests/support/lamp_table.h"

namespace {

TEST(TableRules, OutcomeLeavesTheMarkersOut) {
    CSTTable table("M", nullptr);
    fillEdgeCases(table);
    const struct {
        int state, event, next;
        std::vector<std::string> actions;
        bool doesSomething;
    } cases[] = {
        {0, 0, 1, {"X", "Y"}, true},                          // "-" between two actions calls nothing
        {0, 1, -1, {}, false},                                // "*" alone: no transition, nothing called
        {1, 0, -1, {}, false},       {1, 1, 7, {"Z"}, true},  // past the last state: named as the cell names it
        {2, 0, -1, {}, false},                                // no such cell
        {0, 2, -1, {}, false},
    };
    for (const auto& c : cases) {
        const CELL_OUTCOME_ outcome = CTableRules::outcome(table, c.state, c.event);
        EXPECT_EQ(outcome.next, c.next) << c.state << "," << c.event;
        EXPECT_EQ(outcome.actions, c.actions) << c.state << "," << c.event;
        EXPECT_EQ(outcome.doesSomething(), c.doesSomething) << c.state << "," << c.event;
    }
}

TEST(TableRules, FindsNamesBeforeNumbers) {
    CSTTable table("M", nullptr);
    fillEdgeCases(table);
    const struct {
        std::string text;
        int event, state;
    } cases[] = {
        {"1", 0, 1},  // the event named "1"; state 1 by number
        {"0", 0, 0},  {"GO", 1, -1},           {"B", -1, 1}, {"b", -1, -1},  {"2", -1, -1},  {"-1", -1, -1},
        {"", -1, -1}, {"99999999999", -1, -1}, {"01", 1, 1}, {" 1", -1, -1}, {"1 ", -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CTableRules::findEvent(table, c.text), c.event) << c.text;
        EXPECT_EQ(CTableRules::findState(table, c.text), c.state) << c.text;
    }
}

TEST(TableRules, LabelsAndCellNames) {
    CSTTable table("M", nullptr);
    fillEdgeCases(table);
    EXPECT_EQ(CTableRules::stateLabel(table, 1), "B");
    EXPECT_EQ(CTableRules::stateLabel(table, 7), "#7");
    EXPECT_EQ(CTableRules::stateLabel(table, 2), "#2");
    const struct {
        int row, column;
        const char* name;
    } cells[] = {{0, 0, "A1"},
                 {2, 2, "C3"},
                 {9, 25, "Z10"},
                 {0, 26, "AA1"},
                 {0, 701, "ZZ1"},
                 {0, 702, "AAA1"},
                 {1048575, 16383, "XFD1048576"}};
    for (const auto& c : cells)
        EXPECT_EQ(CTableRules::cellName(c.row, c.column), c.name);
}

}  // namespace
