#ifndef PELK_TABLE_TABLE_READER_H
#define PELK_TABLE_TABLE_READER_H

#include <cstdint>
#include <string>
#include <vector>

#include "table/table_listener.h"

class CRecordSource;
class CSTTable;
struct CELL_;

/// Where the parts of the table were found in the file: record positions
/// from 0, counted from the first record of the file.
struct TABLE_LAYOUT_ {
    int headerRecord = -1;          ///< the header; -1 when none was found
    int keyColumn = -1;             ///< the column of "START"
    std::vector<int> stateRecords;  ///< the record of each state, by number
};

/// CTableReader turns the records of a table file into the states, events
/// and cells of a CSTTable. This is the one reading of the table format: the
/// header is the first record holding a field "START" (its column is the key
/// column), every later record is a state. Each problem goes to the
/// listener; the reading stops where the listener says so, and otherwise
/// carries on with what can be read (a bad cell reads as no transition).
class CTableReader {
public:
    CTableReader(CRecordSource& source, CTableListener& listener);

    /// Reads every record into table. 0 when every record after the header
    /// became a state without a problem, 1 after any problem.
    int readRecords(CSTTable& table);

    /// Where the header and the states were found.
    const TABLE_LAYOUT_& layout() const { return m_layout; }

    /// True when text is not null, not empty, and all decimal digits.
    static bool isNumber(const char* text);

    /// The value of a state-number field, read like atoi; a value beyond the
    /// int32 range is held at the nearest bound beyond it.
    static long long readStateNumber(const char* text);

private:
    int findHeader(int& keyColumn);
    void addEvents(int firstColumn, char** fields, int fieldCount);
    bool readState(int number, int fieldCount, char** fields, int expectedCount);
    int parseCell(std::vector<CELL_>& cells, int eventIndex, const char* text);
    bool report(TABLE_PROBLEM_ problem);

    CRecordSource& m_source;
    CTableListener& m_listener;
    CSTTable* m_table = nullptr;
    TABLE_LAYOUT_ m_layout;
    int m_record = -1;  // position of the record being read
    int m_field = -1;   // position of the field being read
    int m_state = -1;   // number of the state being read
    bool m_stopped = false;
    int m_problems = 0;
};

#endif
