#include "tsv_scanner.h"

#include <algorithm>
#include <cstring>

namespace {
// Characters that end a FIELD run. NUL is among them so that it is never
// taken silently into a field.
struct StopTable {
    bool stop[256] = {};
    StopTable() {
        stop[static_cast<unsigned char>('\t')] = true;
        stop[static_cast<unsigned char>('\r')] = true;
        stop[static_cast<unsigned char>('\n')] = true;
        stop[static_cast<unsigned char>('"')] = true;
        stop[0] = true;
    }
};
const StopTable kStops;
}  // namespace

void CTsvScanner::startText(const char* text, std::size_t size, std::size_t readSize) {
    start(nullptr, readSize);
    m_text = text;
    m_textSize = size;
}

void CTsvScanner::start(std::FILE* in, std::size_t readSize) {
    m_in = in;
    m_text = nullptr;
    m_textSize = 0;
    m_readSize = readSize == 0 ? 1 : (readSize > kBufferSize ? kBufferSize : readSize);
    m_pos = m_end = 0;
    m_quoted = false;
    m_line = 1;
    m_tokenLine = m_tokenColumn = 1;
    m_consumed = m_lineStart = 0;
    m_failure = kNoFailure;
    m_length = 0;
    m_value[0] = '\0';
}

bool CTsvScanner::fill() {
    m_consumed += m_end;
    m_pos = 0;
    if (!m_in) {
        // m_consumed is the offset of the next byte of the text.
        m_end = m_consumed < m_textSize ? std::min(m_readSize, m_textSize - m_consumed) : 0;
        if (m_end > 0)
            std::memcpy(m_buffer, m_text + m_consumed, m_end);
        return m_end > 0;
    }
    m_end = std::fread(m_buffer, 1, m_readSize, m_in);
    if (m_end > 0)
        return true;
    if (std::ferror(m_in))
        m_failure = kReadError;
    return false;
}

int CTsvScanner::next() {
    for (;;) {
        if (m_pos == m_end && !fill()) {
            if (m_failure != kNoFailure)
                return ERROR;
            m_length = 0;
            m_value[0] = '\0';
            return END;
        }
        switch (m_buffer[m_pos]) {
        case '\t':
            ++m_pos;
            if (!m_quoted)
                return TAB;
            break;  // a tab inside quotes is dropped
        case '\n':
            ++m_pos;
            ++m_line;
            m_lineStart = m_consumed + m_pos;
            if (!m_quoted)
                return EOL;
            if (m_echo)
                std::fputc('\n', stdout);
            break;
        case '\r':
            ++m_pos;
            if (m_quoted)
                break;
            // CR LF is one EOL; a CR on its own is dropped.
            if (m_pos == m_end && !fill() && m_failure != kNoFailure)
                return ERROR;
            if (m_pos < m_end && m_buffer[m_pos] == '\n') {
                ++m_pos;
                ++m_line;
                m_lineStart = m_consumed + m_pos;
                return EOL;
            }
            break;
        case '"':
            ++m_pos;
            m_quoted = !m_quoted;
            break;
        case '\0':
            m_failure = kNulCharacter;
            return ERROR;
        default:
            return scanField();
        }
    }
}

// The longest run of field characters, which may go on across several reads.
int CTsvScanner::scanField() {
    m_length = 0;
    m_tokenLine = m_line;
    m_tokenColumn = column();
    for (;;) {
        std::size_t begin = m_pos;
        while (m_pos < m_end && !kStops.stop[static_cast<unsigned char>(m_buffer[m_pos])])
            ++m_pos;
        std::size_t n = m_pos - begin;
        if (n >= kValueSize - m_length) {
            m_failure = kFieldTooLong;
            return ERROR;
        }
        std::memcpy(m_value + m_length, m_buffer + begin, n);
        m_length += n;
        if (m_pos < m_end || !fill())
            break;  // a stop character, or the end
    }
    if (m_failure != kNoFailure)
        return ERROR;
    if (m_pos < m_end && m_buffer[m_pos] == '\0') {
        m_failure = kNulCharacter;
        return ERROR;
    }
    m_value[m_length] = '\0';
    return FIELD;
}
