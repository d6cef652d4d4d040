#include "pelk-table/check/format_check.h"

#include <cctype>
#include <cstring>
#include <string>

#include "codegen/code.h"
#include "pelk-table/check/check_context.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/model/utf8_text.h"
#include "splitter/tsv_scanner.h"
#include "table/table_reader.h"

namespace {

const CHECK_ID_ kFormat = kCheckTableFormat;
const CHECK_ID_ kEncoding = kCheckEncoding;
const char kBom[] = "\xEF\xBB\xBF";

using SPLIT_ERROR_ = CTableFile::SPLIT_ERROR_;

// The file is UTF-16 when it begins with its byte-order mark, or when NUL
// bytes stand in every other place of its first line, as they do around
// ASCII text.
bool looksLikeUtf16(const std::string& head) {
    if (head.size() >= 2 && ((head[0] == '\xFF' && head[1] == '\xFE') || (head[0] == '\xFE' && head[1] == '\xFF')))
        return true;
    std::size_t nuls = 0;
    const std::size_t n = head.size() < 64 ? head.size() : 64;
    for (std::size_t i = 0; i < n; ++i)
        nuls += head[i] == '\0';
    return n >= 2 && nuls * 3 >= n;
}

MESSAGE_ splitMessage(const SPLIT_ERROR_& error) {
    switch (error.kind) {
    case SPLIT_ERROR_::kCannotOpen:
        return {kMessageCannotOpen, {}};
    case SPLIT_ERROR_::kEmptyFile:
        return {kMessageEmptyFile, {}};
    case SPLIT_ERROR_::kSyntax:
        return {kMessageTwoRunsOfText, {ARGUMENT_::ofText(error.text)}};
    case SPLIT_ERROR_::kMissingLineEnd:
        return {kMessageNoFinalLineEnd, {}};
    case SPLIT_ERROR_::kFieldTooLong:
        return {kMessageFieldTooLong, {ARGUMENT_::ofNumber(CTsvScanner::kMaxFieldLength)}};
    case SPLIT_ERROR_::kNulCharacter:
        return {kMessageNulByte, {}};
    case SPLIT_ERROR_::kReadError:
        break;
    }
    return {kMessageReadError, {}};
}

// What stands inside the double quotes of the field the syntax error is
// in, up to the error: a tab or a line feed there (a spreadsheet quotes a
// cell holding one) ends the first run of text.
std::string quotedBreak(const CTableModel& model, const SPLIT_ERROR_& error) {
    const std::vector<CTableFile::RECORD_>& records = model.file().records();
    int line = error.line;
    if (error.record >= 0 && error.record < static_cast<int>(records.size()) &&
        !records[static_cast<size_t>(error.record)].fields.empty())
        line = records[static_cast<size_t>(error.record)].fields[0].line;
    std::string text;
    for (int l = line; l < error.line; ++l)
        text += model.lineText(l) + "\n";
    text += model.lineText(error.line).substr(0, error.column > 0 ? static_cast<size_t>(error.column - 1) : 0);
    bool quoted = false, tab = false, lineFeed = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            if (quoted)
                tab = lineFeed = false;
        } else if (c == '\t' && quoted) {
            tab = true;
        } else if (c == '\t') {
            tab = lineFeed = false;
        } else if (c == '\n' && quoted) {
            lineFeed = true;
        }
    }
    if (tab && lineFeed)
        return "a tab and a line feed";
    return tab ? "a tab" : lineFeed ? "a line feed" : "";
}

ARGUMENT_ number(long long n) {
    return ARGUMENT_::ofNumber(n);
}

ARGUMENT_ name(const std::string& text) {
    return ARGUMENT_::ofName(text);
}

}  // namespace

// Why a cell's next state is neither a number nor a marker: the message, and
// the negative number it begins with, if any.
static MESSAGE_ID_ notNumberReason(const std::string& text, std::string& negative) {
    std::string joined;
    for (char c : text) {
        if (std::strchr(" \t\n\v\f\r", c) == nullptr)
            joined += c;
    }
    const std::string first = joined.substr(0, joined.find('/'));
    if (first.size() > 1 && first[0] == '-' && std::isdigit(static_cast<unsigned char>(first[1]))) {
        negative = first;
        return kMessageNegativeNextState;
    }
    const std::string::size_type comma = first.find(',');
    if (comma != std::string::npos && comma > 0 && CTableReader::isNumber(first.substr(0, comma).c_str()))
        return kMessageCommaForSlash;
    return kMessageCellNotNumber;
}

// A field that is "START" but for case or blanks, as a note to the missing
// header.
static void noteNearHeader(CCheckContext& context, FINDING_& finding) {
    const std::vector<CTableFile::RECORD_>& records = context.model.file().records();
    for (size_t r = 0; r < records.size(); ++r) {
        for (size_t f = 0; f < records[r].fields.size(); ++f) {
            const std::string& text = records[r].fields[f].text;
            std::string bare;
            for (char c : text) {
                if (c != ' ' && c != '\t')
                    bare += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            if (bare != "START")
                continue;
            CCheckContext::note(finding, context.model.place(static_cast<int>(r), static_cast<int>(f)),
                                {kMessageNearHeader, {name(text)}});
            return;
        }
    }
}

// False when the file is not 8-bit text at all, and nothing more can be said.
static bool checkEncoding(CCheckContext& context) {
    const CTableModel& model = context.model;
    const std::string& head = model.file().head();
    const PLACE_ start{1, 1, "A1"};
    if (looksLikeUtf16(head)) {
        context.add(kEncoding, start, {kMessageUtf16Text, {}}).refusal = true;
        return false;
    }
    if (head.compare(0, 3, kBom) == 0) {
        const bool hidesHeader = model.layout().headerRecord < 0;
        context.add(kEncoding, start, {hidesHeader ? kMessageByteOrderMarkHidesHeader : kMessageByteOrderMark, {}})
            .refusal = hidesHeader;
    }
    return true;
}

static void checkSplit(CCheckContext& context) {
    const std::vector<CTableFile::RECORD_>& records = context.model.file().records();
    for (const SPLIT_ERROR_& error : context.model.file().errors()) {
        // The error lies in the field the broken record was reading.
        PLACE_ at{error.line, error.column, "", context.model.file().characterColumn(error.line, error.column)};
        if (error.record >= 0 && error.record < static_cast<int>(records.size()))
            at.cell = CTableRules::cellName(error.record,
                                            static_cast<int>(records[static_cast<size_t>(error.record)].fields.size()));
        else if (error.record >= 0)
            at.cell = CTableRules::cellName(error.record, 0);
        if (error.kind == SPLIT_ERROR_::kCannotOpen)
            at = PLACE_();
        else if (error.kind == SPLIT_ERROR_::kEmptyFile)
            at = PLACE_{1, 1, ""};
        MESSAGE_ message = splitMessage(error);
        if (error.kind == SPLIT_ERROR_::kSyntax) {
            const std::string inside = quotedBreak(context.model, error);
            if (!inside.empty())
                message = {kMessageBreakInsideQuotes,
                           {ARGUMENT_::ofText(inside), ARGUMENT_::ofText(error.text),
                            ARGUMENT_::ofText(inside == "a tab"         ? "tab"
                                              : inside == "a line feed" ? "line feed"
                                                                        : "tab or line feed")}};
        }
        FINDING_& finding =
            context.add(error.kind == SPLIT_ERROR_::kNulCharacter ? kEncoding : kFormat, at, std::move(message));
        finding.refusal = true;
        const int header = context.model.layout().headerRecord;
        if (error.record >= 0 && error.record < header)
            CCheckContext::note(finding, at, {kMessageBeforeTheHeader, {}});
    }
}

static void checkRecords(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CSTTable& table = model.table();
    const bool bomHidesHeader = model.file().head().compare(0, 3, kBom) == 0;
    for (const TABLE_PROBLEM_& problem : model.problems()) {
        const ARGUMENT_ state = number(problem.state);
        const ARGUMENT_ fields = number(problem.count);
        const SUBJECT_ subject = problem.event >= 0 ? context.cellSubject(problem.state, problem.event)
                                                    : context.stateSubject(problem.state);
        switch (problem.kind) {
        case TABLE_PROBLEM_::kFirstRecordMissing:
        case TABLE_PROBLEM_::kRecordFailure:
            context.add(kFormat, PLACE_(), {kMessageRecordsUnreadable, {}});
            break;
        case TABLE_PROBLEM_::kNoHeader:
            if (!bomHidesHeader) {
                FINDING_& finding = context.add(kFormat, PLACE_{1, 1, ""}, {kMessageNoHeader, {}});
                noteNearHeader(context, finding);
            }
            break;
        case TABLE_PROBLEM_::kFieldCountDiffers:
            context.add(kFormat, model.place(problem.record, 0),
                        {problem.count == 1 ? kMessageFieldCountOfOne : kMessageFieldCount,
                         {state, fields, number(problem.expected)}},
                        subject);
            break;
        case TABLE_PROBLEM_::kTooFewForState:
            context.add(kFormat, model.missingPlace(problem.record, problem.count),
                        {kMessageTooFewForState, {state, fields, number(problem.expected)}}, subject);
            break;
        case TABLE_PROBLEM_::kFewerCellsThanEvents:
            context.add(kFormat, model.missingPlace(problem.record, problem.count),
                        {kMessageTooFewCells, {state, fields, number(table.eventCount()), number(problem.expected)}},
                        subject);
            break;
        case TABLE_PROBLEM_::kStateNumber:
            context.add(kFormat, model.place(problem.record, problem.field),
                        {kMessageStateNumber, {name(problem.text), state, name(table.stateName(problem.state))}},
                        subject);
            break;
        case TABLE_PROBLEM_::kCellEmpty:
            context.add(kFormat, model.place(problem.record, problem.field),
                        {problem.text.find('/') == std::string::npos ? kMessageCellEmpty : kMessageCellWithoutNextState,
                         {state, name(table.eventName(problem.event))}},
                        subject);
            break;
        case TABLE_PROBLEM_::kCellNotNumber: {
            std::string negative;
            const MESSAGE_ID_ reason = notNumberReason(problem.text, negative);
            MESSAGE_ message{reason, {name(problem.text), state, name(table.eventName(problem.event))}};
            if (reason == kMessageNegativeNextState)
                message.arguments.push_back(ARGUMENT_::ofText(negative));
            context.add(kFormat, model.place(problem.record, problem.field), std::move(message), subject);
            break;
        }
        case TABLE_PROBLEM_::kCellNumberTooLarge:
            context.add(kFormat, model.place(problem.record, problem.field),
                        {kMessageNextStateTooLarge, {name(problem.text), state, number(CCode::kMaxStates)}}, subject);
            break;
        }
    }
}

static void checkLimits(CCheckContext& context) {
    const CTableModel& model = context.model;
    const int states = model.table().stateCount();
    const int events = model.table().eventCount();
    if (states > CCode::kMaxStates)
        context.add(kFormat, model.stateNamePlace(CCode::kMaxStates),
                    {kMessageTooManyStates, {number(states), number(CCode::kMaxStates)}},
                    context.stateSubject(CCode::kMaxStates));
    if (events > CCode::kMaxEvents)
        context.add(kFormat, model.eventPlace(CCode::kMaxEvents),
                    {kMessageTooManyEvents, {number(events), number(CCode::kMaxEvents)}},
                    context.eventSubject(CCode::kMaxEvents));
}

// The state records agree on their field count (else table-format says so);
// the first one stands for all.
static void checkExtraCells(CCheckContext& context) {
    const CTableModel& model = context.model;
    const TABLE_LAYOUT_& layout = model.layout();
    if (layout.stateRecords.empty() || model.hasFormatErrors())
        return;
    const int record = layout.stateRecords[0];
    const int cells =
        static_cast<int>(model.file().records()[static_cast<size_t>(record)].fields.size()) - (layout.keyColumn + 2);
    const int events = model.table().eventCount();
    if (cells <= events)
        return;
    FINDING_& finding = context.add(kCheckExtraCells, model.place(record, layout.keyColumn + 2 + events),
                                    {kMessageExtraCells, {number(cells), number(events)}});
    CCheckContext::note(finding, model.place(layout.headerRecord, layout.keyColumn + 1),
                        {kMessageEmptyFieldAfterStart, {}});
}

static void checkUtf8Names(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CSTTable& table = model.table();
    const auto check = [&context](const char* what, const std::string& text, const PLACE_& place, SUBJECT_ subject) {
        const std::string::size_type at = CUtf8Text::invalidAt(text);
        if (at == std::string::npos)
            return;
        context.add(
            kEncoding, place,
            {kMessageNotUtf8Name, {ARGUMENT_::ofText(what), name(text), number(static_cast<long long>(at) + 1)}},
            std::move(subject));
    };
    for (int e = 0; e < table.eventCount(); ++e)
        check("the event name", table.eventName(e), model.eventPlace(e), context.eventSubject(e));
    for (int s = 0; s < table.stateCount(); ++s) {
        check("the state name", table.stateName(s), model.stateNamePlace(s), context.stateSubject(s));
        for (int e = 0; e < table.eventCount(); ++e) {
            for (const std::string& action : *table.cellActions(e, s)) {
                SUBJECT_ subject = context.cellSubject(s, e);
                subject.action = action;
                check("the action name", action, model.actionPlace(s, e, action), std::move(subject));
            }
        }
    }
}

// The cells of a workbook's table whose shown text is not certain, or that
// the text pelk reads cannot carry.
static void checkWorkbookCells(CCheckContext& context) {
    const CTableModel& model = context.model;
    for (const SHEET_PROBLEM_& problem : model.workbookProblems()) {
        if (problem.error)
            context
                .add(kFormat, model.place(problem.row, problem.column),
                     {kMessageWorkbookCell, {ARGUMENT_::ofText(problem.message)}})
                .refusal = true;
    }
}

void CFormatCheck::runMerges(CCheckContext& context) {
    const CTableModel& model = context.model;
    for (const SHEET_PROBLEM_& problem : model.workbookProblems()) {
        if (!problem.error)
            context.add(kCheckMergedCells, model.place(problem.row, problem.column),
                        {kMessageWorkbookCell, {ARGUMENT_::ofText(problem.message)}});
    }
}

void CFormatCheck::run(CCheckContext& context) {
    if (!checkEncoding(context))
        return;
    checkWorkbookCells(context);
    checkSplit(context);
    checkRecords(context);
    checkLimits(context);
    checkExtraCells(context);
    checkUtf8Names(context);
}
