#include "pelk-table/views/view_text.h"

#include <algorithm>

#include "pelk-table/model/utf8_text.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

std::string CViewText::clean(const std::string& name) {
    std::string text;
    text.reserve(name.size());
    for (size_t pos = 0; pos < name.size();) {
        const unsigned char byte = static_cast<unsigned char>(name[pos]);
        const size_t length = CUtf8Text::sequenceLength(name, pos);
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

std::string CViewText::escaped(const std::string& text, const ESCAPE_* table, int count) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        const ESCAPE_* found = std::find_if(table, table + count, [c](const ESCAPE_& e) { return e.character == c; });
        if (found == table + count)
            result += c;
        else
            result += found->replacement;
    }
    return result;
}
