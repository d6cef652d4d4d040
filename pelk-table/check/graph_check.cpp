#include "pelk-table/check/graph_check.h"

#include <string>

#include "pelk-table/check/check_context.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"

namespace {

// The next state, the state and the event of a cell, as its messages begin.
std::vector<ARGUMENT_> cellArguments(const CSTTable& table, int s, int e, int next) {
    return {ARGUMENT_::ofNumber(next), ARGUMENT_::ofName(table.stateName(s)), ARGUMENT_::ofName(table.eventName(e))};
}

// What the target makes of a next state its one-byte state cannot hold.
MESSAGE_ overflow(const CCheckContext& context, int s, int e, int next) {
    const CSTTable& table = context.model.table();
    const TARGET_& target = context.symbols.target();
    MESSAGE_ message{kMessageOverflowInAssembler, cellArguments(table, s, e, next)};
    if (target.isAssembler) {
        message.arguments.push_back(ARGUMENT_::ofText(target.title));
        return message;
    }
    const int stored = static_cast<int>(static_cast<unsigned>(next) & 0xFFu);
    message.arguments.push_back(ARGUMENT_::ofNumber(stored));
    message.id = kMessageOverflowInCPastTheLast;
    if (stored < table.stateCount()) {
        message.id = kMessageOverflowInC;
        message.arguments.push_back(ARGUMENT_::ofName(table.stateName(stored)));
    }
    return message;
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
                    {states == 0 ? kMessageNoStates : kMessageNoEvents, {}});
    }
    for (int s = 0; s < states; ++s) {
        for (int e = 0; e < events; ++e) {
            const int next = table.nextState(e, s);
            if (next < states && next >= -1)
                continue;
            if (next < 0 || next > 255) {
                context.add(kCheckNextStateOverflow, model.cellPlace(s, e), overflow(context, s, e, next),
                            context.cellSubject(s, e));
                continue;
            }
            MESSAGE_ message{kMessageNextStatePastTheLast, cellArguments(table, s, e, next)};
            message.arguments.push_back(ARGUMENT_::ofNumber(states - 1));
            context.add(kCheckNextStateRange, model.cellPlace(s, e), std::move(message), context.cellSubject(s, e));
        }
    }
    const std::vector<bool> reached = reachable(table);
    for (int s = 1; s < states; ++s) {
        if (!reached[static_cast<size_t>(s)])
            context.add(kCheckUnreachableState, model.stateNamePlace(s), {kMessageUnreachableState, {context.state(s)}},
                        context.stateSubject(s));
    }
    if (events > 0) {
        for (int s = 0; s < states; ++s) {
            if (!isTrap(table, s))
                continue;
            FINDING_& finding = context.add(kCheckTrapState, model.stateNamePlace(s),
                                            {kMessageTrapState, {context.state(s)}}, context.stateSubject(s));
            CCheckContext::note(finding, model.stateNamePlace(s), {kMessageFinalState, {}});
        }
    }
    if (states > 0) {
        for (int e = 0; e < events; ++e) {
            if (isUnused(table, e))
                context.add(kCheckUnusedEvent, model.eventPlace(e), {kMessageUnusedEvent, {context.event(e)}},
                            context.eventSubject(e));
        }
    }
}
