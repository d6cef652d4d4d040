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
    enum Failure { NO_FAILURE, FIELD_TOO_LONG, NUL_CHARACTER, READ_ERROR };

    /// Capacity of the input buffer; the most read at once.
    static constexpr std::size_t kBufferSize = 16384;
    /// Bytes read at once unless set otherwise.
    static constexpr std::size_t kDefaultReadSize = 8192;
    /// Size of the token value; a field holds at most kValueSize - 1 characters.
    static constexpr std::size_t kValueSize = 256;

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
    const char* text() const { return value_; }

    /// Length of text().
    std::size_t length() const { return length_; }

    /// Current line, counted from 1.
    int line() const { return line_; }

    /// Column of the next unread byte in the current line, counted in bytes
    /// from 1.
    int column() const { return static_cast<int>(consumed_ + pos_ - lineStart_) + 1; }

    /// Line and column where the last FIELD token began.
    int tokenLine() const { return tokenLine_; }
    int tokenColumn() const { return tokenColumn_; }

    /// Whether a line feed inside double quotes is copied to standard output
    /// (the library's way, and the default) or only counted.
    void echoQuotedLineFeeds(bool echo) { echo_ = echo; }

    /// Why the last next() returned ERROR.
    Failure failure() const { return failure_; }

private:
    int scanField();
    bool fill();

    std::FILE* in_ = nullptr;
    const char* text_ = nullptr;  // the input when it is held in memory
    std::size_t textSize_ = 0;
    std::size_t readSize_ = kDefaultReadSize;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool quoted_ = false;
    int line_ = 1;
    int tokenLine_ = 1;
    int tokenColumn_ = 1;
    bool echo_ = true;
    std::size_t consumed_ = 0;   // bytes of the file before buffer_
    std::size_t lineStart_ = 0;  // offset in the file of the current line
    Failure failure_ = NO_FAILURE;
    std::size_t length_ = 0;
    char value_[kValueSize] = {};
    char buffer_[kBufferSize];
};

#endif
