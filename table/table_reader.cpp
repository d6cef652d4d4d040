#include "table/table_reader.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <utility>

#include "table/record_source.h"
#include "table/st_table.h"

namespace {

const char kKeyword[] = "START";

bool isWhiteSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a digit string, or -1 when it does not fit an int32.
int32_t digitsValue(const std::string& digits) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT32_MAX)
            return -1;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

CTableReader::CTableReader(CRecordSource& source, CTableListener& listener)
    : m_source(source),
      m_listener(listener) {}

bool CTableReader::report(TABLE_PROBLEM_ problem) {
    problem.record = m_record;
    problem.state = m_state;
    ++m_problems;
    if (!m_listener.report(problem))
        m_stopped = true;
    return !m_stopped;
}

int CTableReader::readRecords(CSTTable& table) {
    m_table = &table;
    m_layout = TABLE_LAYOUT_();
    m_problems = 0;
    m_stopped = false;
    int key = 0;
    if (findHeader(key) != 0)
        return 1;

    int expectedCount = -1;
    for (m_state = 0;; ++m_state) {
        int count = 0;
        char** fields = nullptr;
        const int delivered = m_source.nextRecord(count, fields);
        if (delivered == 1)
            break;
        ++m_record;
        if (delivered != 0) {
            report(TABLE_PROBLEM_::kRecordFailure);
            return 1;
        }
        if (expectedCount < 0)
            expectedCount = count;
        if (!readState(m_state, count, fields, expectedCount))
            return 1;
    }
    m_state = -1;
    return m_problems == 0 ? 0 : 1;
}

// The header is the first record holding a field "START"; the leftmost such
// field is the key column. On success the source stands just after it.
int CTableReader::findHeader(int& keyColumn) {
    int count = 0;
    char** fields = nullptr;
    m_record = 0;
    m_state = -1;
    if (m_source.firstRecord(count, fields) != 0) {
        report(TABLE_PROBLEM_::kFirstRecordMissing);
        return 1;
    }
    for (;;) {
        for (int column = 0; column < count; ++column) {
            if (std::strcmp(fields[column], kKeyword) == 0) {
                keyColumn = column;
                m_layout.headerRecord = m_record;
                m_layout.keyColumn = column;
                addEvents(column + 2, fields, count);
                return 0;
            }
        }
        const int delivered = m_source.nextRecord(count, fields);
        if (delivered != 0) {
            report(delivered == 1 ? TABLE_PROBLEM_::kNoHeader : TABLE_PROBLEM_::kRecordFailure);
            return 1;
        }
        ++m_record;
    }
}

void CTableReader::addEvents(int firstColumn, char** fields, int fieldCount) {
    for (int column = firstColumn; column < fieldCount; ++column)
        m_table->appendEvent(fields[column]);
}

// state -> NAME NUMBER cell...   in the key column and after it. A record
// whose fields do not fit is reported once; what it holds is still read,
// and the cells it lacks read as no transition.
bool CTableReader::readState(int number, int count, char** fields, int expectedCount) {
    const int key = m_layout.keyColumn;
    const int firstCell = key + 2;
    const int events = m_table->eventCount();
    m_layout.stateRecords.push_back(m_record);

    // The first of these that holds is the record's one structural problem.
    const struct {
        bool holds;
        TABLE_PROBLEM_::Kind kind;
        int expected;
    } shapes[] = {
        {count != expectedCount, TABLE_PROBLEM_::kFieldCountDiffers, expectedCount},
        {count < firstCell, TABLE_PROBLEM_::kTooFewForState, firstCell},
        {count - firstCell < events, TABLE_PROBLEM_::kFewerCellsThanEvents, firstCell + events},
    };
    for (const auto& shape : shapes) {
        if (!shape.holds)
            continue;
        TABLE_PROBLEM_ problem(shape.kind);
        problem.count = count;
        problem.expected = shape.expected;
        if (!report(problem))
            return false;
        break;
    }
    if (count > key + 1 && readStateNumber(fields[key + 1]) != number) {
        TABLE_PROBLEM_ problem(TABLE_PROBLEM_::kStateNumber);
        problem.field = key + 1;
        problem.text = fields[key + 1];
        if (!report(problem))
            return false;
    }

    ONE_STATE_ state;
    if (count > key)
        state.name = fields[key];
    for (int j = firstCell; j < count; ++j) {
        m_field = j;
        if (parseCell(state.cells, j - firstCell, fields[j]) != 0) {
            if (m_stopped)
                return false;
            state.cells.push_back(CELL_{j - firstCell, -1, {}});
        }
    }
    m_field = -1;
    for (int e = static_cast<int>(state.cells.size()); e < events; ++e)
        state.cells.push_back(CELL_{e, -1, {}});
    m_table->appendState(std::move(state));
    return true;
}

// cell    -> NEXT | NEXT "/" actions      (after all white space is removed)
// NEXT    -> "-" | "*" | digits
// actions -> names separated by ",", empty names dropped
int CTableReader::parseCell(std::vector<CELL_>& cells, int eventIndex, const char* text) {
    std::string joined;
    for (const char* c = text; *c; ++c) {
        if (!isWhiteSpace(*c))
            joined += *c;
    }
    TABLE_PROBLEM_ problem(TABLE_PROBLEM_::kCellEmpty);
    problem.field = m_field;
    problem.event = eventIndex;
    problem.text = text;
    if (joined.empty() || joined[0] == '/') {
        report(problem);
        return -1;
    }
    const std::string::size_type slash = joined.find('/');
    const std::string first = joined.substr(0, slash);

    CELL_ cell;
    cell.eventIndex = eventIndex;
    cell.nextState = -1;
    if (!m_table->isNopAction(first)) {
        if (!isNumber(first.c_str())) {
            problem.kind = TABLE_PROBLEM_::kCellNotNumber;
            report(problem);
            return -1;
        }
        cell.nextState = digitsValue(first);
        if (cell.nextState < 0) {
            problem.kind = TABLE_PROBLEM_::kCellNumberTooLarge;
            report(problem);
            return -1;
        }
    }
    if (slash != std::string::npos) {
        std::string::size_type start = slash + 1;
        for (;;) {
            const std::string::size_type comma = joined.find(',', start);
            const std::string piece = joined.substr(start, comma == std::string::npos ? comma : comma - start);
            if (!piece.empty())
                cell.actions.push_back(piece);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    cells.push_back(std::move(cell));
    return 0;
}

bool CTableReader::isNumber(const char* text) {
    if (!text || !*text)
        return false;
    for (; *text; ++text) {
        if (!isDigit(*text))
            return false;
    }
    return true;
}

// Leading white space, one optional sign, then digits up to the first other
// character; no digits give 0. Held at the bound so that a huge value never
// wraps round to a valid state number.
long long CTableReader::readStateNumber(const char* text) {
    const long long kBound = static_cast<long long>(INT32_MAX) + 1;
    while (isWhiteSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; isDigit(*text); ++text) {
        if (value < kBound)
            value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}
