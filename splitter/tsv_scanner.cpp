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
    text_ = text;
    textSize_ = size;
}

void CTsvScanner::start(std::FILE* in, std::size_t readSize) {
    in_ = in;
    text_ = nullptr;
    textSize_ = 0;
    readSize_ = readSize == 0 ? 1 : (readSize > kBufferSize ? kBufferSize : readSize);
    pos_ = end_ = 0;
    quoted_ = false;
    line_ = 1;
    tokenLine_ = tokenColumn_ = 1;
    consumed_ = lineStart_ = 0;
    failure_ = NO_FAILURE;
    length_ = 0;
    value_[0] = '\0';
}

bool CTsvScanner::fill() {
    consumed_ += end_;
    pos_ = 0;
    if (!in_) {
        // consumed_ is the offset of the next byte of the text.
        end_ = consumed_ < textSize_ ? std::min(readSize_, textSize_ - consumed_) : 0;
        if (end_ > 0)
            std::memcpy(buffer_, text_ + consumed_, end_);
        return end_ > 0;
    }
    end_ = std::fread(buffer_, 1, readSize_, in_);
    if (end_ > 0)
        return true;
    if (std::ferror(in_))
        failure_ = READ_ERROR;
    return false;
}

int CTsvScanner::next() {
    for (;;) {
        if (pos_ == end_ && !fill()) {
            if (failure_ != NO_FAILURE)
                return ERROR;
            length_ = 0;
            value_[0] = '\0';
            return END;
        }
        switch (buffer_[pos_]) {
        case '\t':
            ++pos_;
            if (!quoted_)
                return TAB;
            break;  // a tab inside quotes is dropped
        case '\n':
            ++pos_;
            ++line_;
            lineStart_ = consumed_ + pos_;
            if (!quoted_)
                return EOL;
            if (echo_)
                std::fputc('\n', stdout);
            break;
        case '\r':
            ++pos_;
            if (quoted_)
                break;
            // CR LF is one EOL; a CR on its own is dropped.
            if (pos_ == end_ && !fill() && failure_ != NO_FAILURE)
                return ERROR;
            if (pos_ < end_ && buffer_[pos_] == '\n') {
                ++pos_;
                ++line_;
                lineStart_ = consumed_ + pos_;
                return EOL;
            }
            break;
        case '"':
            ++pos_;
            quoted_ = !quoted_;
            break;
        case '\0':
            failure_ = NUL_CHARACTER;
            return ERROR;
        default:
            return scanField();
        }
    }
}

// The longest run of field characters, which may go on across several reads.
int CTsvScanner::scanField() {
    length_ = 0;
    tokenLine_ = line_;
    tokenColumn_ = column();
    for (;;) {
        std::size_t begin = pos_;
        while (pos_ < end_ && !kStops.stop[static_cast<unsigned char>(buffer_[pos_])])
            ++pos_;
        std::size_t n = pos_ - begin;
        if (n >= kValueSize - length_) {
            failure_ = FIELD_TOO_LONG;
            return ERROR;
        }
        std::memcpy(value_ + length_, buffer_ + begin, n);
        length_ += n;
        if (pos_ < end_ || !fill())
            break;  // a stop character, or the end
    }
    if (failure_ != NO_FAILURE)
        return ERROR;
    if (pos_ < end_ && buffer_[pos_] == '\0') {
        failure_ = NUL_CHARACTER;
        return ERROR;
    }
    value_[length_] = '\0';
    return FIELD;
}
