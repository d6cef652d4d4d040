#ifndef PELK_DRIVER_CMD_LINE_H
#define PELK_DRIVER_CMD_LINE_H

#include <string>
#include <vector>

/// CCmdLine holds the process arguments, the program name first, and the
/// message of a failed parse.
class CCmdLine {
public:
    /// Copies argv[0] .. argv[argc - 1] into the argument list.
    CCmdLine(int argc, const char* const* argv);
    virtual ~CCmdLine();

    /// Number of entries in the argument list (the program name included).
    unsigned argCount() const;
    /// The NUL-terminated characters of entry i; i must be below argCount().
    const char* arg(unsigned i) const;
    /// The message left by a failing parse; empty otherwise.
    const std::string& errorMessage() const { return m_errorMessage; }

    /// True when a and b have the same length and equal characters after
    /// mapping a..z to A..Z; other characters compare as they are.
    static bool equalsIgnoreCase(const std::string& a, const std::string& b);

protected:
    int m_argumentCount;
    std::vector<std::string> m_arguments;
    std::string m_errorMessage;
};

#endif
