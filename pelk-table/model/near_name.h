#ifndef PELK_TABLE_MODEL_NEAR_NAME_H
#define PELK_TABLE_MODEL_NEAR_NAME_H

#include <string>
#include <vector>

/// CNearName finds the name a user probably meant, for "did you mean".
class CNearName {
public:
    /// The name of names that text misspells: one that differs only in
    /// case, or in blanks at either end, or else the nearest by edit
    /// distance (at most a third of the length, at least 1); empty when
    /// none is near, or text is one of names.
    static std::string find(const std::string& text, const std::vector<std::string>& names);

    /// "; did you mean 'NAME'?" (with a word on blanks when that is the
    /// difference), or empty when find() finds none.
    static std::string suggestion(const std::string& text, const std::vector<std::string>& names);

    /// The number of single-byte insertions, deletions, substitutions and
    /// swaps of neighbours that turn a into b.
    static std::size_t distance(const std::string& a, const std::string& b);
};

#endif
