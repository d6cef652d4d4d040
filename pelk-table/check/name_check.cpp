#include "pelk-table/check/name_check.h"

#include <map>
#include <set>
#include <string>

#include "codegen/generated_names.h"
#include "pelk-table/check/check_context.h"
#include "pelk-table/model/table_model.h"

namespace {

const CHECK_ID_ kDuplicate = kCheckDuplicateName;
const CHECK_ID_ kIdentifier = kCheckInvalidIdentifier;
const CHECK_ID_ kCollision = kCheckSymbolCollision;

// One name of the table and where it stands.
struct NAME_ {
    const char* kind;  // "state", "event", "action"
    int index;         // state or event number; -1 for an action
    std::string name;
    PLACE_ place;
    SUBJECT_ subject;
};

std::vector<NAME_> statesAndEvents(const CCheckContext& context) {
    std::vector<NAME_> names;
    const CTableModel& model = context.model;
    const CSTTable& table = model.table();
    // The name of a state whose record pelk refuses is no name at all.
    for (int s = 0; s < table.stateCount(); ++s) {
        if (!model.recordHasProblem(model.layout().stateRecords[static_cast<size_t>(s)]))
            names.push_back({"state", s, table.stateName(s), model.stateNamePlace(s), context.stateSubject(s)});
    }
    for (int e = 0; e < table.eventCount(); ++e)
        names.push_back({"event", e, table.eventName(e), model.eventPlace(e), context.eventSubject(e)});
    return names;
}

// Every action once, at the first cell that calls it; no-operations left out.
std::vector<NAME_> actions(const CTableModel& model) {
    std::vector<NAME_> names;
    std::set<std::string> seen;
    const CSTTable& table = model.table();
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            for (const std::string& action : *table.cellActions(e, s)) {
                if (!table.isNopAction(action) && seen.insert(action).second)
                    names.push_back(
                        {"action", -1, action, model.actionPlace(s, e, action), CCheckContext::actionSubject(action)});
            }
        }
    }
    return names;
}

// The name as a message speaks of it: "state 3 'NAME'", "action 'NAME'".
ARGUMENT_ title(const NAME_& name) {
    if (name.index < 0)
        return ARGUMENT_::ofAction(name.name);
    return name.kind[0] == 's' ? ARGUMENT_::ofState(name.index, name.name) : ARGUMENT_::ofEvent(name.index, name.name);
}

ARGUMENT_ quoted(const std::string& name) {
    return ARGUMENT_::ofName(name);
}

ARGUMENT_ text(const std::string& words) {
    return ARGUMENT_::ofText(words);
}

}  // namespace

static void checkDuplicates(CCheckContext& context) {
    std::map<std::string, NAME_> first[2];  // states, events
    for (const NAME_& name : statesAndEvents(context)) {
        std::map<std::string, NAME_>& seen = first[name.kind[0] == 'e'];
        const std::string constant = context.symbols.constantName(name.name);
        const auto found = seen.find(constant);
        if (found == seen.end()) {
            seen.emplace(constant, name);
            continue;
        }
        const bool exact = found->second.name == name.name;
        FINDING_& finding =
            context.add(kDuplicate, name.place,
                        {exact ? kMessageDuplicateName : kMessageDuplicateNameInCapitals,
                         {title(name), text(name.kind), ARGUMENT_::ofNumber(found->second.index), quoted(constant)}},
                        name.subject);
        CCheckContext::note(finding, found->second.place, {kMessageFirstOfThatName, {text(name.kind)}});
    }
}

static void checkIdentifiers(CCheckContext& context) {
    const CTargetSymbols& symbols = context.symbols;
    const std::string target = symbols.target().title;
    std::vector<NAME_> names = statesAndEvents(context);
    const std::vector<NAME_> called = actions(context.model);
    names.insert(names.end(), called.begin(), called.end());
    for (const NAME_& name : names) {
        // States and events become constants, actions stay as written.
        const bool constant = name.index >= 0;
        const std::string symbol = constant ? symbols.constantName(name.name) : name.name;
        const std::string why = symbols.whyInvalid(symbol);
        if (why.empty())
            continue;
        if (symbol == name.name)
            context.add(kIdentifier, name.place, {kMessageInvalidIdentifier, {title(name), text(target), text(why)}},
                        name.subject);
        else
            context.add(kIdentifier, name.place,
                        {kMessageInvalidIdentifierWritten, {title(name), quoted(symbol), text(target), text(why)}},
                        name.subject);
    }
    const std::string& machine = context.model.table().machineName();
    if (!context.machineNameGiven)
        return;
    // The machine name begins the generated routine names and the file names.
    const std::string routine = CGeneratedNames(machine).fsmFunction();
    const std::string why = machine.empty() ? "is empty" : symbols.whyInvalid(routine);
    if (!why.empty())
        context.add(kIdentifier, PLACE_(),
                    {kMessageInvalidMachineName, {quoted(machine), text(target), quoted(routine), text(why)}});
}

static void checkCollisions(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CTargetSymbols& symbols = context.symbols;
    const int states = model.table().stateCount();
    const int events = model.table().eventCount();
    const std::vector<NAME_> constants = statesAndEvents(context);
    const std::vector<NAME_> called = actions(model);

    // Generated symbols, against every name.
    if (context.machineNameGiven) {
        for (const std::vector<NAME_>* list : {&constants, &called}) {
            for (const NAME_& name : *list) {
                const bool constant = name.index >= 0;
                const std::string symbol = constant ? symbols.constantName(name.name) : name.name;
                const std::string what = symbols.generatedSymbol(symbol, states, events);
                if (!what.empty())
                    context.add(kCollision, name.place, {kMessageGeneratedSymbol, {title(name), text(what)}},
                                name.subject);
            }
        }
    }
    // A state and an event of one name define one constant twice.
    std::map<std::string, NAME_> stateConstants;
    for (const NAME_& name : constants) {
        const std::string constant = symbols.constantName(name.name);
        if (name.kind[0] == 's') {
            stateConstants.emplace(constant, name);
            continue;
        }
        const auto found = stateConstants.find(constant);
        if (found == stateConstants.end())
            continue;
        FINDING_& finding = context.add(
            kCollision, name.place,
            {kMessageStateAndEventConstant, {title(name), quoted(constant), ARGUMENT_::ofNumber(found->second.index)}},
            name.subject);
        CCheckContext::note(finding, found->second.place, {kMessageOfThatName, {text("state")}});
    }
    // An action called like a constant calls the constant's number.
    std::map<std::string, NAME_> allConstants;
    for (const NAME_& name : constants)
        allConstants.emplace(symbols.constantName(name.name), name);
    for (const NAME_& action : called) {
        const auto found = allConstants.find(action.name);
        if (found == allConstants.end())
            continue;
        FINDING_& finding =
            context.add(kCollision, action.place, {kMessageActionLikeConstant, {title(action), title(found->second)}},
                        action.subject);
        CCheckContext::note(finding, found->second.place, {kMessageOfThatName, {text(found->second.kind)}});
    }
}

static void checkRowSize(CCheckContext& context) {
    const CTargetSymbols& symbols = context.symbols;
    const int events = context.model.table().eventCount();
    const int most = CTargetSymbols::kMaxAssemblerEvents;
    if (!symbols.target().isAssembler || events <= most)
        return;
    context.add(kCheckAsmRowSize, context.model.eventPlace(most),
                {kMessageAsmRowSize,
                 {ARGUMENT_::ofNumber(events), ARGUMENT_::ofNumber(2 * events), text(symbols.target().title),
                  ARGUMENT_::ofNumber(most)}},
                context.eventSubject(most));
}

void CNameCheck::run(CCheckContext& context) {
    checkDuplicates(context);
    checkIdentifiers(context);
    checkCollisions(context);
    checkRowSize(context);
}
