#ifndef PELK_TABLE_RECORD_SOURCE_H
#define PELK_TABLE_RECORD_SOURCE_H

/// CRecordSource hands out the records of a split table file, one at a time,
/// in file order, the way the splitter library does: a field count and an
/// array of NUL-terminated field texts, valid until the next record is asked
/// for.
class CRecordSource {
public:
    virtual ~CRecordSource() = default;

    /// The first record: 0 delivered, 1 none, -1 the source failed.
    virtual int firstRecord(int& fieldCount, char**& fields) = 0;
    /// The record after the last one delivered: 0 delivered, 1 none left, -1
    /// the source failed to hand it out.
    virtual int nextRecord(int& fieldCount, char**& fields) = 0;
};

#endif
