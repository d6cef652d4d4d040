#ifndef PELK_TABLE_CLI_DIAGNOSTIC_STYLE_H
#define PELK_TABLE_CLI_DIAGNOSTIC_STYLE_H

#include <string>
#include <vector>

#include "pelk-table/report/finding_writer.h"

/// CDiagnosticStyle is how pelk-table writes for people, for every command:
/// colours as compilers use them, and the source line with a caret under a
/// finding. Colour is decided here alone: -fdiagnostics-color=always
/// colours, =never does not, and =auto (the default) colours a terminal
/// that shows colours, unless NO_COLOR is set to a non-empty value or TERM
/// is "dumb".
class CDiagnosticStyle {
public:
    enum Colour { kAuto, kAlways, kNever };

    /// Takes -fdiagnostics-color[=WHEN], -fno-diagnostics-color and
    /// -f[no-]diagnostics-show-caret out of args, the last of each winning.
    /// False, with message set, for a WHEN other than auto, always, never.
    bool takeOptions(std::vector<std::string>& args, std::string& message);

    /// True when text written to the stream fd (1 standard output, 2
    /// standard error) is coloured; onTerminal says that it reaches a
    /// terminal even though fd is none (git's pager).
    bool colours(int fd, bool onTerminal = false) const;
    /// How findings are written on standard error.
    TEXT_STYLE_ textStyle() const;

    /// The decision for choice, the values of NO_COLOR and TERM (null when
    /// unset) and whether the stream is a terminal that shows colours.
    static bool decide(Colour choice, const char* noColor, const char* term, bool terminal);
    /// The choice named by value ("auto", "always", "never"); false for
    /// another value.
    static bool parse(const std::string& value, Colour& choice);

private:
    /// True when fd is a terminal that shows ANSI colours (on Windows, a
    /// console that takes them once asked to).
    static bool colourTerminal(int fd);

    Colour m_colour = kAuto;
    bool m_caret = true;
};

#endif
