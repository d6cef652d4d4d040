#include "pelk-table/diff/table_diff.h"

#include <gtest/gtest.h>

#include "table/st_table.h"

namespace {

TEST(TableDiffTest, FindingKeysLeaveOutCellsAndTheNumbersOfNamedStatesAndEvents) {
    const struct {
        const char* message;
        const char* key;
    } cases[] = {
        {"state 3 'DIM' cannot be reached from state 0 (cell A5)", "state 'DIM' cannot be reached from state 0"},
        {"event 12 'TICK' does nothing in any state: no transition, no action (cell D1)",
         "event 'TICK' does nothing in any state: no transition, no action"},
        {"next state 5 of state 'ON', event 'PUSH' is past the last state, 2 (cell C3)",
         "next state 5 of state 'ON', event 'PUSH' is past the last state, 2"},
        {"no transition leaves state 2 'OFF'", "no transition leaves state 'OFF'"},
        {"the machine name (cell)", "the machine name (cell)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.key, CTableDiff::findingKey(c.message)) << c.message;
}

TEST(TableDiffTest, CellTextsNameTheNextStateAndTheCalls) {
    CELL_MEANING_ cell;
    EXPECT_EQ("-", CTableDiff::cellText(cell));
    cell.actions = {"Beep"};
    EXPECT_EQ("- / Beep", CTableDiff::cellText(cell));
    cell.next = 2;
    cell.nextName = "IDLE";
    cell.nextLabel = "IDLE";
    cell.actions.push_back("LampOff");
    EXPECT_EQ("\u2192 IDLE / Beep, LampOff", CTableDiff::cellText(cell));
    cell.next = 7;
    cell.nextName.clear();
    cell.nextLabel = "#7";
    cell.actions.clear();
    EXPECT_EQ("\u2192 #7", CTableDiff::cellText(cell));
}

}  // namespace
