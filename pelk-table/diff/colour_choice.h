#ifndef PELK_TABLE_DIFF_COLOUR_CHOICE_H
#define PELK_TABLE_DIFF_COLOUR_CHOICE_H

#include <string>

/// CColourChoice decides whether text output is coloured, as compilers do:
/// -fdiagnostics-color=always colours, =never does not, =auto (the default)
/// colours a terminal unless NO_COLOR is set to a non-empty value.
class CColourChoice {
public:
    enum Mode { kAuto, kAlways, kNever };

    /// The mode named by value ("auto", "always", "never"); false for
    /// another value.
    static bool parse(const std::string& value, Mode& mode);

    /// The decision for mode, the value of NO_COLOR (null when unset) and
    /// whether the output is a terminal.
    static bool decide(Mode mode, const char* noColor, bool terminal);

    /// True when standard output is a terminal.
    static bool outputIsTerminal();
};

#endif
