#include "codegen/generated_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A cell routine is read back only in the form cellRoutine() writes: the
// machine name, "_on", the event and "at" the state in plain decimal.
TEST(GeneratedNames, ReadsACellRoutineOnlyAsItIsWritten) {
    const struct {
        const char* symbol;
        int event, state;  // -1: no cell routine
    } rows[] = {
        {"Foo_on0at0", 0, 0},
        {"Foo_on10at255", 10, 255},
        {"Foo_on123456789at1", 123456789, 1},
        {"Foo_on1234567890at1", -1, -1},  // more digits than any table has
        {"Foo_on01at1", -1, -1},
        {"Foo_on1at00", -1, -1},
        {"Foo_onat1", -1, -1},
        {"Foo_on1at", -1, -1},
        {"Foo_on1", -1, -1},
        {"Foo_on-1at1", -1, -1},
        {"Foo_on1at1x", -1, -1},
        {"foo_on1at1", -1, -1},
        {"Fo_on1at1", -1, -1},
    };
    const CGeneratedNames names("Foo");
    for (const auto& row : rows) {
        int event = -7;
        int state = -7;
        const bool cell = names.isCellRoutine(row.symbol, event, state);
        EXPECT_EQ(cell, row.event >= 0) << row.symbol;
        if (cell) {
            EXPECT_EQ(event, row.event) << row.symbol;
            EXPECT_EQ(state, row.state) << row.symbol;
            EXPECT_EQ(names.cellRoutine(event, state), row.symbol);
        }
    }
}

}  // namespace
