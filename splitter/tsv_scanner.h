// CTsvScanner: the hand-written longest-match scanner of the table file.
//
// Rules, first match wins among equally long ones:
//   normal  TAB                 -> TAB
//   normal  LF or CR LF         -> EOL
//   normal  "                   -> enter QUOTED
//   QUOTED  "                   -> back to normal
//   both    run of chars other than TAB CR LF "  -> FIELD
//   both    any other char but LF                -> dropped
//   QUOTED  LF                  -> copied to standard output
// Every line feed matched advances the line number.
#ifndef KERROW_TSV_SCANNER_H
#define KERROW_TSV_SCANNER_H

#include <cstddef>
#include <cstdio>

class CTsvScanner {
public:
    /// Token codes; ERROR means the scan cannot go on (see failure()).
    enum Token { END = 0, FIELD = 257, TAB = 258, EOL = 259, ERROR = -1 };
    enum Failure { kNoFailure, kFieldTooLong, kNulCharacter, kReadError };

    /// Capacity of the input buffer; the most read at once.
    static constexpr std::size_t kBufferSize = 16384;
    /// Bytes read at once unless set otherwise.
    static constexpr std::size_t kDefaultReadSize = 8192;
    /// Size of the token value; a field holds at most kValueSize - 1 characters.
    static constexpr std::size_t kValueSize = 256;
    /// The longest field, in bytes.
    static constexpr std::size_t kMaxFieldLength = kValueSize - 1;

    /// Starts a scan of in from line 1 in the normal condition, reading
    /// readSize bytes at a time (clamped to 1..kBufferSize).
    void start(std::FILE* in, std::size_t readSize);
    /// Starts a scan of the size bytes at text, which must outlive the scan,
    /// readSize bytes at a time as start() does.
    void startText(const char* text, std::size_t size, std::size_t readSize);

    /// The next token.
    int next();

    /// Text of the last FIELD token, or "" once the end of input was reached.
    /// TAB and EOL leave it alone: only a FIELD or the end can be the token a
    /// syntax error is reported on.
    const char* text() const { return m_value; }

    /// Length of text().
    std::size_t length() const { return m_length; }

    /// Current line, counted from 1.
    int line() const { return m_line; }

    /// Column of the next unread byte in the current line, counted in bytes
    /// from 1.
    int column() const { return static_cast<int>(m_consumed + m_pos - m_lineStart) + 1; }

    /// Line and column where the last FIELD token began.
    int tokenLine() const { return m_tokenLine; }
    int tokenColumn() const { return m_tokenColumn; }

    /// Whether a line feed inside double quotes is copied to standard output
    /// (the library's way, and the default) or only counted.
    void echoQuotedLineFeeds(bool echo) { m_echo = echo; }

    /// Why the last next() returned ERROR.
    Failure failure() const { return m_failure; }

private:
    int scanField();
    bool fill();

    std::FILE* m_in = nullptr;
    const char* m_text = nullptr;  // the input when it is held in memory
    std::size_t m_textSize = 0;
    std::size_t m_readSize = kDefaultReadSize;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_quoted = false;
    int m_line = 1;
    int m_tokenLine = 1;
    int m_tokenColumn = 1;
    bool m_echo = true;
    std::size_t m_consumed = 0;   // bytes of the file before m_buffer
    std::size_t m_lineStart = 0;  // offset in the file of the current line
    Failure m_failure = kNoFailure;
    std::size_t m_length = 0;
    char m_value[kValueSize] = {};
    char m_buffer[kBufferSize];
};

#endif
