#include "table/ascii_text.h"

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string CAsciiText::upperCase(const std::string& text) {
    std::string result = text;
    for (char& c : result)
        c = upper(c);
    return result;
}

bool CAsciiText::equalsIgnoreCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}
