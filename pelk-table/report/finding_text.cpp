#include "pelk-table/report/finding_text.h"

#include "pelk-table/check/message_list.h"
#include "pelk-table/model/utf8_text.h"

namespace {

std::string worded(const ARGUMENT_& argument) {
    switch (argument.kind) {
    case ARGUMENT_::kNumber:
        return std::to_string(argument.number);
    case ARGUMENT_::kName:
        return CFindingText::quoted(argument.text);
    case ARGUMENT_::kText:
        break;
    case ARGUMENT_::kState:
        return "state " + std::to_string(argument.number) + " " + CFindingText::quoted(argument.text);
    case ARGUMENT_::kEvent:
        return "event " + std::to_string(argument.number) + " " + CFindingText::quoted(argument.text);
    case ARGUMENT_::kAction:
        return "action " + CFindingText::quoted(argument.text);
    }
    return argument.text;
}

}  // namespace

std::string CFindingText::message(const MESSAGE_& message) {
    const std::string pattern = CMessageList::pattern(message.id);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool plural = c == '%' && i + 2 < pattern.size() && pattern[i + 1] == 's';
        const std::size_t digit = plural ? i + 2 : i + 1;
        if (c != '%' || digit >= pattern.size() || pattern[digit] < '0' || pattern[digit] > '9') {
            text += c;
            if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%')
                ++i;
            continue;
        }
        const std::size_t n = static_cast<std::size_t>(pattern[digit] - '0');
        i = digit;
        if (n >= message.arguments.size())
            continue;
        const ARGUMENT_& argument = message.arguments[n];
        if (plural)
            text += argument.kind == ARGUMENT_::kNumber && argument.number == 1 ? "" : "s";
        else
            text += worded(argument);
    }
    return text;
}

std::string CFindingText::withCell(const std::string& text, const PLACE_& place) {
    if (place.cell.empty() || !place.sheet.empty())
        return text;
    return text + " (cell " + place.cell + ")";
}

std::string CFindingText::quoted(const std::string& name) {
    static const char kHex[] = "0123456789abcdef";
    std::string text = "'";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            // Valid UTF-8 stays as it is; a stray byte is written as an escape.
            const std::size_t length = CUtf8Text::sequenceLength(name, i);
            if (length == 0) {
                text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
            } else {
                text += name.substr(i, length);
                i += length - 1;
            }
        } else if (c == '\t')
            text += "\\t";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else if (byte < 0x20 || byte == 0x7F)
            text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        else
            text += c;
    }
    return text + "'";
}
