#ifndef PELK_TABLE_VIEWS_VIEW_TEXT_H
#define PELK_TABLE_VIEWS_VIEW_TEXT_H

#include <string>
#include <vector>

/// CViewText makes the names of a table fit to be shown: every view writes
/// UTF-8 text, so the bytes that are not UTF-8 become U+FFFD, and control
/// characters (a quoted field may hold a line feed or a tab) become blanks.
class CViewText {
public:
    static std::string clean(const std::string& name);

    /// One character and what stands for it in a kind of text.
    struct ESCAPE_ {
        char character;
        const char* replacement;
    };
    /// text with every character of the table replaced by its replacement.
    static std::string escaped(const std::string& text, const ESCAPE_* table, int count);

    /// text in lines of at most width bytes, broken at blanks (a longer
    /// word keeps a line of its own).
    static std::vector<std::string> wrapped(const std::string& text, size_t width);

    /// A number with a comma between each three digits: "50,000".
    static std::string grouped(std::size_t number);

    /// The last part of a path: the file name, without its folder.
    static std::string fileName(const std::string& path);
};

#endif
