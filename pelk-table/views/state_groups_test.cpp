// The choice of groups of states, one row per rule, and their names.
#include "pelk-table/views/state_groups.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// One outcome given to a set of states: "2-5,8" for states 2, 3, 4, 5 and 8;
// next -1 for none.
struct PLANT_ {
    const char* states;
    int event;
    int next;
    const char* action;
};

std::vector<int> statesOf(const std::string& text) {
    std::vector<int> states;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(',', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(pos, end - pos);
        const size_t dash = part.find('-');
        const int first = std::stoi(part.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(part.substr(dash + 1));
        for (int s = first; s <= last; ++s)
            states.push_back(s);
        pos = end + 1;
    }
    return states;
}

// "1-8 E0>0/LogTmo" for each group, "(in N)" for the one around it.
std::string describe(const CStateGroups& found) {
    std::string text;
    for (const STATE_GROUP_& group : found.groups()) {
        std::string states;
        for (size_t i = 0; i < group.states.size(); ++i) {
            size_t j = i;
            while (j + 1 < group.states.size() && group.states[j + 1] == group.states[j] + 1)
                ++j;
            states += (states.empty() ? "" : ",") + std::to_string(group.states[i]) +
                      (j > i ? "-" + std::to_string(group.states[j]) : "");
            i = j;
        }
        text += (text.empty() ? "" : " ") + states;
        for (const auto& shared : group.shared) {
            text += " E" + std::to_string(shared.first) + ">" +
                    (shared.second.next < 0 ? std::string("-") : std::to_string(shared.second.next));
            for (const std::string& action : shared.second.actions)
                text += "/" + action;
        }
        if (group.parent >= 0)
            text += " (in " + std::to_string(group.parent) + ")";
        text += ";";
    }
    return text;
}

struct GroupRow {
    const char* why;
    int states;
    int events;
    std::vector<PLANT_> plants;
    const char* groups;
};

class GroupChoiceTest : public ::testing::TestWithParam<GroupRow> {};

TEST_P(GroupChoiceTest, ChoosesLaminarGroupsThatSaveArrows) {
    const GroupRow& row = GetParam();
    std::vector<CELL_OUTCOME_> cells(static_cast<size_t>(row.states * row.events));
    for (const PLANT_& plant : row.plants) {
        for (int s : statesOf(plant.states)) {
            CELL_OUTCOME_& cell = cells[static_cast<size_t>(s * row.events + plant.event)];
            cell.next = plant.next;
            cell.actions = {plant.action};
        }
    }
    const std::vector<bool> elsewhere(cells.size(), false);
    EXPECT_EQ(describe(CStateGroups(row.states, row.events, cells, elsewhere)), row.groups) << row.why;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GroupChoiceTest,
    ::testing::Values(
        GroupRow{"three states that share a transition are a group", 5, 1, {{"1-3", 0, 0, "Tmo"}}, "1-3 E0>0/Tmo;"},
        GroupRow{"two states are not", 5, 1, {{"1-2", 0, 0, "Tmo"}}, ""},
        GroupRow{"eight share a timeout, five of them a restart: one box inside the other",
                 10,
                 2,
                 {{"1-8", 0, 0, "LogTmo"}, {"1-4,8", 1, 1, "Restart"}},
                 "1-8 E0>0/LogTmo; 1-4,8 E1>1/Restart (in 0);"},
        GroupRow{"sets that cross are cut to nest: the larger saving first, the rest beside it",
                 12,
                 2,
                 {{"0-7", 0, 11, "A"}, {"4-10", 1, 11, "B"}},
                 "0-7 E0>11/A; 4-7 E1>11/B (in 0); 8-10 E1>11/B;"},
        GroupRow{"a group saves no arrow when its states keep one to the same state: none",
                 4,
                 2,
                 {{"0-3", 0, 3, "A"}, {"0", 1, 3, "B"}, {"1", 1, 3, "C"}, {"2", 1, 3, "D"}, {"3", 1, 3, "E"}},
                 ""},
        GroupRow{"cells without transition make a group too, drawn once in the box",
                 4,
                 1,
                 {{"0-2", 0, -1, "Tick"}},
                 "0-2 E0>-/Tick;"},
        GroupRow{"a next state past the last is never grouped", 3, 1, {{"0-2", 0, 7, "A"}}, ""},
        GroupRow{"of two equal savings, the states that lie together win, though the other starts first",
                 9,
                 2,
                 {{"0,4,8", 0, 1, "A"}, {"2-4", 1, 0, "B"}},
                 "2-4 E1>0/B;"},
        GroupRow{"the outcomes all states of a group share go with it",
                 6,
                 3,
                 {{"0-5", 0, 0, "A"}, {"0-5", 1, 1, "B"}, {"0-5", 2, -1, "C"}},
                 "0-5 E0>0/A E1>1/B E2>-/C;"}));

TEST(GroupChoice, CellsDrawnElsewhereAreLeftOut) {
    std::vector<CELL_OUTCOME_> cells(4);
    for (CELL_OUTCOME_& cell : cells) {
        cell.next = 0;
        cell.actions = {"Reset"};
    }
    EXPECT_EQ(describe(CStateGroups(4, 1, cells, std::vector<bool>(4, false))), "0-3 E0>0/Reset;");
    EXPECT_EQ(describe(CStateGroups(4, 1, cells, {true, false, false, true})), "");
}

struct NameRow {
    std::vector<std::string> names;
    const char* name;
};

class GroupNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(GroupNameTest, PrefixOrFirstAndLast) {
    EXPECT_EQ(CStateGroups::name(GetParam().names), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Rows, GroupNameTest,
                         ::testing::Values(NameRow{{"RX_ADDR", "RX_LEN", "RX_DATA"}, "RX_"},
                                           NameRow{{"BIT0", "BIT1", "BIT7"}, "BIT"},
                                           NameRow{{"MENU_1_DATE", "MENU_1_TIME", "MENU_1_ZONE"}, "MENU_1_"},
                                           NameRow{{"MENU_10_A", "MENU_11_B", "MENU_12_C"}, "MENU_"},
                                           NameRow{{"GOT_STX", "RX_ADDR", "WAIT_ETX"}, "GOT_STX \u2026 WAIT_ETX"},
                                           NameRow{{"A_X", "A_Y", "A_Z"}, "A_X \u2026 A_Z"},
                                           NameRow{{"RX", "RX_A", "RX_B"}, "RX \u2026 RX_B"},
                                           NameRow{{"SETTINGS", "SETUP", "SET"}, "SETTINGS \u2026 SET"},
                                           NameRow{{"STATE12", "STATE13", "STATE2"}, "STATE"}));

TEST(GroupName, GroupsOfOneNameAreToldApart) {
    const std::vector<std::string> eight{"GOT_STX", "RX_A", "RX_B", "RX_C", "RX_D", "RX_E", "RX_F", "WAIT_ETX"};
    const std::vector<std::string> five{"GOT_STX", "RX_A", "RX_B", "RX_C", "WAIT_ETX"};
    const std::vector<std::string> otherFive{"GOT_STX", "RX_D", "RX_E", "RX_F", "WAIT_ETX"};
    EXPECT_EQ(
        CStateGroups::names({eight, five, {"RX_A", "RX_B", "RX_C"}}),
        (std::vector<std::string>{"GOT_STX \u2026 WAIT_ETX (8 states)", "GOT_STX \u2026 WAIT_ETX (5 states)", "RX_"}));
    EXPECT_EQ(
        CStateGroups::names({five, otherFive}),
        (std::vector<std::string>{"GOT_STX \u2026 WAIT_ETX (5 states) #1", "GOT_STX \u2026 WAIT_ETX (5 states) #2"}));
}

}  // namespace
