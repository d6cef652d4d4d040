// Loading a table: the splitter library cuts the file into records of text
// fields, and the records become the events, states and cells of the table.
#include <cctype>
#include <cstdint>
#include <iostream>
#include <string>
#include <utility>

#include "Kerrow.h"
#include "table/shared_library.h"
#include "table/st_table.h"

namespace {

// The name the library is asked for on every platform; the messages use it.
const char kLibraryName[] = "Kerrow.dll";
const char kKeyword[] = "START";

bool isWhiteSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a state-number field, read like atoi: leading white space,
// one optional sign, then digits up to the first other character; no digits
// give 0. A value beyond the int range is held at the nearest bound so that
// it can never wrap round to a valid state number.
long long readStateNumber(const char* text) {
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

// Once the library is loaded, every failure but those of readRecords leaves
// it loaded with its records: the program ends right after.
int CSTTable::load(const char* tablePath) {
    m_library = CSharedLibrary::load(kLibraryName);
    if (!m_library) {
        std::cerr << kLibraryName << " loading error." << std::endl;
        return -1;
    }
    const KERROW_SPLIT_FN split = reinterpret_cast<KERROW_SPLIT_FN>(CSharedLibrary::find(m_library, "Kerrow"));
    if (!split) {
        std::cerr << "GetProcAddres() error. ( Kerrow )" << std::endl;
        return -1;
    }
    const KERROW_TEXT_FN errorMessage =
        reinterpret_cast<KERROW_TEXT_FN>(CSharedLibrary::find(m_library, "GetErrorMessage"));
    if (!errorMessage) {
        std::cerr << "GetProcAddres() error. ( GetErrorMessage )" << std::endl;
        return -1;
    }
    const KERROW_TEXT_FN version =
        reinterpret_cast<KERROW_TEXT_FN>(CSharedLibrary::find(m_library, "GetKerrowVersion"));
    if (!version) {
        std::cerr << "GetProcAddres() error. ( GetKerrowVersion )" << std::endl;
        return -1;
    }
    if (split(tablePath) != 0) {
        std::cerr << errorMessage() << " ( " << kLibraryName << " " << version() << " )" << std::endl;
        return -1;
    }

    const int result = readRecords();

    const KERROW_FREE_FN freeAllRecords =
        reinterpret_cast<KERROW_FREE_FN>(CSharedLibrary::find(m_library, "FreeAllRecords"));
    if (!freeAllRecords) {
        std::cerr << "GetProcAddres() error. ( FreeAllRecords )" << std::endl;
        return -1;
    }
    freeAllRecords();
    CSharedLibrary::release(m_library);
    m_library = nullptr;
    return result == 0 ? 0 : -1;
}

int CSTTable::readRecords() {
    const KERROW_RECORD_FN nextRecord =
        reinterpret_cast<KERROW_RECORD_FN>(CSharedLibrary::find(m_library, "GetNextTsvRecord"));
    if (!nextRecord) {
        std::cerr << "GetProcAddress( ) for GetNextTsvRecord error" << std::endl;
        return 1;
    }
    int key = 0;
    if (findHeader(key) != 0) {
        std::cerr << "not found KeyWord\"" << kKeyword << "\"" << std::endl;
        return 1;
    }

    const int firstCell = key + 2;
    int expectedCount = -1;
    for (int i = 0;; ++i) {
        int count = 0;
        char** fields = nullptr;
        // The library's end of records and its allocation failure both end
        // the table.
        if (nextRecord(&count, &fields) != 0)
            return 0;
        if (expectedCount < 0)
            expectedCount = count;
        if (count != expectedCount) {
            std::cerr << "Record[" << i << "]: field count is " << count
                      << " , and different from above field(s) count " << expectedCount << std::endl;
            return 1;
        }
        // A state needs its name and its number, and a cell for every event.
        if (count < firstCell) {
            std::cerr << "Record[" << i << "]: field count is " << count
                      << " , and a state record needs at least " << firstCell << " field(s)" << std::endl;
            return 1;
        }
        if (count - firstCell < eventCount()) {
            std::cerr << "Record[" << i << "]: field count is " << count
                      << " , and fewer than header field(s) count " << firstCell + eventCount() << std::endl;
            return 1;
        }
        if (readStateNumber(fields[key + 1]) != i) {
            std::cerr << "invalid state number. record " << i << std::endl;
            return 1;
        }
        ONE_STATE_ state;
        state.name = fields[key];
        for (int j = firstCell; j < count; ++j) {
            if (parseCell(state.cells, j - firstCell, fields[j]) != 0) {
                std::cerr << "Record[" << i << "]: field number is " << (j - firstCell) << std::endl;
                return 1;
            }
        }
        m_states.push_back(std::move(state));
    }
}

// The header is the first record holding a field "START"; the leftmost such
// field is the key column. On success the library's cursor stands just after
// the header.
int CSTTable::findHeader(int& keyColumn) {
    const KERROW_RECORD_FN firstRecord =
        reinterpret_cast<KERROW_RECORD_FN>(CSharedLibrary::find(m_library, "GetFirstTsvRecord"));
    const KERROW_RECORD_FN nextRecord =
        reinterpret_cast<KERROW_RECORD_FN>(CSharedLibrary::find(m_library, "GetNextTsvRecord"));
    if (!firstRecord) {
        std::cerr << "GetProcAddress( ) for GetFirstTsvRecord error" << std::endl;
        return 1;
    }
    if (!nextRecord) {
        std::cerr << "GetProcAddress( ) for GetNextTsvRecord error" << std::endl;
        return 1;
    }
    int count = 0;
    char** fields = nullptr;
    if (firstRecord(&count, &fields) != 0) {
        std::cerr << "GetFirstTsvRecord() error" << std::endl;
        return 1;
    }
    for (;;) {
        for (int column = 0; column < count; ++column) {
            if (std::string(fields[column]) == kKeyword) {
                keyColumn = column;
                addEvents(column + 2, fields, count);
                return 0;
            }
        }
        if (nextRecord(&count, &fields) != 0)
            return 1;
    }
}

void CSTTable::addEvents(int firstColumn, char** fields, int fieldCount) {
    for (int column = firstColumn; column < fieldCount; ++column)
        m_events.push_back(fields[column]);
}

// cell    -> NEXT | NEXT "/" actions      (after all white space is removed)
// NEXT    -> "-" | "*" | digits
// actions -> names separated by ",", empty names dropped
int CSTTable::parseCell(std::vector<CELL_>& cells, int eventIndex, const char* text) {
    std::string joined;
    for (const char* c = text; *c; ++c) {
        if (!isWhiteSpace(*c))
            joined += *c;
    }
    if (joined.empty() || joined[0] == '/') {
        std::cerr << "format error. (" << text << ")" << std::endl;
        return -1;
    }
    const std::string::size_type slash = joined.find('/');
    const std::string first = joined.substr(0, slash);

    CELL_ cell;
    cell.eventIndex = eventIndex;
    cell.nextState = -1;
    if (!isNopAction(first)) {
        cell.nextState = isNumber(first.c_str()) ? digitsValue(first) : -1;
        if (cell.nextState < 0) {
            std::cerr << "format error (" << text << "). first string is not number." << std::endl;
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
    cells.push_back(cell);
    return 0;
}

bool CSTTable::isNumber(const char* text) {
    if (!text || !*text)
        return false;
    for (; *text; ++text) {
        if (!isDigit(*text))
            return false;
    }
    return true;
}
