#include "pelk-table/check/check_list.h"

namespace {

// In the order of CHECK_ID_: entry i is the check of handle i.
const CHECK_ kChecks[] = {
    {kCheckTableFormat, "table-format", FINDING_::kError,
     "The file is not a table pelk can read: no START header, a state record with the wrong number of fields, "
     "a state number that differs from its position, a malformed cell, or more states or events than a machine holds."},
    {kCheckEncoding, "encoding", FINDING_::kError,
     "The file is not plain 8-bit text as pelk reads it: a UTF-8 byte-order mark, UTF-16 text, or a name that is "
     "not valid UTF-8."},
    {kCheckEmptyMachine, "empty-machine", FINDING_::kError,
     "The table has no states or no events: pelk accepts it, but the generated code is no valid program (an "
     "empty vector table)."},
    {kCheckDuplicateName, "duplicate-name", FINDING_::kError,
     "Two states, or two events, have one name after the case change of the target, so their constants clash."},
    {kCheckInvalidIdentifier, "invalid-identifier", FINDING_::kError,
     "A state, event, action or machine name is not a valid symbol of the target: a character it does not allow, "
     "a leading digit, a C keyword, or a register or instruction of the assembler."},
    {kCheckSymbolCollision, "symbol-collision", FINDING_::kError,
     "A name equals a symbol of the generated code (a routine, the state variable, the vector table, a cell "
     "routine), a state and an event share a name, or an action is named like a state or event constant."},
    {kCheckAsmRowSize, "asm-row-size", FINDING_::kError,
     "Too many events for an assembler target: the dispatcher loads the size of one state's row as an 8-bit "
     "immediate, so at most 127 events fit."},
    {kCheckNextStateOverflow, "next-state-overflow", FINDING_::kError,
     "A cell's next state is 256 or more, which the machine's one-byte state cannot hold: the C targets store "
     "it modulo 256 and go on in that state; the assemblers refuse the immediate."},
    {kCheckNextStateRange, "next-state-range", FINDING_::kWarning,
     "A cell's next state is past the last state (but below 256); the generated machine stores it and jumps past "
     "its vector table on the next event."},
    {kCheckUnreachableState, "unreachable-state", FINDING_::kWarning,
     "No path of transitions from state 0 reaches the state."},
    {kCheckTrapState, "trap-state", FINDING_::kWarning,
     "No transition leaves the state: every cell is '-', '*' or the state's own number."},
    {kCheckUnusedEvent, "unused-event", FINDING_::kWarning,
     "In every state the event's cell makes no transition and calls only no-operation actions."},
    {kCheckExtraCells, "extra-cells", FINDING_::kWarning,
     "The state records have more cells than the header names events: pelk reads the cells past the last event "
     "but never uses them. A header that lacks the empty field after START shifts every event by one."},
    {kCheckMergedCells, "merged-cells", FINDING_::kWarning,
     "In a workbook, a merged area covers cells of the table: only its top-left cell holds the text, the others "
     "read as empty."},
    {kCheckWorkbookValue, "workbook-value", FINDING_::kError,
     "In a workbook, a cell shows a value whose text pelk-table cannot be sure of in every language: a number "
     "through a format other than General or plain digits, a decimal, a grouped thousand, a logical value, a date or "
     "an error value. In the table it is an error; outside it, the cell is written empty with a warning."},
    {kCheckWorkbookFormula, "workbook-formula", FINDING_::kError,
     "In a workbook, a formula's shown result is not certain: it is saved without its result, the spreadsheet "
     "calculates it anew on opening (TODAY(), NOW(), RAND(), OFFSET(), INDIRECT()... or a cell or name using one), "
     "or LibreOffice recalculates the whole .ods file because another program wrote it."},
    {kCheckWorkbookText, "workbook-text", FINDING_::kError,
     "In a workbook, a cell holds text that the tab-separated text pelk reads cannot carry: a tab, a line break, "
     "a carriage return, a double quote, a NUL character, or more than 255 bytes."},
    {kCheckSheetExtent, "sheet-extent", FINDING_::kError,
     "The sheet reaches past its table: a note, spaces, a hyperlink or a formula giving no text far from the table, "
     "or in a TSV file a trailing row or column of empty fields, makes pelk read events and states without names. "
     "One finding names the cell that stretches it, instead of one per empty event and state."},
};

static_assert(sizeof kChecks / sizeof kChecks[0] == kCheckCount, "one entry per check handle");

}  // namespace

int CCheckList::count() {
    return kCheckCount;
}

const CHECK_& CCheckList::at(int i) {
    return kChecks[i];
}

const CHECK_& CCheckList::of(CHECK_ID_ id) {
    return kChecks[id];
}

const CHECK_* CCheckList::byName(const std::string& name) {
    for (const CHECK_& check : kChecks) {
        if (name == check.name)
            return &check;
    }
    return nullptr;
}

std::vector<std::string> CCheckList::names() {
    std::vector<std::string> all;
    for (const CHECK_& check : kChecks)
        all.push_back(check.name);
    return all;
}

std::string CCheckList::helpList(std::size_t width) {
    const std::string first = "Checks: ";
    std::string text = first;
    std::size_t column = first.size();
    for (const CHECK_& check : kChecks) {
        const std::size_t length = std::string(check.name).size();
        if (column > first.size() && column + 1 + length > width) {
            text += "\n" + std::string(first.size(), ' ');
            column = first.size();
        } else if (column > first.size()) {
            text += " ";
            ++column;
        }
        text += check.name;
        column += length;
    }
    return text + "\n";
}
