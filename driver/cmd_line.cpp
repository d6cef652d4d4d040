#include "driver/cmd_line.h"

#include "table/ascii_text.h"

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
    return CAsciiText::equalsIgnoreCase(a, b);
}
