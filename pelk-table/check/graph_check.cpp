#include "pelk-table/check/graph_check.h"

#include <string>

#include "pelk-table/check/check_context.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"

namespace {

typedef CCheckContext C;

// What the target makes of a next state its one-byte state cannot hold.
std::string overflow(const CCheckContext& context, int s, int e, int next) {
    const CSTTable& table = context.model.table();
    const TARGET_& target = context.symbols.target();
    const std::string n = std::to_string(next);
    std::string text = "next state " + n + " of state " + C::quoted(table.stateName(s)) + ", event " +
                       C::quoted(table.eventName(e)) + " does not fit the machine's one-byte state: ";
    if (target.isAssembler)
        return text + "the " + target.title + " refuses 'mov a,#" + n + "', an 8-bit immediate";
    const int stored = static_cast<int>(static_cast<unsigned>(next) & 0xFFu);
    const std::string kept = std::to_string(stored);
    return text + "the generated C stores " + kept + " (" + n + " mod 256) in its unsigned char state and goes on " +
           "in state " + kept +
           (stored < table.stateCount() ? " " + C::quoted(table.stateName(stored))
                                        : std::string(", which is past the last state, too"));
}

}  // namespace

std::vector<bool> CGraphCheck::reachable(const CSTTable& table) {
    const int states = table.stateCount();
    std::vector<bool> reached(static_cast<size_t>(states), false);
    if (states == 0)
        return reached;
    std::vector<int> pending{0};
    reached[0] = true;
    while (!pending.empty()) {
        const int s = pending.back();
        pending.pop_back();
        for (int e = 0; e < table.eventCount(); ++e) {
            const int next = table.nextState(e, s);
            if (next >= 0 && next < states && !reached[static_cast<size_t>(next)]) {
                reached[static_cast<size_t>(next)] = true;
                pending.push_back(next);
            }
        }
    }
    return reached;
}

bool CGraphCheck::isTrap(const CSTTable& table, int s) {
    for (int e = 0; e < table.eventCount(); ++e) {
        const int next = table.nextState(e, s);
        if (next >= 0 && next != s)
            return false;
    }
    return true;
}

bool CGraphCheck::isUnused(const CSTTable& table, int e) {
    for (int s = 0; s < table.stateCount(); ++s) {
        if (CTableRules::outcome(table, s, e).doesSomething())
            return false;
    }
    return true;
}

void CGraphCheck::run(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CSTTable& table = model.table();
    const int states = table.stateCount();
    const int events = table.eventCount();
    if (states == 0 || events == 0) {
        const TABLE_LAYOUT_& layout = model.layout();
        context.add(kCheckEmptyMachine, model.place(layout.headerRecord, layout.keyColumn),
                    states == 0 ? std::string("the table has no states, only its header: the generated machine has an "
                                              "empty vector table, which is no valid program")
                                : "the header names no event after START and the column of the state numbers: the "
                                  "generated machine has no cells and an empty vector table, which is no valid "
                                  "program");
    }
    for (int s = 0; s < states; ++s) {
        for (int e = 0; e < events; ++e) {
            const int next = table.nextState(e, s);
            if (next < states && next >= -1)
                continue;
            if (next < 0 || next > 255) {
                context.add(kCheckNextStateOverflow, model.cellPlace(s, e), overflow(context, s, e, next));
                continue;
            }
            context.add(kCheckNextStateRange, model.cellPlace(s, e),
                        "next state " + std::to_string(next) + " of state " + C::quoted(table.stateName(s)) +
                            ", event " + C::quoted(table.eventName(e)) + " is past the last state, " +
                            std::to_string(states - 1) + ": the generated machine stores " + std::to_string(next) +
                            " and its next event jumps through the vector table past its end");
        }
    }
    const std::vector<bool> reached = reachable(table);
    for (int s = 1; s < states; ++s) {
        if (!reached[static_cast<size_t>(s)])
            context.add(
                kCheckUnreachableState, model.stateNamePlace(s),
                "state " + std::to_string(s) + " " + C::quoted(table.stateName(s)) + " cannot be reached from state 0");
    }
    if (events > 0) {
        for (int s = 0; s < states; ++s) {
            if (!isTrap(table, s))
                continue;
            FINDING_& finding =
                context.add(kCheckTrapState, model.stateNamePlace(s),
                            "no transition leaves state " + std::to_string(s) + " " + C::quoted(table.stateName(s)));
            C::note(finding, model.stateNamePlace(s), "intended as a final state?");
        }
    }
    if (states > 0) {
        for (int e = 0; e < events; ++e) {
            if (isUnused(table, e))
                context.add(kCheckUnusedEvent, model.eventPlace(e),
                            "event " + std::to_string(e) + " " + C::quoted(table.eventName(e)) +
                                " does nothing in any state: no transition, no action");
        }
    }
}
