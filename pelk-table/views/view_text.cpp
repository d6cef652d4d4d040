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

std::string CViewText::grouped(std::size_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
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

std::vector<std::string> CViewText::wrapped(const std::string& text, size_t width) {
    std::vector<std::string> lines;
    std::string line;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(pos, end - pos);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        if (!word.empty())
            line += (line.empty() ? "" : " ") + word;
        pos = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
