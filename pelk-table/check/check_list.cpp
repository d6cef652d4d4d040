#include "pelk-table/check/check_list.h"

namespace {

const CHECK_ kChecks[] = {
    {"table-format", FINDING_::kError,
     "The file is not a table pelk can read: no START header, a state record with the wrong number of fields, "
     "a state number that differs from its position, a malformed cell, or more states or events than a machine holds."},
    {"encoding", FINDING_::kError,
     "The file is not plain 8-bit text as pelk reads it: a UTF-8 byte-order mark, UTF-16 text, or a name that is "
     "not valid UTF-8."},
    {"duplicate-name", FINDING_::kError,
     "Two states, or two events, have one name after the case change of the target, so their constants clash."},
    {"invalid-identifier", FINDING_::kError,
     "A state, event, action or machine name is not a valid symbol of the target: a character it does not allow, "
     "a leading digit, a C keyword, or a register or instruction of the assembler."},
    {"symbol-collision", FINDING_::kError,
     "A name equals a symbol of the generated code (a routine, the state variable, the vector table, a cell "
     "routine), a state and an event share a name, or an action is named like a state or event constant."},
    {"asm-row-size", FINDING_::kError,
     "Too many events for an assembler target: the dispatcher loads the size of one state's row as an 8-bit "
     "immediate, so at most 127 events fit."},
    {"next-state-range", FINDING_::kWarning,
     "A cell's next state is past the last state; the generated machine stores it and jumps past its vector "
     "table on the next event."},
    {"unreachable-state", FINDING_::kWarning, "No path of transitions from state 0 reaches the state."},
    {"trap-state", FINDING_::kWarning,
     "No transition leaves the state: every cell is '-', '*' or the state's own number."},
    {"unused-event", FINDING_::kWarning,
     "In every state the event's cell makes no transition and calls only no-operation actions."},
    {"extra-cells", FINDING_::kWarning,
     "The state records have more cells than the header names events: pelk reads the cells past the last event "
     "but never uses them. A header that lacks the empty field after START shifts every event by one."},
    {"merged-cells", FINDING_::kWarning,
     "In a workbook, a merged area covers cells of the table: only its top-left cell holds the text, the others "
     "read as empty."},
};

}  // namespace

int CCheckList::count() {
    return static_cast<int>(sizeof kChecks / sizeof kChecks[0]);
}

const CHECK_& CCheckList::at(int i) {
    return kChecks[i];
}

const CHECK_* CCheckList::byName(const std::string& name) {
    for (const CHECK_& check : kChecks) {
        if (name == check.name)
            return &check;
    }
    return nullptr;
}
