// CRecordSink: what the parser hands the records it recognises to.
#ifndef KERROW_RECORD_SINK_H
#define KERROW_RECORD_SINK_H

#include <cstddef>

class CRecordSink {
public:
    /// Appends a copy of text[0..length) to the record being built; the field
    /// begins at line:column of the file (both from 1, the column in bytes).
    /// 0, or -1 when out of memory.
    virtual int addField(const char* text, std::size_t length, int line, int column) = 0;

    /// Closes the record being built. 0, or -1 when out of memory.
    virtual int closeRecord() = 0;

    /// The record being built holds a syntax error at line:column, near text
    /// (empty at the end of input). True: the parser drops the rest of the
    /// line, closes the record as it stands and goes on with the next one.
    /// False, the default: the parse ends with the error.
    virtual bool skipBrokenRecord(int line, int column, const char* text);

protected:
    ~CRecordSink() = default;
};

#endif
