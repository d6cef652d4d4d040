#include "pelk-table/check/message_list.h"

namespace {

// In the order of MESSAGE_ID_: entry i is the pattern of handle i.
const char* const kPatterns[] = {
    // The file and its bytes.
    "cannot open '%0': %1",
    "%0: %1",
    "the file is UTF-16 text, which pelk cannot read; save it as UTF-8 or ASCII",
    "the file begins with a UTF-8 byte-order mark, so its first field is not \"START\" and pelk finds no header; "
    "save the file without the mark",
    "the file begins with a UTF-8 byte-order mark, which pelk takes as part of the first field; save the file "
    "without it",
    "%0 %1 is not valid UTF-8 (at its byte %2); save the file as UTF-8",
    // What the splitter could not split.
    "cannot open the file",
    "the file is empty; a table needs at least its \"START\" header",
    "a field holds two runs of text, the second beginning \"%0\": a double quote in the middle of a field, or a lone "
    "carriage return, splits it; pelk refuses the file",
    "%0 inside double quotes, as a spreadsheet writes a cell holding one, ends the field's text there, and \"%1\" "
    "after it is a second run of text in the field; pelk takes no %2 inside a field and refuses the file",
    "the last record does not end with a line end; pelk refuses the file",
    "a field is longer than %0 bytes",
    "the file holds a NUL byte; it is not a text file pelk can read",
    "the file cannot be read to its end",
    "this line is before the header; pelk ignores what such lines say, but splits them as every line, so a syntax "
    "error there refuses the file all the same",
    // What the reader could not read.
    "the records of the file cannot be read",
    "no header: no field of the file is exactly \"START\" (case matters, and so do blanks)",
    "did you mean \"START\"? this field is %0",
    "the record of state %0 has %1 field%s1, the first state record %2",
    "the record of state %0 has %1 field%s1, the first state record %2; an empty line after the table?",
    "the record of state %0 has %1 field%s1, too few for a state's name and number (%2 needed)",
    "the record of state %0 has %1 field%s1, too few for a cell for each of the %2 events (%3 needed)",
    "state number %0 should be %1, the position of %2 after the header",
    "the cell of state %0, event %1 is empty; write a next state, or '-' for none",
    "the cell of state %0, event %1 has no next state before '/'; write one, or '-' for none",
    "the cell %0 of state %1, event %2 has a negative next state, %3; a next state is a state number, 0 or more, and "
    "'-' alone means no transition",
    "the cell %0 of state %1, event %2 has a ',' where '/' belongs: the next state comes first, then '/' and the "
    "actions separated by ','",
    "the cell %0 of state %1, event %2 does not begin with a state number, '-' or '*'",
    "the next state of the cell %0 of state %1 is larger than 2147483647, the largest number pelk reads (and a "
    "machine has at most %2 states)",
    "%0 states; a generated machine holds at most %1, and this is state %1",
    "%0 events; a generated machine takes at most %1, and this is event %1",
    "the state records have %0 cells, but the header names %1 event%s1; the cells past the last event are never used",
    "the header's second column is the state numbers' and names no event; an empty field missing after START?",
    "%0",
    // Names.
    "%0 has the name of %1 %2; both define the constant %3",
    "%0 has the name, in capitals, of %1 %2; both define the constant %3",
    "the first %0 of that name",
    "%0 is no valid %1 symbol: it %2",
    "%0, written %1, is no valid %2 symbol: it %3",
    "the machine name %0 makes no valid %1 symbol: %2 %3",
    "%0 is also %1 of the generated code",
    "%0 defines the constant %1, as state %2 does",
    "%0 is named like the constant of %1, so the generated call uses the constant",
    "the %0 of that name",
    "%0 events make a row of %1 bytes, which the %2's dispatcher loads as an 8-bit immediate ('mov a,#%1'); it takes "
    "at most %3 events, and this is event %3",
    // The machine as a graph.
    "the table has no states, only its header: the generated machine has an empty vector table, which is no valid "
    "program",
    "the header names no event after START and the column of the state numbers: the generated machine has no cells "
    "and an empty vector table, which is no valid program",
    "next state %0 of state %1, event %2 does not fit the machine's one-byte state: the %3 refuses 'mov a,#%0', an "
    "8-bit immediate",
    "next state %0 of state %1, event %2 does not fit the machine's one-byte state: the generated C stores %3 (%0 "
    "mod 256) in its unsigned char state and goes on in state %3 %4",
    "next state %0 of state %1, event %2 does not fit the machine's one-byte state: the generated C stores %3 (%0 "
    "mod 256) in its unsigned char state and goes on in state %3, which is past the last state, too",
    "next state %0 of state %1, event %2 is past the last state, %3: the generated machine stores %0 and its next "
    "event jumps through the vector table past its end",
    "%0 cannot be reached from state 0",
    "no transition leaves %0",
    "intended as a final state?",
    "%0 does nothing in any state: no transition, no action",
};

static_assert(sizeof kPatterns / sizeof kPatterns[0] == kMessageCount, "one pattern per message handle");

}  // namespace

const char* CMessageList::pattern(MESSAGE_ID_ id) {
    return kPatterns[id];
}
