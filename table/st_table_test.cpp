#include "table/st_table.h"

#include <gtest/gtest.h>

#include "tests/support/lamp_table.h"

namespace {

TEST(STTable, StartsEmptyWithNamesCopied) {
    std::string name = "Lamp";
    CSTTable table(name.c_str(), nullptr);
    name = "changed";
    EXPECT_EQ(table.machineName(), "Lamp");
    EXPECT_EQ(table.contextFile(), "");
    EXPECT_EQ(table.stateCount(), 0);
    EXPECT_EQ(table.eventCount(), 0);
    EXPECT_EQ(table.nextState(0, 0), -1);
    EXPECT_EQ(table.cellActions(0, 0), nullptr);

    CSTTable withContext("Lamp", "lampact.inc");
    EXPECT_EQ(withContext.contextFile(), "lampact.inc");
}

TEST(STTable, AccessorsGiveEmptyMinusOneOrNullOutOfRange) {
    CSTTable table("Lamp", nullptr);
    fillLamp(table);
    EXPECT_EQ(table.stateName(-1), "");
    EXPECT_EQ(table.stateName(2), "");
    EXPECT_EQ(table.stateName(1), "ON");
    EXPECT_EQ(table.eventName(table.eventCount()), "");
    EXPECT_EQ(table.eventName(-1), "");
    EXPECT_EQ(table.eventName(1), "TICK");

    const struct { int e, s; } outside[] = {{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {-1, -1}};
    for (const auto& index : outside) {
        EXPECT_EQ(table.nextState(index.e, index.s), -1) << index.e << "," << index.s;
        EXPECT_EQ(table.cellActions(index.e, index.s), nullptr) << index.e << "," << index.s;
    }
}

TEST(STTable, CellsAreIndexedEventFirst) {
    CSTTable table("Lamp", nullptr);
    fillLamp(table);
    EXPECT_EQ(table.nextState(0, 0), 1);
    EXPECT_EQ(table.nextState(1, 0), -1);
    EXPECT_EQ(table.nextState(0, 1), 0);
    EXPECT_EQ(table.nextState(1, 1), -1);
    ASSERT_NE(table.cellActions(1, 0), nullptr);
    EXPECT_EQ(*table.cellActions(1, 0), std::vector<std::string>{"-"});
    ASSERT_NE(table.cellActions(0, 1), nullptr);
    EXPECT_EQ(*table.cellActions(0, 1), std::vector<std::string>{"LampOff"});
    ASSERT_NE(table.cellActions(1, 1), nullptr);
    EXPECT_TRUE(table.cellActions(1, 1)->empty());
}

TEST(STTable, NopMarkersAreExactlyDashAndStar) {
    CSTTable table("Lamp", nullptr);
    EXPECT_TRUE(table.isNopAction("-"));
    EXPECT_TRUE(table.isNopAction("*"));
    for (const char* other : {"nop", "", "--", "**", " -", "NOP"})
        EXPECT_FALSE(table.isNopAction(other)) << other;
}

TEST(STTable, MissingCellOfATableBuiltInCodeReadsAsOutOfRange) {
    CSTTable table("M", nullptr);
    table.appendEvent("A");
    table.appendEvent("B");
    table.appendState({"S", {{0, 99, {}}}});
    EXPECT_EQ(table.nextState(1, 0), -1);
    EXPECT_EQ(table.cellActions(1, 0), nullptr);
    // A next state past the last one is kept as written; it has no name.
    EXPECT_EQ(table.nextState(0, 0), 99);
    EXPECT_EQ(table.stateName(table.nextState(0, 0)), "");
}

}  // namespace
