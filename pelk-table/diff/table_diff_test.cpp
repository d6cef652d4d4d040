#include "pelk-table/diff/table_diff.h"

#include <gtest/gtest.h>

#include "table/st_table.h"

namespace {

FINDING_ finding(CHECK_ID_ check, MESSAGE_ID_ message, int state, const char* stateName, int event,
                 const char* eventName, const char* action = "") {
    FINDING_ made;
    made.id = check;
    made.message.id = message;
    made.message.arguments.push_back(ARGUMENT_::ofState(state, stateName));
    made.subject = {state, stateName, event, eventName, action};
    made.place.line = state + 2;
    return made;
}

TEST(TableDiffTest, FindingsAreTheSameByCheckMessageAndNamesAlone) {
    const FINDING_ unreachable = finding(kCheckUnreachableState, kMessageUnreachableState, 3, "DIM", -1, "");
    const struct {
        FINDING_ other;
        bool same;
    } cases[] = {
        {finding(kCheckUnreachableState, kMessageUnreachableState, 7, "DIM", -1, ""), true},  // renumbered
        {finding(kCheckUnreachableState, kMessageUnreachableState, 3, "DIMMED", -1, ""), false},
        {finding(kCheckTrapState, kMessageTrapState, 3, "DIM", -1, ""), false},
        {finding(kCheckUnreachableState, kMessageUnreachableState, 3, "DIM", 0, "PUSH"), false},
        {finding(kCheckUnreachableState, kMessageUnreachableState, 3, "DIM", -1, "", "Beep"), false},
        // Names that run together stay apart.
        {finding(kCheckUnreachableState, kMessageUnreachableState, 3, "DI", -1, "M"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTableDiff::findingKey(unreachable) == CTableDiff::findingKey(c.other), c.same)
            << c.other.subject.stateName << "/" << c.other.subject.eventName << "/" << c.other.subject.action;
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
