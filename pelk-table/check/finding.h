#ifndef PELK_TABLE_CHECK_FINDING_H
#define PELK_TABLE_CHECK_FINDING_H

#include <string>
#include <vector>

#include "pelk-table/model/table_model.h"

/// The checks, by handle, in the order of the check list
/// (pelk-table/check/check_list.cpp), which gives each its name.
enum CHECK_ID_ {
    kCheckTableFormat,
    kCheckEncoding,
    kCheckEmptyMachine,
    kCheckDuplicateName,
    kCheckInvalidIdentifier,
    kCheckSymbolCollision,
    kCheckAsmRowSize,
    kCheckNextStateOverflow,
    kCheckNextStateRange,
    kCheckUnreachableState,
    kCheckTrapState,
    kCheckUnusedEvent,
    kCheckExtraCells,
    kCheckMergedCells,
    kCheckCount  ///< the number of checks, no check
};

/// The sentences of the findings and their notes, by handle, in the order
/// of the message list (pelk-table/check/message_list.cpp), which gives
/// each its words with the places of its arguments.
enum MESSAGE_ID_ {
    // The file and its bytes.
    kMessageCannotOpenFile,
    kMessageCannotReadFile,
    kMessageUtf16Text,
    kMessageByteOrderMarkHidesHeader,
    kMessageByteOrderMark,
    kMessageNotUtf8Name,
    // What the splitter could not split.
    kMessageCannotOpen,
    kMessageEmptyFile,
    kMessageTwoRunsOfText,
    kMessageBreakInsideQuotes,
    kMessageNoFinalLineEnd,
    kMessageFieldTooLong,
    kMessageNulByte,
    kMessageReadError,
    kMessageBeforeTheHeader,
    // What the reader could not read.
    kMessageRecordsUnreadable,
    kMessageNoHeader,
    kMessageNearHeader,
    kMessageFieldCount,
    kMessageFieldCountOfOne,
    kMessageTooFewForState,
    kMessageTooFewCells,
    kMessageStateNumber,
    kMessageCellEmpty,
    kMessageCellWithoutNextState,
    kMessageNegativeNextState,
    kMessageCommaForSlash,
    kMessageCellNotNumber,
    kMessageNextStateTooLarge,
    kMessageTooManyStates,
    kMessageTooManyEvents,
    kMessageExtraCells,
    kMessageEmptyFieldAfterStart,
    kMessageWorkbookCell,
    // Names.
    kMessageDuplicateName,
    kMessageDuplicateNameInCapitals,
    kMessageFirstOfThatName,
    kMessageInvalidIdentifier,
    kMessageInvalidIdentifierWritten,
    kMessageInvalidMachineName,
    kMessageGeneratedSymbol,
    kMessageStateAndEventConstant,
    kMessageActionLikeConstant,
    kMessageOfThatName,
    kMessageAsmRowSize,
    // The machine as a graph.
    kMessageNoStates,
    kMessageNoEvents,
    kMessageOverflowInAssembler,
    kMessageOverflowInC,
    kMessageOverflowInCPastTheLast,
    kMessageNextStatePastTheLast,
    kMessageUnreachableState,
    kMessageTrapState,
    kMessageFinalState,
    kMessageUnusedEvent,
    kMessageCount  ///< the number of messages, no message
};

/// One value a message speaks of, kept as data until a writer words it.
struct ARGUMENT_ {
    enum Kind {
        kNumber,  ///< a decimal number
        kName,    ///< a name of the table, in single quotes, with escapes for what is not text
        kText,    ///< a word of pelk-table's own, or text from outside (a path, a reason), as it is
        kState,   ///< a state: "state 3 'NAME'"
        kEvent,   ///< an event: "event 1 'NAME'"
        kAction,  ///< an action: "action 'NAME'"
    };
    Kind kind = kText;
    long long number = 0;  ///< of a number, a state or an event
    std::string text;      ///< of a name, a text, a state, an event or an action

    static ARGUMENT_ ofNumber(long long number) { return {kNumber, number, std::string()}; }
    static ARGUMENT_ ofName(std::string name) { return {kName, 0, std::move(name)}; }
    static ARGUMENT_ ofText(std::string text) { return {kText, 0, std::move(text)}; }
    static ARGUMENT_ ofState(int s, std::string name) { return {kState, s, std::move(name)}; }
    static ARGUMENT_ ofEvent(int e, std::string name) { return {kEvent, e, std::move(name)}; }
    static ARGUMENT_ ofAction(std::string name) { return {kAction, 0, std::move(name)}; }
};

/// A sentence of the message list and the arguments it is said with.
struct MESSAGE_ {
    MESSAGE_ID_ id = kMessageCannotOpen;
    std::vector<ARGUMENT_> arguments;
};

/// What a finding is about: a state, an event (both: a cell), an action,
/// each optional, with their names, so that a comparison of two tables can
/// match findings by name.
struct SUBJECT_ {
    int state = -1;  ///< -1: no state
    std::string stateName;
    int event = -1;  ///< -1: no event
    std::string eventName;
    std::string action;  ///< empty: no action
};

/// One other place a finding involves, such as the first of two duplicates.
struct NOTE_ {
    PLACE_ place;
    MESSAGE_ message;
};

/// One thing a check found, as data: its check, its severity, what it is
/// about, where it is and what it says. Its text exists only when a writer
/// (pelk-table/report/) words it.
struct FINDING_ {
    enum Severity { kWarning, kError };
    CHECK_ID_ id = kCheckTableFormat;
    Severity severity = kError;
    SUBJECT_ subject;
    PLACE_ place;
    MESSAGE_ message;
    std::vector<NOTE_> notes;
    /// pelk refuses the file for it: always an error, whatever the options.
    bool refusal = false;
};

#endif
