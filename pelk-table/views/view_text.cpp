#include "pelk-table/views/view_text.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

// The length of the UTF-8 sequence at text[pos], or 0 when none starts
// there (a stray continuation byte, an overlong form, a surrogate, a code
// point past U+10FFFF, or a sequence cut short).
size_t sequenceLength(const std::string& text, size_t pos) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (pos + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[pos + i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

}  // namespace

std::string CViewText::clean(const std::string& name) {
    std::string text;
    text.reserve(name.size());
    for (size_t pos = 0; pos < name.size();) {
        const unsigned char byte = static_cast<unsigned char>(name[pos]);
        const size_t length = sequenceLength(name, pos);
        if (length == 0) {
            text += kReplacement;
            ++pos;
        } else if (byte < 0x20 || byte == 0x7F) {
            text += ' ';
            ++pos;
        } else {
            text.append(name, pos, length);
            pos += length;
        }
    }
    return text;
}

std::string CViewText::fileName(const std::string& path) {
    const std::string::size_type slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
