#ifndef PELK_TABLE_MODEL_UTF8_TEXT_H
#define PELK_TABLE_MODEL_UTF8_TEXT_H

#include <cstddef>
#include <string>

/// CUtf8Text says which bytes of a name are UTF-8, and writes a code point
/// as UTF-8. pelk copies names as
/// bytes; pelk-table reports and shows them as UTF-8.
class CUtf8Text {
public:
    /// The length of the UTF-8 sequence at text[pos], or 0 when none starts
    /// there (a stray continuation byte, an overlong form, a surrogate, a
    /// code point past U+10FFFF, or a sequence cut short).
    static std::size_t sequenceLength(const std::string& text, std::size_t pos);

    /// The offset of the first byte of text that is not valid UTF-8; npos
    /// when there is none.
    static std::string::size_type invalidAt(const std::string& text);

    /// Appends code point (at most U+10FFFF, no surrogate) to text as UTF-8.
    static void append(std::string& text, unsigned long codePoint);
};

#endif
