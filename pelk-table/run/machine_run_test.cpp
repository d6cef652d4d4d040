#include "pelk-table/run/machine_run.h"

#include <gtest/gtest.h>

#include "tests/support/lamp_table.h"

namespace {

TEST(MachineRun, StepsAsTheGeneratedMachine) {
    CSTTable table("M", nullptr);
    fillEdgeCases(table);
    const struct {
        int state, event;
        bool transition;
        int next;
        std::vector<std::string> actions;
    } cases[] = {
        {0, 0, true, 1, {"X", "Y"}},  // next state, actions in order, no-op dropped
        {0, 1, false, 0, {}},         // no transition keeps the state; "*" calls nothing
        {1, 0, false, 1, {}},
        {1, 1, true, 7, {"Z"}},  // past the last state: stored as the machine does
    };
    for (const auto& c : cases) {
        const RUN_STEP_ step = CMachineRun::step(table, c.state, c.event);
        EXPECT_EQ(step.transition, c.transition) << c.state << "," << c.event;
        EXPECT_EQ(step.next, c.next) << c.state << "," << c.event;
        EXPECT_EQ(step.actions, c.actions) << c.state << "," << c.event;
    }

    CMachineRun run(table, 0);
    run.take(1);
    run.take(0);
    EXPECT_TRUE(run.stateValid());
    EXPECT_EQ(run.take(1).step, 3);
    EXPECT_EQ(run.state(), 7);
    EXPECT_FALSE(run.stateValid());
}

}  // namespace

namespace {

// What the generated machine does past its states: nothing to say inside
// them, the vector table below 256, the one-byte state from 256 on.
TEST(MachineRun, StopReasonSaysWhatTheGeneratedCodeDoes) {
    CSTTable table("M", nullptr);
    fillEdgeCases(table);
    const struct {
        int next;
        std::string reason;  // a part of it; empty: no reason at all
    } cases[] = {
        {-1, ""},
        {1, ""},
        {2, "stores 2 and its next event calls through an entry past the end of its vector table"},
        {255, "stores 255 and"},
        {256, "the C targets store 0 (256 mod 256) and go on in state 0 'A'; the assemblers refuse 'mov a,#256'"},
        {300, "store 44 (300 mod 256) and go on in state 44, past the last state, too"},
        {2147483647, "store 255 (2147483647 mod 256)"},
    };
    for (const auto& c : cases) {
        const std::string reason = CMachineRun::stopReason(table, c.next);
        if (c.reason.empty())
            EXPECT_EQ(reason, "") << c.next;
        else
            EXPECT_NE(reason.find(c.reason), std::string::npos) << c.next << ": " << reason;
    }
}

}  // namespace
