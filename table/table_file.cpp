#include "table/table_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "tsv_parser.h"
#include "tsv_scanner.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool CTableFile::read(const std::string& path) {
    // Binary, as the scanner reads bytes; CR LF is its own affair. The whole
    // file is read first, so that a pipe or a FIFO reads as a file does.
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(path.c_str(), "rb"));
    if (!in) {
        clear();
        m_errors.push_back({SPLIT_ERROR_::kCannotOpen, -1, 0, 0, std::string()});
        return false;
    }
    std::string text;
    char chunk[8192];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;)
        text.append(chunk, n);
    if (std::ferror(in.get())) {
        clear();
        m_errors.push_back({SPLIT_ERROR_::kReadError, -1, 0, 0, std::string()});
        return false;
    }
    return split(std::move(text));
}

void CTableFile::clear() {
    m_records.clear();
    m_errors.clear();
    m_building = RECORD_();
    m_text.clear();
    m_lineStarts.assign(1, 0);
}

bool CTableFile::split(std::string text) {
    clear();
    m_text = std::move(text);
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == '\n')
            m_lineStarts.push_back(i + 1);
    }

    // The scanner is large (its buffer); it lives on the heap.
    std::unique_ptr<CTsvScanner> scanner(new CTsvScanner());
    scanner->startText(m_text.data(), m_text.size(), CTsvScanner::kDefaultReadSize);
    scanner->echoQuotedLineFeeds(false);
    CTsvParser parser(*scanner, *this);
    const CTsvParser::Result result = parser.parse();
    if (m_text.empty()) {
        m_errors.assign(1, {SPLIT_ERROR_::kEmptyFile, -1, 1, 1, std::string()});
        return false;
    }
    if (result == CTsvParser::kScannerError) {
        SPLIT_ERROR_::Kind kind = SPLIT_ERROR_::kReadError;
        if (scanner->failure() == CTsvScanner::kFieldTooLong)
            kind = SPLIT_ERROR_::kFieldTooLong;
        else if (scanner->failure() == CTsvScanner::kNulCharacter)
            kind = SPLIT_ERROR_::kNulCharacter;
        const bool inField = kind == SPLIT_ERROR_::kFieldTooLong;
        m_errors.push_back({kind, static_cast<int>(m_records.size()), inField ? scanner->tokenLine() : scanner->line(),
                            inField ? scanner->tokenColumn() : scanner->column(), std::string()});
        // What was read of the last record is kept, marked.
        if (!m_building.fields.empty()) {
            m_building.broken = true;
            m_records.push_back(std::move(m_building));
        }
        return false;
    }
    return true;
}

int CTableFile::characterColumn(int line, int column) const {
    if (line < 1 || line > static_cast<int>(m_lineStarts.size()) || column < 1)
        return column;
    const std::size_t start = m_lineStarts[static_cast<std::size_t>(line - 1)];
    const std::size_t end = std::min(m_text.size(), start + static_cast<std::size_t>(column - 1));
    int characters = 1;
    for (std::size_t i = start; i < end; ++i) {
        if ((static_cast<unsigned char>(m_text[i]) & 0xC0) != 0x80)
            ++characters;
    }
    return characters;
}

int CTableFile::addField(const char* text, std::size_t length, int line, int column) {
    m_building.fields.push_back({std::string(text, length), line, column});
    return 0;
}

int CTableFile::closeRecord() {
    m_records.push_back(std::move(m_building));
    m_building = RECORD_();
    return 0;
}

bool CTableFile::skipBrokenRecord(int line, int column, const char* text) {
    const bool atEnd = *text == '\0';
    m_errors.push_back({atEnd ? SPLIT_ERROR_::kMissingLineEnd : SPLIT_ERROR_::kSyntax,
                        static_cast<int>(m_records.size()), line, column, text});
    m_building.broken = true;
    return true;
}

int CTableFile::firstRecord(int& fieldCount, char**& fields) {
    m_cursor = 0;
    return nextRecord(fieldCount, fields);
}

int CTableFile::nextRecord(int& fieldCount, char**& fields) {
    if (m_cursor >= m_records.size())
        return 1;
    m_handedOut.clear();
    for (FIELD_& field : m_records[m_cursor].fields)
        m_handedOut.push_back(&field.text[0]);
    // A record broken before its first field still has one, empty.
    if (m_handedOut.empty()) {
        static char empty[1] = "";
        m_handedOut.push_back(empty);
    }
    ++m_cursor;
    fieldCount = static_cast<int>(m_handedOut.size());
    fields = m_handedOut.data();
    return 0;
}
