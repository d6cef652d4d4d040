#include "pelk-table/check/format_check.h"

#include <cctype>
#include <cstring>
#include <string>

#include "codegen/code.h"
#include "pelk-table/check/check_context.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/model/utf8_text.h"
#include "table/table_reader.h"

namespace {

const CHECK_ID_ kFormat = kCheckTableFormat;
const CHECK_ID_ kEncoding = kCheckEncoding;
const char kBom[] = "\xEF\xBB\xBF";

typedef CTableFile::SPLIT_ERROR_ SPLIT_ERROR_;

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

std::string splitMessage(const SPLIT_ERROR_& error) {
    switch (error.kind) {
    case SPLIT_ERROR_::kCannotOpen:
        return "cannot open the file";
    case SPLIT_ERROR_::kEmptyFile:
        return "the file is empty; a table needs at least its \"START\" header";
    case SPLIT_ERROR_::kSyntax:
        return "a field holds two runs of text, the second beginning \"" + error.text +
               "\": a double quote in the middle of a field, or a lone carriage return, splits it; "
               "pelk refuses the file";
    case SPLIT_ERROR_::kMissingLineEnd:
        return "the last record does not end with a line end; pelk refuses the file";
    case SPLIT_ERROR_::kFieldTooLong:
        return "a field is longer than 255 bytes";
    case SPLIT_ERROR_::kNulCharacter:
        return "the file holds a NUL byte; it is not a text file pelk can read";
    case SPLIT_ERROR_::kReadError:
        break;
    }
    return "the file cannot be read to its end";
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

std::string number(long long n) {
    return std::to_string(n);
}

}  // namespace

// Why a cell's next state is neither a number nor a marker, as the rest of
// its message.
static std::string notNumberReason(const std::string& text) {
    std::string joined;
    for (char c : text) {
        if (std::strchr(" \t\n\v\f\r", c) == nullptr)
            joined += c;
    }
    const std::string first = joined.substr(0, joined.find('/'));
    if (first.size() > 1 && first[0] == '-' && std::isdigit(static_cast<unsigned char>(first[1])))
        return " has a negative next state, " + first +
               "; a next state is a state number, 0 or more, and '-' alone means no transition";
    const std::string::size_type comma = first.find(',');
    if (comma != std::string::npos && comma > 0 && CTableReader::isNumber(first.substr(0, comma).c_str()))
        return " has a ',' where '/' belongs: the next state comes first, then '/' and the actions separated by ','";
    return " does not begin with a state number, '-' or '*'";
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
                                "did you mean \"START\"? this field is " + CCheckContext::quoted(text));
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
        context.add(kEncoding, start, "the file is UTF-16 text, which pelk cannot read; save it as UTF-8 or ASCII")
            .refusal = true;
        return false;
    }
    if (head.compare(0, 3, kBom) == 0) {
        const bool hidesHeader = model.layout().headerRecord < 0;
        context
            .add(kEncoding, start,
                 hidesHeader ? "the file begins with a UTF-8 byte-order mark, so its first field is not \"START\" "
                               "and pelk finds no header; save the file without the mark"
                             : "the file begins with a UTF-8 byte-order mark, which pelk takes as part of the "
                               "first field; save the file without it")
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
        std::string message = splitMessage(error);
        if (error.kind == SPLIT_ERROR_::kSyntax) {
            const std::string inside = quotedBreak(context.model, error);
            if (!inside.empty())
                message = inside +
                          " inside double quotes, as a spreadsheet writes a cell holding one, ends the "
                          "field's text there, and \"" +
                          error.text + "\" after it is a second run of text in the field; pelk takes no " +
                          (inside == "a tab"         ? "tab"
                           : inside == "a line feed" ? "line feed"
                                                     : "tab or line feed") +
                          " inside a field and refuses the file";
        }
        const int header = context.model.layout().headerRecord;
        if (error.record >= 0 && error.record < header)
            message +=
                " (this line is before the header; pelk ignores what such lines say, but splits them as "
                "every line, so a syntax error there refuses the file all the same)";
        context.add(error.kind == SPLIT_ERROR_::kNulCharacter ? kEncoding : kFormat, at, message).refusal = true;
    }
}

static void checkRecords(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CSTTable& table = model.table();
    const bool bomHidesHeader = model.file().head().compare(0, 3, kBom) == 0;
    for (const TABLE_PROBLEM_& problem : model.problems()) {
        const std::string state = problem.state >= 0 ? "state " + number(problem.state) : std::string();
        const std::string counts = number(problem.count) + " field" + (problem.count == 1 ? "" : "s");
        switch (problem.kind) {
        case TABLE_PROBLEM_::kFirstRecordMissing:
        case TABLE_PROBLEM_::kRecordFailure:
            context.add(kFormat, PLACE_(), "the records of the file cannot be read");
            break;
        case TABLE_PROBLEM_::kNoHeader:
            if (!bomHidesHeader) {
                FINDING_& finding = context.add(
                    kFormat, PLACE_{1, 1, ""},
                    "no header: no field of the file is exactly \"START\" (case matters, and so do blanks)");
                noteNearHeader(context, finding);
            }
            break;
        case TABLE_PROBLEM_::kFieldCountDiffers:
            context.add(kFormat, model.place(problem.record, 0),
                        "the record of " + state + " has " + counts + ", the first state record " +
                            number(problem.expected) + (problem.count == 1 ? "; an empty line after the table?" : ""));
            break;
        case TABLE_PROBLEM_::kTooFewForState:
            context.add(kFormat, model.missingPlace(problem.record, problem.count),
                        "the record of " + state + " has " + counts + ", too few for a state's name and number (" +
                            number(problem.expected) + " needed)");
            break;
        case TABLE_PROBLEM_::kFewerCellsThanEvents:
            context.add(kFormat, model.missingPlace(problem.record, problem.count),
                        "the record of " + state + " has " + counts + ", too few for a cell for each of the " +
                            number(table.eventCount()) + " events (" + number(problem.expected) + " needed)");
            break;
        case TABLE_PROBLEM_::kStateNumber:
            context.add(kFormat, model.place(problem.record, problem.field),
                        "state number " + CCheckContext::quoted(problem.text) + " should be " + number(problem.state) +
                            ", the position of " + CCheckContext::quoted(table.stateName(problem.state)) +
                            " after the header");
            break;
        case TABLE_PROBLEM_::kCellEmpty:
            context.add(kFormat, model.place(problem.record, problem.field),
                        "the cell of " + state + ", event " + CCheckContext::quoted(table.eventName(problem.event)) +
                            (problem.text.find('/') == std::string::npos
                                 ? " is empty; write a next state, or '-' for none"
                                 : " has no next state before '/'; write one, or '-' for none"));
            break;
        case TABLE_PROBLEM_::kCellNotNumber:
            context.add(kFormat, model.place(problem.record, problem.field),
                        "the cell " + CCheckContext::quoted(problem.text) + " of " + state + ", event " +
                            CCheckContext::quoted(table.eventName(problem.event)) + notNumberReason(problem.text));
            break;
        case TABLE_PROBLEM_::kCellNumberTooLarge:
            context.add(kFormat, model.place(problem.record, problem.field),
                        "the next state of the cell " + CCheckContext::quoted(problem.text) + " of " + state +
                            " is larger than 2147483647, the largest number pelk reads (and a machine has at most " +
                            number(CCode::kMaxStates) + " states)");
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
                    number(states) + " states; a generated machine holds at most " + number(CCode::kMaxStates) +
                        ", and this is state " + number(CCode::kMaxStates));
    if (events > CCode::kMaxEvents)
        context.add(kFormat, model.eventPlace(CCode::kMaxEvents),
                    number(events) + " events; a generated machine takes at most " + number(CCode::kMaxEvents) +
                        ", and this is event " + number(CCode::kMaxEvents));
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
    FINDING_& finding =
        context.add(kCheckExtraCells, model.place(record, layout.keyColumn + 2 + events),
                    "the state records have " + number(cells) + " cells, but the header names " + number(events) +
                        (events == 1 ? " event" : " events") + "; the cells past the last event are never used");
    CCheckContext::note(finding, model.place(layout.headerRecord, layout.keyColumn + 1),
                        "the header's second column is the state numbers' and names no event; an empty field "
                        "missing after START?");
}

static void checkUtf8Names(CCheckContext& context) {
    const CTableModel& model = context.model;
    const CSTTable& table = model.table();
    const auto check = [&context](const std::string& what, const std::string& name, const PLACE_& place) {
        const std::string::size_type at = CUtf8Text::invalidAt(name);
        if (at == std::string::npos)
            return;
        context.add(kEncoding, place,
                    what + " " + CCheckContext::quoted(name) + " is not valid UTF-8 (at its byte " + number(at + 1) +
                        "); save the file as UTF-8");
    };
    for (int e = 0; e < table.eventCount(); ++e)
        check("the event name", table.eventName(e), model.eventPlace(e));
    for (int s = 0; s < table.stateCount(); ++s) {
        check("the state name", table.stateName(s), model.stateNamePlace(s));
        for (int e = 0; e < table.eventCount(); ++e) {
            for (const std::string& action : *table.cellActions(e, s))
                check("the action name", action, model.actionPlace(s, e, action));
        }
    }
}

// The cells of a workbook's table whose shown text is not certain, or that
// the text pelk reads cannot carry.
static void checkWorkbookCells(CCheckContext& context) {
    const CTableModel& model = context.model;
    for (const SHEET_PROBLEM_& problem : model.workbookProblems()) {
        if (problem.error)
            context.add(kFormat, model.place(problem.row, problem.column), problem.message).refusal = true;
    }
}

void CFormatCheck::runMerges(CCheckContext& context) {
    const CTableModel& model = context.model;
    for (const SHEET_PROBLEM_& problem : model.workbookProblems()) {
        if (!problem.error)
            context.add(kCheckMergedCells, model.place(problem.row, problem.column), problem.message);
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
