#include "driver/cmd_line.h"

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

CCmdLine::CCmdLine(int argc, const char* const* argv)
    : m_argumentCount(argc) {
    for (int i = 0; i < argc; ++i)
        m_arguments.emplace_back(argv[i]);
}

CCmdLine::~CCmdLine() = default;

unsigned CCmdLine::argCount() const {
    return static_cast<unsigned>(m_arguments.size());
}

const char* CCmdLine::arg(unsigned i) const {
    return m_arguments[i].c_str();
}

bool CCmdLine::equalsIgnoreCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}
