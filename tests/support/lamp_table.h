#ifndef PELK_TESTS_SUPPORT_LAMP_TABLE_H
#define PELK_TESTS_SUPPORT_LAMP_TABLE_H

#include "table/st_table.h"

/// Fills table with the lamp of examples/lamp.tsv: PUSH toggles OFF and ON
/// (calling LampOn and LampOff); TICK makes no transition, with the no-op
/// "-" in OFF and no action in ON.
inline void fillLamp(CSTTable& table) {
    table.appendEvent("PUSH");
    table.appendEvent("TICK");
    table.appendState({"OFF", {{0, 1, {"LampOn"}}, {1, -1, {"-"}}}});
    table.appendState({"ON", {{0, 0, {"LampOff"}}, {1, -1, {}}}});
}

/// Fills table with a machine of edge cases: events "1" and GO; in A, "1"
/// goes to B calling X, "-", Y, and GO stays with "*"; in B, "1" has no
/// transition and GO goes to 7, past the last state.
inline void fillEdgeCases(CSTTable& table) {
    table.appendEvent("1");
    table.appendEvent("GO");
    table.appendState({"A", {{0, 1, {"X", "-", "Y"}}, {1, -1, {"*"}}}});
    table.appendState({"B", {{0, -1, {}}, {1, 7, {"Z"}}}});
}

#endif
