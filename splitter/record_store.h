// CRecordStore: the records of the last split, built field by field by the
// parser and handed out one record at a time.
#ifndef KERROW_RECORD_STORE_H
#define KERROW_RECORD_STORE_H

#include <cstddef>

#include "Kerrow.h"
#include "arena.h"
#include "record_sink.h"

class CRecordStore : public CRecordSink {
public:
    CRecordStore() = default;
    ~CRecordStore() { clear(); }
    CRecordStore(const CRecordStore&) = delete;
    CRecordStore& operator=(const CRecordStore&) = delete;

    /// Appends a copy of text[0..length) to the record being built. 0, or -1
    /// with the memory message; the building record is then unchanged.
    int push_field(const char* text, std::size_t length);

    /// Closes the building record and appends it to the records. 0, or -1 with
    /// the memory message; everything is then unchanged.
    int push_record();

    /// The sink's side: push_field and push_record; the store keeps no
    /// positions.
    int addField(const char* text, std::size_t length, int, int) override { return push_field(text, length); }
    int closeRecord() override { return push_record(); }

    /// Forgets the fields pushed since the last record was closed.
    void discardBuilding();

    /// Releases every record, text and the handed-out array; the store is empty.
    void clear();

    /// Number of stored records.
    int count() const { return m_recordCount; }

    /// First record node, null when there is none.
    KERROW_RECORD* top() const { return m_firstRecord; }

    /// Hands out the first record: 0 delivered, 1 none, -1 no memory.
    int handOutFirst(int* fieldCount, char*** fields);

    /// Hands out the record at the cursor: 0 delivered, 1 none, -1 no memory.
    int handOutNext(int* fieldCount, char*** fields);

private:
    int handOut(int* fieldCount, char*** fields);

    CArena m_nodes;  // field and record nodes
    CArena m_texts;  // field texts, packed without alignment

    KERROW_FIELD* m_firstField = nullptr;
    KERROW_FIELD* m_lastField = nullptr;
    int m_fieldCount = 0;

    KERROW_RECORD* m_firstRecord = nullptr;
    KERROW_RECORD* m_lastRecord = nullptr;
    int m_recordCount = 0;

    char** m_handedOut = nullptr;
    KERROW_RECORD* m_cursor = nullptr;
};

#endif
