#ifndef PELK_TABLE_TABLE_FILE_H
#define PELK_TABLE_TABLE_FILE_H

#include <string>
#include <vector>

#include "record_sink.h"
#include "table/record_source.h"

/// CTableFile splits a table file in this process, with the splitter's own
/// scanner and grammar, and keeps every record with the line and column of
/// each field. Unlike the library it reads on past a syntax error (the
/// broken record is kept as far as it was read, and marked), and it never
/// writes to standard output.
class CTableFile : public CRecordSource, private CRecordSink {
public:
    /// One field: its text and where it begins (line and byte column from 1).
    struct FIELD_ {
        std::string text;
        int line;
        int column;
    };
    /// One record; broken when it holds a syntax error.
    struct RECORD_ {
        std::vector<FIELD_> fields;
        bool broken = false;
    };
    /// Why the splitter could not read (part of) the file.
    struct SPLIT_ERROR_ {
        enum Kind { kCannotOpen, kEmptyFile, kSyntax, kMissingLineEnd, kFieldTooLong, kNulCharacter, kReadError };
        Kind kind;
        int record;  ///< the record it belongs to; -1 for the whole file
        int line;
        int column;
        std::string text;  ///< the token the syntax error is near
    };

    /// Splits the file at path. False when it could not be opened or read
    /// to the end; errors() says why. The records read before stay.
    bool read(const std::string& path);
    /// Splits text, the bytes of a table held in memory, as read() splits a
    /// file. False when it could not be read to the end; errors() says why.
    bool split(std::string text);

    const std::vector<RECORD_>& records() const { return m_records; }
    const std::vector<SPLIT_ERROR_>& errors() const { return m_errors; }
    /// The first bytes of the file (up to 4 KiB), for telling its encoding.
    std::string head() const { return m_text.substr(0, 4096); }
    /// The column of line:column counted in characters (UTF-8 sequences)
    /// rather than bytes; a byte that is no UTF-8 counts as one.
    int characterColumn(int line, int column) const;

    /// CRecordSource: the records in file order.
    int firstRecord(int& fieldCount, char**& fields) override;
    int nextRecord(int& fieldCount, char**& fields) override;

private:
    void clear();
    int addField(const char* text, std::size_t length, int line, int column) override;
    int closeRecord() override;
    bool skipBrokenRecord(int line, int column, const char* text) override;

    std::vector<RECORD_> m_records;
    RECORD_ m_building;
    std::vector<SPLIT_ERROR_> m_errors;
    std::string m_text;                     // the whole file
    std::vector<std::size_t> m_lineStarts;  // offset of each line in m_text
    std::size_t m_cursor = 0;
    std::vector<char*> m_handedOut;
};

#endif
