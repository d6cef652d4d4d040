#ifndef PELK_TESTS_SUPPORT_MEMORY_RECORDS_H
#define PELK_TESTS_SUPPORT_MEMORY_RECORDS_H

#include <string>
#include <vector>

#include "table/record_source.h"

/// CMemoryRecords hands out records written in the test, as the splitter
/// would have split them.
class CMemoryRecords : public CRecordSource {
public:
    explicit CMemoryRecords(std::vector<std::vector<std::string>> records)
        : m_records(std::move(records)) {}

    int firstRecord(int& fieldCount, char**& fields) override {
        m_cursor = 0;
        return nextRecord(fieldCount, fields);
    }
    int nextRecord(int& fieldCount, char**& fields) override {
        if (m_cursor >= m_records.size())
            return 1;
        m_handedOut.clear();
        for (std::string& field : m_records[m_cursor])
            m_handedOut.push_back(&field[0]);
        ++m_cursor;
        fieldCount = static_cast<int>(m_handedOut.size());
        fields = m_handedOut.data();
        return 0;
    }

private:
    std::vector<std::vector<std::string>> m_records;
    std::vector<char*> m_handedOut;
    std::size_t m_cursor = 0;
};

#endif
