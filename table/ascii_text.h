#ifndef PELK_TABLE_ASCII_TEXT_H
#define PELK_TABLE_ASCII_TEXT_H

#include <string>

/// CAsciiText changes and compares the case of 8-bit text by the ASCII
/// letters alone: a to z and A to Z; every other byte (digits, punctuation,
/// bytes outside ASCII) stays as it is, whatever the locale.
class CAsciiText {
public:
    /// A copy of text with a to z in capitals.
    static std::string upperCase(const std::string& text);
    /// True when a and b have the same length and equal bytes once a to z
    /// are taken as A to Z; two empty texts are equal.
    static bool equalsIgnoreCase(const std::string& a, const std::string& b);
};

#endif
