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

typedef CCheckContext C;

// One name of the table and where it stands.
struct NAME_ {
    const char* kind;  // "state", "event", "action"
    int index;         // state or event number; -1 for an action
    std::string name;
    PLACE_ place;
};

std::vector<NAME_> statesAndEvents(const CTableModel& model) {
    std::vector<NAME_> names;
    const CSTTable& table = model.table();
    // The name of a state whose record pelk refuses is no name at all.
    for (int s = 0; s < table.stateCount(); ++s) {
        if (!model.recordHasProblem(model.layout().stateRecords[static_cast<size_t>(s)]))
            names.push_back({"state", s, table.stateName(s), model.stateNamePlace(s)});
    }
    for (int e = 0; e < table.eventCount(); ++e)
        names.push_back({"event", e, table.eventName(e), model.eventPlace(e)});
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
                    names.push_back({"action", -1, action, model.actionPlace(s, e, action)});
            }
        }
    }
    return names;
}

std::string title(const NAME_& name) {
    return name.kind + (name.index >= 0 ? " " + std::to_string(name.index) : std::string()) + " " +
           C::quoted(name.name);
}

}  // namespace

static void checkDuplicates(CCheckContext& context) {
    std::map<std::string, NAME_> first[2];  // states, events
    for (const NAME_& name : statesAndEvents(context.model)) {
        std::map<std::string, NAME_>& seen = first[name.kind[0] == 'e'];
        const std::string constant = context.symbols.constantName(name.name);
        const auto found = seen.find(constant);
        if (found == seen.end()) {
            seen.emplace(constant, name);
            continue;
        }
        const bool exact = found->second.name == name.name;
        FINDING_& finding = context.add(
            kDuplicate, name.place,
            title(name) + (exact ? " has the name of " : " has the name, in capitals, of ") + name.kind + " " +
                std::to_string(found->second.index) + "; both define the constant " + C::quoted(constant));
        C::note(finding, found->second.place, "the first " + std::string(name.kind) + " of that name");
    }
}

static void checkIdentifiers(CCheckContext& context) {
    const CTargetSymbols& symbols = context.symbols;
    const std::string target = symbols.target().title;
    std::vector<NAME_> names = statesAndEvents(context.model);
    const std::vector<NAME_> called = actions(context.model);
    names.insert(names.end(), called.begin(), called.end());
    for (const NAME_& name : names) {
        // States and events become constants, actions stay as written.
        const bool constant = name.index >= 0;
        const std::string symbol = constant ? symbols.constantName(name.name) : name.name;
        const std::string why = symbols.whyInvalid(symbol);
        if (why.empty())
            continue;
        const std::string as = symbol == name.name ? std::string() : ", written " + C::quoted(symbol) + ",";
        context.add(kIdentifier, name.place, title(name) + as + " is no valid " + target + " symbol: it " + why);
    }
    const std::string& machine = context.model.table().machineName();
    if (!context.machineNameGiven)
        return;
    // The machine name begins the generated routine names and the file names.
    const std::string routine = CGeneratedNames(machine).fsmFunction();
    const std::string why = machine.empty() ? "is empty" : symbols.whyInvalid(routine);
    if (!why.empty())
        context.add(kIdentifier, PLACE_(),
                    "the machine name " + C::quoted(machine) + " makes no valid " + target +
                        " symbol: " + C::quoted(routine) + " " + why);
}

static void checkCollisions(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CTargetSymbols& symbols = context.symbols;
    const int states = model.table().stateCount();
    const int events = model.table().eventCount();
    const std::vector<NAME_> constants = statesAndEvents(model);
    const std::vector<NAME_> called = actions(model);

    // Generated symbols, against every name.
    if (context.machineNameGiven) {
        for (const std::vector<NAME_>* list : {&constants, &called}) {
            for (const NAME_& name : *list) {
                const bool constant = name.index >= 0;
                const std::string symbol = constant ? symbols.constantName(name.name) : name.name;
                const std::string what = symbols.generatedSymbol(symbol, states, events);
                if (!what.empty())
                    context.add(kCollision, name.place, title(name) + " is also " + what + " of the generated code");
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
        FINDING_& finding = context.add(kCollision, name.place,
                                        title(name) + " defines the constant " + C::quoted(constant) + ", as state " +
                                            std::to_string(found->second.index) + " does");
        C::note(finding, found->second.place, "the state of that name");
    }
    // An action called like a constant calls the constant's number.
    std::map<std::string, NAME_> allConstants;
    for (const NAME_& name : constants)
        allConstants.emplace(symbols.constantName(name.name), name);
    for (const NAME_& action : called) {
        const auto found = allConstants.find(action.name);
        if (found == allConstants.end())
            continue;
        FINDING_& finding = context.add(kCollision, action.place,
                                        title(action) + " is named like the constant of " + title(found->second) +
                                            ", so the generated call uses the constant");
        C::note(finding, found->second.place, std::string("the ") + found->second.kind + " of that name");
    }
}

static void checkRowSize(CCheckContext& context) {
    const CTargetSymbols& symbols = context.symbols;
    const int events = context.model.table().eventCount();
    const int most = CTargetSymbols::kMaxAssemblerEvents;
    if (!symbols.target().isAssembler || events <= most)
        return;
    context.add(kCheckAsmRowSize, context.model.eventPlace(most),
                std::to_string(events) + " events make a row of " + std::to_string(2 * events) + " bytes, which the " +
                    symbols.target().title + "'s dispatcher loads as an 8-bit immediate ('mov a,#" +
                    std::to_string(2 * events) + "'); it takes at most " + std::to_string(most) +
                    " events, and this is event " + std::to_string(most));
}

void CNameCheck::run(CCheckContext& context) {
    checkDuplicates(context);
    checkIdentifiers(context);
    checkCollisions(context);
    checkRowSize(context);
}
