#ifndef PELK_TESTS_STAMP_H
#define PELK_TESTS_STAMP_H

#include <cctype>
#include <string>

/// True when text holds a generation stamp "dddd/dd/dd dd:dd:dd" at pos.
inline bool isStampAt(const std::string& text, std::string::size_type pos) {
    static const char kShape[] = "dddd/dd/dd dd:dd:dd";
    const std::string::size_type length = sizeof kShape - 1;
    if (pos + length > text.size())
        return false;
    for (std::string::size_type i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[pos + i]);
        if (kShape[i] == 'd' ? !std::isdigit(c) : c != static_cast<unsigned char>(kShape[i]))
            return false;
    }
    return true;
}

/// Length of a generation stamp.
constexpr std::string::size_type kStampLength = 19;

#endif
