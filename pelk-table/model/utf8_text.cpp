#include "pelk-table/model/utf8_text.h"

namespace {

// The lead bytes of UTF-8 sequences: how long a sequence they begin, and the
// range of its second byte (the later bytes are always 0x80 to 0xBF). The
// narrower ranges keep out overlong forms, surrogates and code points past
// U+10FFFF.
struct LEAD_ {
    unsigned char first, last;
    std::size_t length;
    unsigned char low, high;
};

const LEAD_ kLeads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

}  // namespace

std::size_t CUtf8Text::sequenceLength(const std::string& text, std::size_t pos) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return 1;
    for (const LEAD_& each : kLeads) {
        if (lead < each.first || lead > each.last)
            continue;
        if (pos + each.length > text.size())
            return 0;
        for (std::size_t i = 1; i < each.length; ++i) {
            const unsigned char byte = static_cast<unsigned char>(text[pos + i]);
            if (byte < (i == 1 ? each.low : 0x80) || byte > (i == 1 ? each.high : 0xBF))
                return 0;
        }
        return each.length;
    }
    return 0;
}

std::string::size_type CUtf8Text::invalidAt(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = sequenceLength(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return std::string::npos;
}

void CUtf8Text::append(std::string& text, unsigned long codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
